#pragma once
// Winsock behind the thin socket layer. Name lookups run in Winsock's own background through
// WSAAsyncGetHostByName, whose answer reaches a hidden window and wakes the event loop.

#include <winsock2.h>

#include <map>
#include <memory>

#include "platform/socket.h"
#include "platform/tls/engine_choice.h"

namespace vantrel::platform::win32 {

class Win32Sockets final : public Sockets {
 public:
  // Secure connections go through SChannel, or the built-in engine where SChannel cannot make
  // them (see tls::SecureConnections), unless `choice` names one.
  explicit Win32Sockets(tls::EngineChoice choice = tls::EngineChoice::Automatic);
  Win32Sockets(const Win32Sockets&) = delete;
  Win32Sockets& operator=(const Win32Sockets&) = delete;
  ~Win32Sockets() override;

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
  std::string systemTlsEngineName() const override { return "SChannel"; }
  int lastError() const override { return lastError_; }
  std::optional<std::uint32_t> parseDotted(const std::string& text) const override;
  std::unique_ptr<HostLookup> lookup(const std::string& name, EventLoop& loop) override;
  std::unique_ptr<HostLookup> lookupThen(const std::string& name, EventLoop& loop,
                                         std::function<void()> onFinished) override;

 private:
  int fail();

  int users_ = 0;
  int lastError_ = 0;
  // Connects that Winsock settled at once; the components expect to hear of them as events.
  std::map<SocketHandle, int> settledConnects_;
  struct Tls;
  std::unique_ptr<Tls> tls_;
};

}  // namespace vantrel::platform::win32
