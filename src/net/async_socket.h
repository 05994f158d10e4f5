#pragma once
// TAsyncSocket: one IPv4 TCP client connection with blocking-style operations. Every wait blocks
// in the event loop, which keeps dispatching the program's timers and messages meanwhile, so the
// owner's handlers may run (and re-enter) in the middle of a conversation; what they ask of the
// very component that is waiting is refused.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/errors.h"
#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::net {

class TAsyncSocket;

using TNotifyEvent = std::function<void(TAsyncSocket& sender)>;
using THandlerEvent = std::function<void(bool& handled)>;
using TOnStatus = std::function<void(TAsyncSocket& sender, const std::string& status)>;

// How chatty a status report is: it reaches OnStatus when its level is at most ReportLevel.
enum class StatusLevel : int {
  Reply = 1,      // a reply line of Transaction
  Completed = 2,  // a whole HTTP transaction done
  Socket = 4,     // the send buffer and the closing of the socket
  Trace = 8,      // every other step
};

// The time-out timer: the event loop's timer, running on the loop's thread. Not ui::Timer: this
// one is enabled from the start and only runs once it also has a handler and an interval.
class TThreadTimer {
 public:
  explicit TThreadTimer(platform::EventLoop& loop) : loop_(loop) {}
  TThreadTimer(const TThreadTimer&) = delete;
  TThreadTimer& operator=(const TThreadTimer&) = delete;
  ~TThreadTimer() { stop(); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval);
  void SetOnTimer(std::function<void()> onTimer);

 private:
  void restart();
  void stop();

  platform::EventLoop& loop_;
  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  std::function<void()> onTimer_;
  std::optional<platform::TimerId> running_;
};

struct RemoteAddress {
  std::uint16_t port = 0;     // network byte order
  std::uint32_t address = 0;  // network byte order; 0 = none known
};

class TAsyncSocket {
 public:
  static constexpr std::size_t kIoBufferSize = 65536;

  TAsyncSocket(platform::EventLoop& loop, platform::Sockets& sockets);
  TAsyncSocket(const TAsyncSocket&) = delete;
  TAsyncSocket& operator=(const TAsyncSocket&) = delete;
  virtual ~TAsyncSocket();

  std::string Host;
  int Port = 0;
  int TimeOut = 0;  // milliseconds; 0 = no time-out
  int ReportLevel = 0;
  std::string Proxy;
  int ProxyPort = 0;
  // Connect secures the connection with TLS (certificate checked for Host) before anything is
  // read or sent; a refusal raises ETlsError and closes it.
  bool Secure = false;

  TNotifyEvent OnDisconnect;
  TNotifyEvent OnConnect;
  THandlerEvent OnInvalidHost;
  TNotifyEvent OnHostResolved;
  TOnStatus OnStatus;
  TNotifyEvent OnConnectionFailed;
  TNotifyEvent OnPacketRecvd;
  TNotifyEvent OnPacketSent;

  virtual void Connect();
  virtual void Disconnect();
  virtual void Transaction(const std::string& command, std::string& reply);
  virtual void Abort();

  void Cancel();
  // length 0: up to the first zero byte.
  void SendBuffer(const char* bytes, std::uint16_t length);
  void Write(const std::string& text);
  void Writeln(const std::string& text);
  void ReadLn(std::string& line);
  void CaptureString(std::string& text, int limit);
  void CaptureFile(const std::string& fileName);
  // Receives `count` bytes, handing them to `sink` a chunk at a time, so that a long run passes
  // through IoBuffer without being kept; answers how many came (fewer: the peer closed).
  std::uint64_t CaptureCount(std::uint64_t count,
                             const std::function<void(const char*, std::size_t)>& sink);
  // Reads one line of any length, handing it to `sink` a buffer at a time as it comes, so that it
  // is never held whole; the last piece ends with the LF. False when the peer closed first.
  bool ReadLnInPieces(const std::function<void(std::string_view)>& sink);
  void SendFile(const std::string& fileName);
  bool DataAvailable();
  void ClearInput();
  void ResolveHost();
  std::string ErrorText(int code);

