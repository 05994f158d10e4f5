#pragma once
// The thin socket layer under the network components: IPv4 TCP client sockets that never block,
// and name lookups that finish in the background. Errors are Winsock codes on every platform, so
// the components read and report them the same way everywhere.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event_loop.h"
#include "platform/tls_refusal.h"

namespace vantrel::platform {

inline constexpr SocketHandle kNoSocket = -1;

namespace wsa {
inline constexpr int kInterrupted = 10004;
inline constexpr int kBadFile = 10009;
inline constexpr int kAccess = 10013;
inline constexpr int kFault = 10014;
inline constexpr int kInvalid = 10022;
inline constexpr int kTooManyFiles = 10024;
inline constexpr int kWouldBlock = 10035;
inline constexpr int kAlready = 10037;
inline constexpr int kNotSocket = 10038;
inline constexpr int kMessageSize = 10040;
inline constexpr int kProtocolType = 10041;
inline constexpr int kProtocolOption = 10042;
inline constexpr int kProtocolNotSupported = 10043;
inline constexpr int kSocketNotSupported = 10044;
inline constexpr int kOperationNotSupported = 10045;
inline constexpr int kFamilyNotSupported = 10047;
inline constexpr int kAddressInUse = 10048;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kNetworkDown = 10050;
inline constexpr int kNetworkUnreachable = 10051;
inline constexpr int kNetworkReset = 10052;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNoBuffers = 10055;
inline constexpr int kIsConnected = 10056;
inline constexpr int kNotConnected = 10057;
inline constexpr int kShutdown = 10058;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kNameTooLong = 10063;
inline constexpr int kHostDown = 10064;
inline constexpr int kHostUnreachable = 10065;
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
inline constexpr int kNoRecovery = 11003;
inline constexpr int kNoData = 11004;
}  // namespace wsa

// One name lookup running in the background. It is never withdrawn: dropping the object before
// it finishes leaves the back end to discard the late answer.
class HostLookup {
 public:
  virtual ~HostLookup() = default;

  // Becomes readable (EventLoop::waitForSocket with kSocketRead) when the lookup finishes; or
  // kNoSocket when the back end signals completion through EventLoop::wake instead.
  virtual SocketHandle readyHandle() const = 0;
  virtual bool finished() const = 0;
  // 0, or the Winsock code of the failure (11001 host not found and its kin).
  virtual int error() const = 0;
  // The first IPv4 address found, in network byte order.
  virtual std::uint32_t address() const = 0;
};

// Which engine secured a connection: the system's own (SChannel, OpenSSL) or the built-in one.
enum class TlsEngine { None, System, BuiltIn };

// Where a TLS handshake stands after one step.
struct TlsStep {
  enum class State {
    Done,       // the connection is secure; send and receive carry plain text from now on
    WantRead,   // wait until the socket can be read, then step again
    WantWrite,  // wait until the socket can be written, then step again
    Failed,     // the handshake or the server's certificate was refused; see reason
    // This engine and the server have nothing in common, and the connection is lost for TLS:
    // a new connection to the same server, started over, is secured by the other engine.
    Reconnect,
  };
  State state = State::Failed;
  std::string reason;
  // What a failed step comes down to where the engine knows more than its words say; otherwise
  // the words are judged by tlsRefusalOf.
  TlsRefusal refusal = TlsRefusal::Other;
};

class Sockets {
 public:
  virtual ~Sockets() = default;

  // Counted start and stop of the socket library: the first acquire starts it, the last release
  // stops it. acquire answers 0 or a Winsock code.
  virtual int acquire() = 0;
  virtual void release() = 0;

  // A non-blocking IPv4 stream socket, or kNoSocket (see lastError). With lingerAbort set,
  // closing it drops the connection at once.
  virtual SocketHandle open(bool lingerAbort) = 0;
  // 0 on success, otherwise -1 (see lastError).
  virtual int close(SocketHandle socket) = 0;

  // Starts a connection; 0 is never returned: a started connection answers -1 with would-block
  // and ends with kSocketConnect.
  virtual int connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) = 0;
  // How the connection went: 0, a Winsock code, or would-block while it is still under way.
  virtual int connectResult(SocketHandle socket) = 0;

  // Bytes moved (0 from receive: the peer closed), or -1 (see lastError). On a secure socket
  // they move plain text: receive answers would-block until a whole record is decrypted, and a
  // send that answered would-block must be repeated with the same bytes.
  virtual long send(SocketHandle socket, const char* data, std::size_t length) = 0;
  virtual long receive(SocketHandle socket, char* data, std::size_t length, bool peek) = 0;

  // Starts TLS on a connected socket whose server certificate must be valid for serverName
  // (trusted chain, name, dates), and makes the first step. A back end without TLS refuses.
  virtual TlsStep startTls(SocketHandle /*socket*/, const std::string& /*serverName*/) {
    return {TlsStep::State::Failed, tls_reason::kCannotStart, TlsRefusal::CannotStart};
  }
  // The next step of a handshake that answered WantRead or WantWrite.
  virtual TlsStep continueTls(SocketHandle /*socket*/) {
    return {TlsStep::State::Failed, tls_reason::kCannotStart, TlsRefusal::CannotStart};
  }
  // The engine whose handshake secured the socket; None while it is plain.
  virtual TlsEngine secureEngine(SocketHandle /*socket*/) const { return TlsEngine::None; }
  // The system's engine by the name a user may know it by ("SChannel", "OpenSSL").
  virtual std::string systemTlsEngineName() const { return {}; }

  // Winsock code of the last failed call.
  virtual int lastError() const = 0;

  // A dotted IPv4 address in network byte order, without any lookup.
  virtual std::optional<std::uint32_t> parseDotted(const std::string& text) const = 0;
  virtual std::unique_ptr<HostLookup> lookup(const std::string& name, EventLoop& loop) = 0;
  // A lookup that tells its end: onFinished runs on the loop's thread wherever messages are
  // dispatched (as EventLoop::watchSocket's calls do), never inside this call, once; after the
  // lookup object is dropped, never.
  virtual std::unique_ptr<HostLookup> lookupThen(const std::string& name, EventLoop& loop,
                                                 std::function<void()> onFinished) = 0;
};

}  // namespace vantrel::platform
