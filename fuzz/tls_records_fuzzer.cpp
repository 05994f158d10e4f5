// ReadLn over TLS: a server stream whose records are cut at chosen sizes and whose bytes reach
// the client's socket in pieces of varying size, through the Linux back end's TLS engine. The
// lines read must be the stream, whatever the cuts. The server runs in this thread: each time
// the client would wait, it hands over the next piece.
// Input: byte 0 seeds the piece sizes, byte 1 is the largest record, the rest is the stream.
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "net/async_socket.h"
#include "platform/event_loop.h"
#include "platform/posix/fd.h"
#include "platform/posix/tls_posix.h"
#include "platform/socket.h"

namespace {

using vantrel::platform::SocketHandle;
using vantrel::platform::TlsStep;
using vantrel::platform::posix::Fd;
using vantrel::platform::posix::TlsContext;
using vantrel::platform::posix::TlsSession;

// One self-signed certificate for localhost for the whole run, trusted by the client through a
// file of its own.
struct Identity {
  Identity() {
    key = EVP_EC_gen("P-256");
    X509* certificate = X509_new();
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 3600L * 24 * 365);
    X509_set_pubkey(certificate, key);
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
    X509_set_issuer_name(certificate, name);
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* san =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "DNS:localhost");
    X509_add_ext(certificate, san, -1);
    X509_EXTENSION_free(san);
    X509_sign(certificate, key, EVP_sha256());
    server = SSL_CTX_new(TLS_server_method());
    SSL_CTX_use_certificate(server, certificate);
    SSL_CTX_use_PrivateKey(server, key);
    rootFile = "/tmp/vantrel-tls-fuzz-root.pem";
    FILE* out = std::fopen(rootFile.c_str(), "w");
    if (out == nullptr) std::abort();
    PEM_write_X509(out, certificate);
    std::fclose(out);
    X509_free(certificate);
  }

  EVP_PKEY* key;
  SSL_CTX* server;
  std::string rootFile;
};

const Identity& identity() {
  static const Identity once;
  return once;
}

// The server end: a memory-BIO TLS server whose output goes to its socket piece by piece.
class PieceServer {
 public:
  PieceServer(int fd, std::string_view stream, unsigned seed, std::size_t largestRecord)
      : fd_(fd), stream_(stream), seed_(seed | 1), largestRecord_(largestRecord) {
    ssl_ = SSL_new(identity().server);
    in_ = BIO_new(BIO_s_mem());
    out_ = BIO_new(BIO_s_mem());
    SSL_set_bio(ssl_, in_, out_);
    SSL_set_accept_state(ssl_);
  }
  PieceServer(const PieceServer&) = delete;
  PieceServer& operator=(const PieceServer&) = delete;
  ~PieceServer() { SSL_free(ssl_); }

