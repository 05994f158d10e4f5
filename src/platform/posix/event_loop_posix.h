#pragma once
// The real-time event loop of the Linux builds: timers on the monotonic clock and waits in poll,
// woken through an eventfd so that a cancel or another thread ends a wait at once. Watched sockets
// join every poll.

#include <poll.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "platform/event_loop.h"
#include "platform/posix/fd.h"

namespace vantrel::platform::posix {

class PosixEventLoop final : public EventLoop {
 public:
  PosixEventLoop();

  std::uint64_t nowMs() const override;
  TimeOfDay localTime() const override;
  TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void stopTimer(TimerId id) override;
  void processMessages() override;
  void sleep(std::uint32_t ms) override;
  WaitOutcome waitForSocket(SocketHandle socket, unsigned events,
                            std::optional<std::uint64_t> deadlineMs) override;
  // Safe from any thread.
  void wake() override;
  WatchId watchSocket(SocketHandle socket, unsigned events, std::function<void()> onReady) override;
  void unwatchSocket(WatchId id) override;
  void run() override;
  void quit() override;
  bool quitting() const override { return quitting_; }

 private:
  struct Timer {
    std::uint32_t intervalMs;
    std::uint64_t dueMs;
    std::function<void()> onTick;
  };

  struct Watch {
    int fd;
    short events;
    std::function<void()> onReady;
  };

  void dispatchDueTimers();
  // Polls the watched sockets with the wake and, if given, the waited socket, for at most
  // `timeoutMs` (-1: no limit), runs the callbacks of the watches that are ready, and answers
  // whether the waited socket is.
  bool pollOnce(const pollfd* waited, int timeoutMs);
  std::optional<std::uint64_t> nextDueMs() const;
  // Whether a wake came that the wait begun when wakesTaken_ was `start` has not seen.
  bool takeWake(std::uint64_t start);

  Fd wakeFd_;
  // A wake ends every wait under way, however deeply nested, and the next one if none is: a
  // nested wait must not swallow the wake of the one it interrupted.
  std::atomic<std::uint64_t> wakes_{0};
  std::uint64_t wakesTaken_ = 0;
  std::map<TimerId, Timer> timers_;
  TimerId nextTimerId_ = 1;
  std::map<WatchId, Watch> watches_;
  WatchId nextWatchId_ = 1;
  bool quitting_ = false;
};

}  // namespace vantrel::platform::posix
