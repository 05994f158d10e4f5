#pragma once
// The real-time event loop of the Linux builds: timers on the monotonic clock and waits in poll,
// woken through an eventfd so that a cancel or another thread ends a wait at once.

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
  void run() override;
  void quit() override;
  bool quitting() const override { return quitting_; }

 private:
  struct Timer {
    std::uint32_t intervalMs;
    std::uint64_t dueMs;
    std::function<void()> onTick;
  };

  void dispatchDueTimers();
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
  bool quitting_ = false;
};

}  // namespace vantrel::platform::posix