  // One turn while the client waits: take in what it sent, move the conversation on, hand over
  // one piece. False once everything was handed over and the end of the stream announced.
  bool turn() {
    char chunk[4096];
    for (ssize_t n; (n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0;) {
      BIO_write(in_, chunk, static_cast<int>(n));
    }
    if (!SSL_is_init_finished(ssl_)) {
      SSL_do_handshake(ssl_);
    } else {
      while (SSL_read(ssl_, chunk, sizeof chunk) > 0) {
      }
      while (!stream_.empty()) {
        const std::size_t record =
            std::min<std::size_t>(stream_.size(), 1 + next() % largestRecord_);
        SSL_write(ssl_, stream_.data(), static_cast<int>(record));
        stream_.remove_prefix(record);
      }
    }
    for (int n; (n = BIO_read(out_, chunk, sizeof chunk)) > 0;) pending_.append(chunk, n);
    if (!pending_.empty()) {
      const std::size_t piece = std::min<std::size_t>(pending_.size(), 1 + next() % 64);
      if (::send(fd_, pending_.data(), piece, MSG_NOSIGNAL) > 0) pending_.erase(0, piece);
      return true;
    }
    if (SSL_is_init_finished(ssl_) && stream_.empty() && !closed_) {
      ::shutdown(fd_, SHUT_WR);
      closed_ = true;
    }
    return !closed_;
  }

 private:
  unsigned next() {
    seed_ = seed_ * 1103515245u + 12345u;
    return seed_ >> 16;
  }

  int fd_;
  std::string_view stream_;
  unsigned seed_;
  std::size_t largestRecord_;
  SSL* ssl_;
  BIO* in_;
  BIO* out_;
  std::string pending_;
  bool closed_ = false;
};

class ServingLoop final : public vantrel::platform::EventLoop {
 public:
  explicit ServingLoop(PieceServer& server) : server_(server) {}
  std::uint64_t nowMs() const override { return 0; }
  vantrel::platform::TimerId startTimer(std::uint32_t, std::function<void()>) override { return 1; }
  void stopTimer(vantrel::platform::TimerId) override {}
  void processMessages() override {}
  void sleep(std::uint32_t) override {}
  vantrel::platform::WaitOutcome waitForSocket(SocketHandle, unsigned,
                                               std::optional<std::uint64_t>) override {
    server_.turn();
    return vantrel::platform::WaitOutcome::Ready;
  }
  void wake() override {}
  void run() override {}
  void quit() override {}
  bool quitting() const override { return false; }

 private:
  PieceServer& server_;
};

// The client end: an already connected socket whose bytes go through the TLS engine.
class PairSockets final : public vantrel::platform::Sockets {
 public:
  explicit PairSockets(int fd) : fd_(fd) {}
  int acquire() override { return 0; }
  void release() override {}
  SocketHandle open(bool) override { return fd_; }
  int close(SocketHandle) override { return 0; }
  int connect(SocketHandle, std::uint32_t, std::uint16_t) override { return -1; }
  int connectResult(SocketHandle) override { return 0; }
  long send(SocketHandle, const char* data, std::size_t length) override {
    const long n = session_ ? session_->send(data, length) : -1;
    if (n < 0) error_ = session_ ? session_->error() : 10057;
    return n;
  }
  long receive(SocketHandle, char* data, std::size_t length, bool peek) override {
    const long n = session_ ? session_->receive(data, length, peek) : -1;
    if (n < 0) error_ = session_ ? session_->error() : 10057;
    return n;
  }
  int lastError() const override { return error_; }
  std::optional<std::uint32_t> parseDotted(const std::string&) const override { return 0x0100007f; }
  std::unique_ptr<vantrel::platform::HostLookup> lookup(const std::string&,
                                                        vantrel::platform::EventLoop&) override {
    return nullptr;
  }
  TlsStep startTls(SocketHandle, const std::string& serverName) override {
    static const TlsContext trusting(identity().rootFile);
    session_ = std::make_unique<TlsSession>(fd_, trusting, serverName);
    return session_->step();
  }
  TlsStep continueTls(SocketHandle) override { return session_->step(); }

 private:
  int fd_;
  std::unique_ptr<TlsSession> session_;
  int error_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view stream(reinterpret_cast<const char*>(data + 2), size - 2);
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends) != 0) std::abort();
  const Fd client(ends[0]);
  const Fd serverEnd(ends[1]);
  PieceServer server(serverEnd.get(), stream, data[0], 1 + data[1]);
  ServingLoop loop(server);
  PairSockets sockets(client.get());
  std::string lines;
  {
    vantrel::net::TAsyncSocket socket(loop, sockets);
    socket.Host = "localhost";
    socket.Secure = true;
    socket.Connect();
    for (std::string line;;) {
      socket.ReadLn(line);
      if (line.empty()) break;
      lines += line;
    }
  }
  // A last line without its end is lost with the connection; every whole line arrives intact.
  if (lines != stream.substr(0, stream.rfind('\n') + 1)) std::abort();
  return 0;
}
