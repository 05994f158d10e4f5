#pragma once
// TLS on one non-blocking socket through OpenSSL. The library checks the server's certificate
// against the system's trust store (plus an extra root for tests), its name and its dates. The
// socket is read and written here, never by the library, so that a would-block always means
// the kernel has nothing more to give and the caller's wait for the socket is sound.

#include <memory>
#include <string>
#include <utility>

#include "platform/socket.h"
#include "platform/tls/pending_record.h"
#include "platform/tls/tls_engine.h"

using SSL = struct ssl_st;
using SSL_CTX = struct ssl_ctx_st;
using BIO = struct bio_st;

namespace vantrel::platform::posix {

// What the secure connections of one back end share: the protocol floor and the trusted roots,
// read once.
class TlsContext {
 public:
  // extraRoot: a PEM file of one more trusted root, or empty.
  explicit TlsContext(const std::string& extraRoot);
  TlsContext(const TlsContext&) = delete;
  TlsContext& operator=(const TlsContext&) = delete;
  ~TlsContext();

  SSL_CTX* get() const { return context_.get(); }
  // Why no connection can be made with it, or empty.
  const std::string& failure() const { return failure_; }

 private:
  struct Free {
    void operator()(SSL_CTX* context) const;
  };
  std::unique_ptr<SSL_CTX, Free> context_;
  std::string failure_;
};

class TlsSession final : public tls::Session {
 public:
  // The session holds its own reference to the context's settings.
  TlsSession(int fd, const TlsContext& context, const std::string& serverName);
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;
  ~TlsSession() override;

  TlsStep step() override;
  long send(const char* data, std::size_t length) override;
  long receive(char* data, std::size_t length, bool peek) override;
  int error() const override { return error_; }

 private:
  // Runs one library call until it succeeds, needs the network, or fails for good: answers its
  // result (> 0), or 0 with wait_ saying what to wait for, or -1 with error_ set.
  template <typename Call>
  int drive(Call&& call);
  bool flush();
  std::string failure() const;

  struct Free {
    void operator()(SSL* ssl) const;
  };

  int fd_;
  std::unique_ptr<SSL, Free> ssl_;
  BIO* in_ = nullptr;   // owned by ssl_
  BIO* out_ = nullptr;  // owned by ssl_
  std::string outgoing_;
  std::string setupFailure_;
  tls::PendingRecord pending_;
  bool handshakeDone_ = false;
  bool peerClosed_ = false;
  TlsStep::State wait_ = TlsStep::State::WantRead;
  int error_ = 0;     // Winsock code
  int sslError_ = 0;  // the library's reason for the last failed call
};

// OpenSSL as the system's engine of the Linux back end; its settings are read once, by the first
// secure connection.
class OpenSslEngine final : public tls::Engine {
 public:
  explicit OpenSslEngine(std::string extraRoot) : extraRoot_(std::move(extraRoot)) {}
  std::unique_ptr<tls::Session> start(SocketHandle socket, const std::string& serverName) override;

 private:
  std::string extraRoot_;
  std::unique_ptr<TlsContext> context_;
};

}  // namespace vantrel::platform::posix
