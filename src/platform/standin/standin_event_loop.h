#pragma once
// An event loop on a virtual clock. Time moves only when the program sleeps or waits, or when a
// test lets it run; the simulated world (other programs) acts as time passes, while the
// program's own timers and messages fire only when the loop dispatches.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/event_loop.h"

namespace vantrel::platform::standin {

class StandinEventLoop : public EventLoop {
 public:
  std::uint64_t nowMs() const override { return now_; }
  TimeOfDay localTime() const override;
  TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void stopTimer(TimerId id) override;
  void processMessages() override;
  void sleep(std::uint32_t ms) override;
  WaitOutcome waitForSocket(SocketHandle socket, unsigned events,
                            std::optional<std::uint64_t> deadlineMs) override;
  void wake() override { woken_ = true; }
  WatchId watchSocket(SocketHandle socket, unsigned events, std::function<void()> onReady) override;
  void unwatchSocket(WatchId id) override;
  void run() override;
  void quit() override { quitting_ = true; }
  bool quitting() const override { return quitting_; }

  // The local clock shows `time` now, and goes on with the virtual one.
  void setLocalTime(TimeOfDay time);
  // Lets virtual time pass, dispatching timers and messages, until `ms` have gone or quit().
  void runFor(std::uint64_t ms);
  // Something another program does at a moment of virtual time.
  void atTime(std::uint64_t when, std::function<void()> action);
  // A message for the program, handled at the next dispatch.
  void post(std::function<void()> message);
  std::size_t activeTimers() const { return timers_.size(); }
  std::size_t activeWatches() const { return watches_.size(); }
  // How the simulated network tells which events a socket shows.
  void setSocketProbe(std::function<unsigned(SocketHandle)> probe) { probe_ = std::move(probe); }

 private:
  struct Timer {
    std::uint32_t interval;
    std::uint64_t due;
    std::function<void()> onTick;
  };
  struct Watch {
    SocketHandle socket;
    unsigned events;
    std::function<void()> onReady;
  };
  void advanceWorldTo(std::uint64_t when);
  bool dispatchDue();
  // Runs the watches whose sockets show their events, until none does.
  bool dispatchWatches();
  std::uint64_t nextDue(std::uint64_t limit) const;

  std::uint64_t now_ = 0;
  // The local clock: the minute of the day it showed at the virtual moment `localSetAt_`.
  std::uint64_t localMinute_ = 9 * 60;
  std::uint64_t localSetAt_ = 0;
  TimerId nextId_ = 1;
  std::map<TimerId, Timer> timers_;
  WatchId nextWatchId_ = 1;
  std::map<WatchId, Watch> watches_;
  std::multimap<std::uint64_t, std::function<void()>> world_;
  std::vector<std::function<void()>> posted_;
  bool quitting_ = false;
  bool woken_ = false;
  std::function<unsigned(SocketHandle)> probe_;
};

}  // namespace vantrel::platform::standin
