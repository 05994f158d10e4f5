// ReadLn over TLS: a server stream whose records are cut at chosen sizes and whose bytes reach
// the client's socket in pieces of varying size, through the Linux back end's TLS engine. The
// lines read must be the stream, whatever the cuts. The server runs in this thread: each time
// the client would wait, it hands over the next piece.
// The two ends share a key beforehand (a TLS 1.2 pre-shared key) rather than check a certificate
// and agree on keys: that work, the same for every input, took most of each input's time. The
// client's code runs the same either way; the network suite checks certificates and key exchange
// against real servers.
// Input: byte 0 seeds the piece sizes, byte 1 is the largest record, the rest is the stream.
#include <openssl/ssl.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
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

template <auto release>
struct Release {
  template <typename T>
  void operator()(T* handle) const {
    release(handle);
  }
};
using Ssl = std::unique_ptr<SSL, Release<SSL_free>>;
using SslContext = std::unique_ptr<SSL_CTX, Release<SSL_CTX_free>>;

constexpr std::string_view kKeyName = "vantrel-fuzz";
// TLS 1.2, the only version Vantrel speaks on Windows, with an AEAD suite as its servers choose.
constexpr char kSuite[] = "PSK-AES128-GCM-SHA256";

unsigned serveKey(SSL*, const char* identity, unsigned char* key, unsigned maxKey);
unsigned offerKey(SSL*, const char* hint, char* identity, unsigned maxIdentity, unsigned char* key,
                  unsigned maxKey);

// What the whole run shares: the server's settings and the client's.
struct Shared {
  Shared() : server(SSL_CTX_new(TLS_server_method())), client("") {
    SSL_CTX_set_max_proto_version(server.get(), TLS1_2_VERSION);
    SSL_CTX_set_cipher_list(server.get(), kSuite);
    SSL_CTX_set_psk_server_callback(server.get(), serveKey);
    SSL_CTX_set_cipher_list(client.get(), kSuite);
    SSL_CTX_set_psk_client_callback(client.get(), offerKey);
  }

  SslContext server;
  TlsContext client;
};

const Shared& shared() {
  static const Shared once;
  return once;
}

constexpr unsigned char kSecret[16] = {'v', 'a', 'n', 't', 'r', 'e', 'l'};

unsigned serveKey(SSL*, const char* identity, unsigned char* key, unsigned maxKey) {
  if (identity == nullptr || kKeyName != identity || maxKey < sizeof kSecret) return 0;
  std::copy(std::begin(kSecret), std::end(kSecret), key);
  return sizeof kSecret;
}

unsigned offerKey(SSL*, const char*, char* identity, unsigned maxIdentity, unsigned char* key,
                  unsigned maxKey) {
  if (maxIdentity <= kKeyName.size() || maxKey < sizeof kSecret) return 0;
  std::copy(kKeyName.begin(), kKeyName.end(), identity);
  identity[kKeyName.size()] = '\0';
  std::copy(std::begin(kSecret), std::end(kSecret), key);
  return sizeof kSecret;
}

// The server end: a memory-BIO TLS server whose output goes to its socket piece by piece.
class PieceServer {
 public:
  PieceServer(int fd, std::string_view stream, unsigned seed, std::size_t largestRecord)
      : fd_(fd),
        stream_(stream),
        seed_(seed | 1),
        largestRecord_(largestRecord),
        ssl_(SSL_new(shared().server.get())) {
    SSL_set_bio(ssl_.get(), in_, out_);
    SSL_set_accept_state(ssl_.get());
  }

  // One turn while the client waits: take in what it sent, move the conversation on, hand over
  // one piece. False once everything was handed over and the end of the stream announced.
  bool turn() {
    char chunk[4096];
    for (ssize_t n; (n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT)) > 0;) {
      BIO_write(in_, chunk, static_cast<int>(n));
    }
    if (!SSL_is_init_finished(ssl_.get())) {
      SSL_do_handshake(ssl_.get());
    } else {
      while (SSL_read(ssl_.get(), chunk, sizeof chunk) > 0) {
      }
      while (!stream_.empty()) {
        const std::size_t record =
            std::min<std::size_t>(stream_.size(), 1 + next() % largestRecord_);
        SSL_write(ssl_.get(), stream_.data(), static_cast<int>(record));
        stream_.remove_prefix(record);
      }
    }
    for (int n; (n = BIO_read(out_, chunk, sizeof chunk)) > 0;) pending_.append(chunk, n);
    if (!pending_.empty()) {
      const std::size_t piece = std::min<std::size_t>(pending_.size(), 1 + next() % 64);
      if (::send(fd_, pending_.data(), piece, MSG_NOSIGNAL) > 0) pending_.erase(0, piece);
      return true;
    }
    if (SSL_is_init_finished(ssl_.get()) && stream_.empty() && !closed_) {
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
  Ssl ssl_;
  BIO* in_ = BIO_new(BIO_s_mem());   // owned by ssl_
  BIO* out_ = BIO_new(BIO_s_mem());  // owned by ssl_
  std::string pending_;
  bool closed_ = false;
};

class ServingLoop final : public vantrel::platform::EventLoop {
 public:
  explicit ServingLoop(PieceServer& server) : server_(server) {}
  std::uint64_t nowMs() const override { return 0; }
  vantrel::platform::TimeOfDay localTime() const override { return {}; }
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
  vantrel::platform::WatchId watchSocket(SocketHandle, unsigned, std::function<void()>) override {
    return 1;
  }
  void unwatchSocket(vantrel::platform::WatchId) override {}
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
  std::unique_ptr<vantrel::platform::HostLookup> lookupThen(const std::string&,
                                                            vantrel::platform::EventLoop&,
                                                            std::function<void()>) override {
    return nullptr;
  }
  TlsStep startTls(SocketHandle, const std::string& serverName) override {
    session_ = std::make_unique<TlsSession>(fd_, shared().client, serverName);
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
