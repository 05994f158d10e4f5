#include "platform/standin/standin_event_loop.h"

#include <algorithm>

namespace vantrel::platform::standin {

TimerId StandinEventLoop::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
  const auto id = nextId_++;
  const auto interval = std::max<std::uint32_t>(intervalMs, 1);
  timers_[id] = Timer{interval, now_ + interval, std::move(onTick)};
  return id;
}

void StandinEventLoop::stopTimer(TimerId id) {
  timers_.erase(id);
}

WatchId StandinEventLoop::watchSocket(SocketHandle socket, unsigned events,
                                      std::function<void()> onReady) {
  const auto id = nextWatchId_++;
  // The peer's close is told as readable, as the real loops tell it.
  const unsigned told = events & kSocketRead ? events | kSocketClose : events;
  watches_[id] = Watch{socket, told, std::move(onReady)};
  return id;
}

void StandinEventLoop::unwatchSocket(WatchId id) {
  watches_.erase(id);
}

TimeOfDay StandinEventLoop::localTime() const {
  constexpr std::uint64_t kMinutesOfADay = 24 * 60;
  const std::uint64_t minute = (localMinute_ + (now_ - localSetAt_) / 60000) % kMinutesOfADay;
  return {static_cast<int>(minute / 60), static_cast<int>(minute % 60)};
}

void StandinEventLoop::setLocalTime(TimeOfDay time) {
  localMinute_ =
      static_cast<std::uint64_t>(time.hour) * 60 + static_cast<std::uint64_t>(time.minute);
  localSetAt_ = now_;
}

void StandinEventLoop::atTime(std::uint64_t when, std::function<void()> action) {
  world_.emplace(std::max(when, now_), std::move(action));
}

void StandinEventLoop::post(std::function<void()> message) {
  posted_.push_back(std::move(message));
}

void StandinEventLoop::advanceWorldTo(std::uint64_t when) {
  while (!world_.empty() && world_.begin()->first <= when) {
    const auto node = world_.extract(world_.begin());
    now_ = std::max(now_, node.key());
    node.mapped()();
  }
  now_ = std::max(now_, when);
}

// Runs what is due now: posted messages first, then each due timer once, in due order.
bool StandinEventLoop::dispatchDue() {
  bool any = false;
  while (!posted_.empty()) {
    auto message = std::move(posted_.front());
    posted_.erase(posted_.begin());
    message();
    any = true;
  }
  std::vector<std::pair<std::uint64_t, TimerId>> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.due <= now_) due.emplace_back(timer.due, id);
  }
  std::sort(due.begin(), due.end());
  for (const auto& [when, id] : due) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) continue;  // stopped by an earlier callback
    found->second.due = now_ + found->second.interval;
    auto onTick = found->second.onTick;  // the callback may stop its own timer
    onTick();
    any = true;
  }
  return dispatchWatches() || any;
}

bool StandinEventLoop::dispatchWatches() {
  // An owner that leaves its socket showing would be told of it for ever: after this many rounds
  // at one moment, time goes on.
  constexpr int kRounds = 1000;
  bool any = false;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<WatchId> ready;
    for (const auto& [id, watch] : watches_) {
      if (probe_ && (probe_(watch.socket) & watch.events) != 0) ready.push_back(id);
    }
    if (ready.empty()) break;
    for (const WatchId id : ready) {
      const auto found = watches_.find(id);
      if (found == watches_.end()) continue;  // unwatched by an earlier callback
      auto onReady = found->second.onReady;   // the callback may unwatch itself
      onReady();
      any = true;
    }
  }
  return any;
}

void StandinEventLoop::processMessages() {
  advanceWorldTo(now_);
  dispatchDue();
}

void StandinEventLoop::sleep(std::uint32_t ms) {
  advanceWorldTo(now_ + ms);
}

std::uint64_t StandinEventLoop::nextDue(std::uint64_t limit) const {
  auto next = limit;
  for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
  if (!world_.empty()) next = std::min(next, world_.begin()->first);
  return next;
}

void StandinEventLoop::runFor(std::uint64_t ms) {
  const auto end = now_ + ms;
  processMessages();
  while (!quitting_ && now_ < end) {
    advanceWorldTo(nextDue(end));
    dispatchDue();
  }
}

void StandinEventLoop::run() {
  processMessages();
  while (!quitting_) {
    if (timers_.empty() && world_.empty() && posted_.empty()) return;  // nothing can happen
    advanceWorldTo(nextDue(UINT64_MAX));
    dispatchDue();
  }
}

WaitOutcome StandinEventLoop::waitForSocket(SocketHandle socket, unsigned events,
                                            std::optional<std::uint64_t> deadlineMs) {
  const auto ready = [&] { return probe_ && (probe_(socket) & events) != 0; };
  // Without a deadline the wait lasts until something happens; with nothing left to happen it
  // would last for ever, which a test reports as a time-out rather than a hang.
  const auto end = deadlineMs.value_or(UINT64_MAX);
  while (!quitting_ && !woken_ && !ready() && now_ < end) {
    const auto next = nextDue(end);
    if (next == UINT64_MAX && posted_.empty()) break;
    advanceWorldTo(next);
    dispatchDue();
  }
  if (quitting_) return WaitOutcome::Quit;
  if (woken_) {
    woken_ = false;
    return WaitOutcome::Woken;
  }
  return ready() ? WaitOutcome::Ready : WaitOutcome::TimedOut;
}

}  // namespace vantrel::platform::standin
