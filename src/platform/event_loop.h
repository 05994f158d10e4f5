#pragma once
// The one thread's message and timer loop, as seen by the program and the network components.
// Every wait goes through here so that timers and messages keep being dispatched while a
// network conversation blocks, without ever spinning a processor.

#include <cstdint>
#include <functional>
#include <optional>

namespace vantrel::platform {

using TimerId = std::uint32_t;
using WatchId = std::uint32_t;

// A socket as the operating system names it (SOCKET on Windows, a descriptor on POSIX).
using SocketHandle = std::intptr_t;

enum SocketEvents : unsigned {
  kSocketRead = 1,     // data or end of stream can be read, or a listener can accept
  kSocketWrite = 2,    // a send can progress, or a connect has completed
  kSocketConnect = 4,  // a connect has completed (successfully or not)
  kSocketClose = 8,    // the peer closed the connection
};

enum class WaitOutcome {
  Ready,     // at least one of the requested socket events is signalled
  TimedOut,  // the deadline passed first
  Woken,     // wake() was called (a cancel, a time-out of a component's own timer)
  Quit,      // the program is ending: quit() was called while waiting
};

// A moment of the day as the computer's clock shows it to its user.
struct TimeOfDay {
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;

  // Milliseconds on the loop's clock (a virtual one in the stand-in).
  virtual std::uint64_t nowMs() const = 0;
  // The local time of day (in the stand-in, a settable one that moves with the virtual clock).
  virtual TimeOfDay localTime() const = 0;

  // A repeating timer; the callback runs on the loop's thread whenever messages are dispatched.
  virtual TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) = 0;
  virtual void stopTimer(TimerId id) = 0;

  // Dispatches whatever is pending now (messages, due timers); never blocks.
  virtual void processMessages() = 0;

  // Blocks without dispatching anything (the program's Sleep).
  virtual void sleep(std::uint32_t ms) = 0;

  // Blocks, dispatching messages and timers, until one of `events` is signalled on the socket,
  // the deadline (on nowMs()'s clock) passes, wake() is called or the loop is told to quit.
  virtual WaitOutcome waitForSocket(SocketHandle socket, unsigned events,
                                    std::optional<std::uint64_t> deadlineMs) = 0;

  // Ends the current or next waitForSocket with WaitOutcome::Woken. Callable from a callback.
  virtual void wake() = 0;

  // Readiness of a socket that lives for minutes, told as a timer's tick is: onReady runs on the
  // loop's thread wherever messages are dispatched (run, waitForSocket, processMessages, and on
  // Windows a message box's or dialog's own loop too), never inside watchSocket itself. What the
  // three platforms have in common makes the contract:
  // - A call is a hint, not a promise: it may come when nothing can be done, so the owner asks the
  //   socket (connectResult, receive, send) and takes would-block as "not yet".
  // - kSocketRead (which includes the peer's close): after each call, read until receive answers
  //   would-block or the end. What is left unread may never be told again (Windows tells it
  //   again only after a receive; a TLS session may hold decrypted text the socket no longer
  //   shows).
  // - kSocketWrite: ask for it only after a send answered would-block, and stop once that send has
  //   gone through: POSIX tells of a writable socket continually, Windows only after a blocked
  //   send.
  // - kSocketConnect: a connect under way has ended; connectResult says how. Watch before
  //   connecting.
  // One watch per socket at a time: to change its events, unwatch and watch again. Unwatch before
  // closing the socket; unwatching from inside onReady is fine. A watched socket is never waited
  // for with waitForSocket (Windows cannot notify one socket both ways at once).
  virtual WatchId watchSocket(SocketHandle socket, unsigned events,
                              std::function<void()> onReady) = 0;
  virtual void unwatchSocket(WatchId id) = 0;

  // Runs the message loop until quit() is called.
  virtual void run() = 0;
  virtual void quit() = 0;
  virtual bool quitting() const = 0;
};

}  // namespace vantrel::platform
