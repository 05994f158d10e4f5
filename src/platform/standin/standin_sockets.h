#pragma once
// A simulated network for the app tests: names that resolve, listeners on address and port, and
// servers scripted in C++ that answer what the program sends. Everything happens at once in
// virtual time; a server that says nothing leaves the program waiting for its time-out.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/socket.h"
#include "platform/standin/standin_event_loop.h"

namespace vantrel::platform::standin {

// The server side of one connection.
class StandinConnection {
 public:
  virtual ~StandinConnection() = default;
  // What the server sends as the connection opens.
  virtual std::string greeting() { return {}; }
  // The client sent `bytes` (any piece of the stream); the answer, possibly nothing yet.
  virtual std::string received(std::string_view bytes) = 0;
  // Whether the server has closed its end; the client reads what was answered before it.
  virtual bool hungUp() const { return false; }
  // A server with implicit TLS greets only once the handshake is made.
  virtual bool implicitTls() const { return false; }
  // The client starts TLS for `serverName`: empty accepts the handshake in one step, anything
  // else is why it fails (a plain server cannot make one), a text of tls_reason saying what it
  // comes down to.
  virtual std::string tlsRefusal(const std::string& /*serverName*/) {
    return "the server did not answer the handshake";
  }

  // What the server says of its own accord, at any moment (a test's StandinEventLoop::atTime):
  // it reaches the client after what was answered before.
  void say(std::string_view bytes) { said_ += bytes; }
  std::string takeSaid() { return std::exchange(said_, {}); }
  bool hasSaid() const { return !said_.empty(); }

 private:
  std::string said_;
};

// A new server for each accepted connection; one that returns nothing never accepts, so the
// connection stays under way.
using StandinServerFactory = std::function<std::unique_ptr<StandinConnection>()>;

class StandinSockets final : public Sockets {
 public:
  explicit StandinSockets(StandinEventLoop& loop);

  void addHost(std::string name, std::uint32_t address);
  void listen(std::uint32_t address, std::uint16_t port, StandinServerFactory factory);
  // Connections opened so far, accepted or not.
  int connectionsMade() const { return connectionsMade_; }
  int openSockets() const { return static_cast<int>(sockets_.size()); }

  int acquire() override { return 0; }
  void release() override {}
  SocketHandle open(bool lingerAbort) override;
  int close(SocketHandle socket) override;
  int connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) override;
  int connectResult(SocketHandle socket) override;
  long send(SocketHandle socket, const char* data, std::size_t length) override;
  long receive(SocketHandle socket, char* data, std::size_t length, bool peek) override;
  int lastError() const override { return lastError_; }
  std::optional<std::uint32_t> parseDotted(const std::string& text) const override;
  std::unique_ptr<HostLookup> lookup(const std::string& name, EventLoop& loop) override;
  // Answered at the loop's next dispatch.
  std::unique_ptr<HostLookup> lookupThen(const std::string& name, EventLoop& loop,
                                         std::function<void()> onFinished) override;
  TlsStep startTls(SocketHandle socket, const std::string& serverName) override;
  TlsEngine secureEngine(SocketHandle socket) const override;
  // It stands in for Windows.
  std::string systemTlsEngineName() const override { return "SChannel"; }
  // The engine that secures the handshakes from now on.
  void secureWith(TlsEngine engine) { engine_ = engine; }

  // The events a wait on `socket` would see now.
  unsigned signalled(SocketHandle socket) const;

 private:
  struct Socket {
    bool connecting = false;
    int connectError = 0;
    std::unique_ptr<StandinConnection> server;
    std::string toClient;
    TlsEngine securedBy = TlsEngine::None;
  };
  Socket* find(SocketHandle socket);
  long fail(int error);
  std::optional<std::uint32_t> addressOf(const std::string& name) const;

  StandinEventLoop& loop_;
  std::map<std::string, std::uint32_t> hosts_;
  std::map<std::pair<std::uint32_t, std::uint16_t>, StandinServerFactory> listeners_;
  std::map<SocketHandle, Socket> sockets_;
  SocketHandle nextHandle_ = 100;
  int connectionsMade_ = 0;
  int lastError_ = 0;
  TlsEngine engine_ = TlsEngine::System;
};

// 127.0.0.1 and its kin in network byte order, as the socket layer carries addresses.
constexpr std::uint32_t ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 |
         static_cast<std::uint32_t>(c) << 16 | static_cast<std::uint32_t>(d) << 24;
}

}  // namespace vantrel::platform::standin
