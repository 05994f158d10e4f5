#pragma once
// LoopConnection: a TCP connection that lives for minutes, driven by the event loop's socket
// readiness as a timer is. The lookup, the connect, the TLS handshake and every byte in or out
// happen in the loop's callbacks: it never waits, so any number of them can run beside a check,
// a message box or the configuration window. Its owner hears of it through handlers, never from
// inside one of its own calls; dropping it closes it at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::net {

// How a connection ended.
struct ConnectionEnd {
  enum class Why {
    NoSuchHost,   // the name could not be resolved
    Unreachable,  // no connection could be made to the address
    TimedOut,     // the owner's deadline passed
    HungUp,       // the server closed the connection
    Broken,       // the socket failed, or more waited to be sent than is kept
    TlsRefused,   // the handshake or the server's certificate was refused
    TlsRetry,     // this TLS engine cannot go on: a new connection will use the other one
  };
  Why why = Why::Broken;
  int error = 0;       // the Winsock code, where one tells it
  std::string reason;  // of a TLS refusal or retry, in the engine's words
  platform::TlsRefusal refusal = platform::TlsRefusal::Other;
};

class LoopConnection {
 public:
  // What may wait to be sent: a few commands, never a flood.
  static constexpr std::size_t kMostUnsent = 256 * 1024;

  struct Handlers {
    std::function<void()> onOpen;     // connected, and secured when TLS came from the first byte
    std::function<void()> onSecured;  // the handshake that secure() started is done
    std::function<void(std::string_view bytes)> onBytes;  // what came, as it came
    std::function<void(const ConnectionEnd& end)> onEnd;  // once, unless the owner closed it
  };

  LoopConnection(platform::EventLoop& loop, platform::Sockets& sockets, Handlers handlers);
  LoopConnection(const LoopConnection&) = delete;
  LoopConnection& operator=(const LoopConnection&) = delete;
  ~LoopConnection();

  // Connects to host:port, secured from the first byte when `tls` is set, the server's
  // certificate checked for `host`. After an end or a close, it starts anew.
  void open(const std::string& host, std::uint16_t port, bool tls);
  // Secures the open connection in mid-conversation (after a STARTTLS): what is sent from now on
  // waits for the handshake.
  void secure();
  // The bytes go now, or as soon as the socket takes them, in order.
  void send(std::string_view bytes);
  // The connection ends with TimedOut `ms` from now, unless disarmed (or armed again) first.
  void arm(std::uint32_t ms);
  void disarm();
  // At once: the socket is closed (what it has taken still goes out); onEnd is not called.
  void close();

  bool isOpen() const { return state_ == State::Open; }
  // The engine that secured the connection; None while it is plain.
  platform::TlsEngine securedBy() const { return securedBy_; }

 private:
  enum class State { Closed, Resolving, Connecting, Securing, Open };

  void connectTo(std::uint32_t address);
  void ready();
  void connected();
  void handshake(bool first);
  void opened(bool afterSecure);
  void flush();
  void readAvailable();
  void watch(unsigned events);
  void unwatch();
  // Closes everything; the owner hears why at the loop's next turn.
  void end(ConnectionEnd::Why why, int error = 0, std::string reason = {},
           platform::TlsRefusal refusal = platform::TlsRefusal::Other);
  void shutDown();
  void later(std::function<void()> action);
  void stopLater();

  platform::EventLoop& loop_;
  platform::Sockets& sockets_;
  Handlers handlers_;
  int acquireError_ = 0;  // the socket library could not start
  State state_ = State::Closed;
  std::string host_;
  std::uint16_t port_ = 0;
  bool tls_ = false;
  bool upgrading_ = false;  // the handshake under way was asked for by secure()
  platform::SocketHandle socket_ = platform::kNoSocket;
  std::unique_ptr<platform::HostLookup> lookup_;
  std::optional<platform::WatchId> watch_;
  unsigned watched_ = 0;
  std::optional<platform::TimerId> deadline_;
  std::optional<platform::TimerId> later_;
  std::function<void()> laterAction_;
  std::string unsent_;
  // A send that answered would-block is repeated with the same bytes, as TLS needs.
  std::size_t blocked_ = 0;
  platform::TlsEngine securedBy_ = platform::TlsEngine::None;
  std::vector<char> received_;
  // Cleared when this object goes: a handler may drop it, and nothing of it is touched after.
  // Not make_shared: without run-time type information it brings in libstdc++'s shared-pointer
  // object and its thread-safe statics, some 5 KB of each Windows program.
  std::shared_ptr<bool> alive_{new bool(true)};
};

}  // namespace vantrel::net
