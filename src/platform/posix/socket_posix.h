#pragma once
// POSIX sockets behind the thin socket layer, with errno translated to Winsock codes.

#include <map>
#include <memory>
#include <string>

#include "platform/socket.h"
#include "platform/tls/engine_choice.h"

namespace vantrel::platform::posix {

// The Winsock code for an errno value, and for a getaddrinfo failure.
int winsockCode(int errnoValue);
int winsockLookupCode(int gaiError);

class PosixSockets final : public Sockets {
 public:
  // extraRoot: a PEM file of a root trusted besides the system's (the built-in engine trusts
  // it alone), for tests; empty for none. The system's engine is OpenSSL unless `system` is
  // given (a test's stand-in).
  explicit PosixSockets(std::string extraRoot = {},
                        tls::EngineChoice choice = tls::EngineChoice::System,
                        std::unique_ptr<tls::Engine> system = nullptr);
  PosixSockets(const PosixSockets&) = delete;
  PosixSockets& operator=(const PosixSockets&) = delete;
  ~PosixSockets() override;

  int acquire() override;
  void release() override;
  SocketHandle open(bool lingerAbort) override;
  int close(SocketHandle socket) override;
  int connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) override;
  int connectResult(SocketHandle socket) override;
  long send(SocketHandle socket, const char* data, std::size_t length) override;
  long receive(SocketHandle socket, char* data, std::size_t length, bool peek) override;
  TlsStep startTls(SocketHandle socket, const std::string& serverName) override;
  TlsStep continueTls(SocketHandle socket) override;
  TlsEngine secureEngine(SocketHandle socket) const override;
  std::string systemTlsEngineName() const override { return "OpenSSL"; }
  int lastError() const override { return lastError_; }
  std::optional<std::uint32_t> parseDotted(const std::string& text) const override;
  std::unique_ptr<HostLookup> lookup(const std::string& name, EventLoop& loop) override;
  std::unique_ptr<HostLookup> lookupThen(const std::string& name, EventLoop& loop,
                                         std::function<void()> onFinished) override;

 private:
  int fail(int errnoValue);

  int users_ = 0;
  int lastError_ = 0;
  // Outcomes of connects that Linux settled at once; Winsock would report them later.
  std::map<SocketHandle, int> settledConnects_;
  struct Tls;
  std::unique_ptr<Tls> tls_;
};

}  // namespace vantrel::platform::posix