  // A peer that has hung up since the last read counts as gone (noticed here, not only at the
  // next read), unless an operation of this component is waiting right now.
  bool Connected();
  bool Canceled() const { return canceled_; }
  bool TimedOut() const { return timedOut_; }
  std::int16_t ReplyNumber() const { return replyNumber_; }
  const std::string& LastReply() const { return lastReply_; }
  int LastErrorNo() const { return lastErrorNo_; }
  const std::string& StatusText() const { return statusText_; }
  const net::RemoteAddress& RemoteAddress() const { return remoteAddress_; }
  int BytesRecvd() const { return bytesRecvd_; }
  // The TLS engine that secured the connection of the last Connect; None while it is plain.
  platform::TlsEngine SecuredBy() const { return securedBy_; }
  int BytesTotal() const { return bytesTotal_; }

 protected:
  void TimerOn();
  void TimerOff();
  void TimerFired();
  // Raises the error of `code` unless it is `tolerated` or not a socket error at all.
  std::string ErrorCheck(int code, int tolerated);
  void CloseSocket();
  void ReportStatus(StatusLevel level, const std::string& text);
  // Raises ESockError when called from inside one of this component's own waits: the waiting
  // operation still owns the socket, its lookup and its buffer.
  void refuseNested() const;
  // Runs the TLS handshake on the open connection, the server's certificate checked for Host,
  // within the time-out; a refusal closes the connection and raises ETlsError. Connect calls it
  // for an implicitly secure connection; a protocol that upgrades mid-conversation calls it
  // itself, inside withTlsEngineRetry. Raises ETlsRetry, the connection closed, when only a new
  // connection can go on (with the other TLS engine).
  void StartTls();
  // Runs `attempt`, a whole connection from Connect up to and including StartTls, and once more
  // when StartTls asked for a new connection; a second such request is a refusal (ETlsError).
  void withTlsEngineRetry(const std::function<void()>& attempt);

  bool lookupDone_ = false;
  std::int16_t replyNumber_ = 0;
  int bytesTotal_ = 0;

 private:
  void InitWinsock();
  // Connects to the resolved address and, for a secure connection, runs the handshake.
  void openConnection(std::uint16_t port);
  // The socket's notifications: connect (16) and close (32) as Winsock numbers them.
  void notify(int event, int error);
  void noticePeerClose();
  void openFreshSocket();
  // Swaps the socket for a fresh one without a word: there was no connection to report.
  void renewSocket();
  // Blocks until the socket shows `events`, a timer or cancel wakes the loop, or it quits.
  platform::WaitOutcome waitFor(platform::SocketHandle handle, unsigned events);
  // Dispatches the program's pending messages, as a wait of this component.
  void pump();
  // Sends every byte unless cancelled; a send that cannot progress waits like any other wait.
  void sendAll(const char* bytes, std::size_t length, bool packetEvents);
  // A cancel that came during the call ends it, once.
  void endIfCanceled(const char* abortText);
  // One turn of a capture: false when the peer closed or the socket is no longer connected.
  template <typename Sink>
  bool captureTurn(Sink&& sink, std::size_t most);
  // Turns of capture while `most()`, the most the next turn may take, is above 0, until the peer
  // closes or the socket is no longer connected; a cancel ends it with `abortText`.
  template <typename Most, typename Sink>
  void capture(Most&& most, Sink&& sink, const char* abortText);

  platform::EventLoop& loop_;
  platform::Sockets& sockets_;
  TThreadTimer timer_;
  platform::SocketHandle socket_ = platform::kNoSocket;
  bool connected_ = false;
  bool canceled_ = false;
  bool timedOut_ = false;
  bool lastEventOk_ = false;
  bool beingDestroyed_ = false;  // also keeps OnStatus and OnDisconnect quiet
  bool winsockHeld_ = false;
  int waiting_ = 0;  // depth of this component's own waits under way
  int lastErrorNo_ = 0;
  std::string statusText_;
  net::RemoteAddress remoteAddress_;
  std::string lastReply_;
  int bytesRecvd_ = 0;
  platform::TlsEngine securedBy_ = platform::TlsEngine::None;
  std::unique_ptr<std::array<char, kIoBufferSize>> ioBuffer_;
};

}  // namespace vantrel::net
