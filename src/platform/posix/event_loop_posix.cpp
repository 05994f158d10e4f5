#include "platform/posix/event_loop_posix.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

namespace vantrel::platform::posix {

PosixEventLoop::PosixEventLoop() : wakeFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (!wakeFd_.valid()) throw std::system_error(errno, std::generic_category(), "eventfd");
}

TimeOfDay PosixEventLoop::localTime() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) return {};
  return {local.tm_hour, local.tm_min};
}

std::uint64_t PosixEventLoop::nowMs() const {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

TimerId PosixEventLoop::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
  const TimerId id = nextTimerId_++;
  timers_.emplace(id, Timer{intervalMs, nowMs() + intervalMs, std::move(onTick)});
  return id;
}

void PosixEventLoop::stopTimer(TimerId id) {
  timers_.erase(id);
}

void PosixEventLoop::dispatchDueTimers() {
  const std::uint64_t now = nowMs();
  std::vector<TimerId> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.dueMs <= now) due.push_back(id);
  }
  // A callback may stop or start timers, so each one is looked up again before it runs.
  for (const TimerId id : due) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) continue;
    it->second.dueMs = now + it->second.intervalMs;
    const std::function<void()> onTick = it->second.onTick;
    onTick();
  }
}

std::optional<std::uint64_t> PosixEventLoop::nextDueMs() const {
  std::optional<std::uint64_t> next;
  for (const auto& [id, timer] : timers_) {
    if (!next || timer.dueMs < *next) next = timer.dueMs;
  }
  return next;
}

bool PosixEventLoop::takeWake(std::uint64_t start) {
  std::uint64_t count = 0;
  [[maybe_unused]] const auto drained = ::read(wakeFd_.get(), &count, sizeof count);
  const std::uint64_t wakes = wakes_.load();
  if (wakes == start) return false;
  wakesTaken_ = wakes;
  return true;
}

void PosixEventLoop::processMessages() {
  dispatchDueTimers();
  if (!watches_.empty()) pollOnce(nullptr, 0);
}

void PosixEventLoop::sleep(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

short pollEvents(unsigned events) {
  short wanted = 0;
  if (events & (kSocketRead | kSocketClose)) wanted |= POLLIN | POLLRDHUP;
  if (events & (kSocketWrite | kSocketConnect)) wanted |= POLLOUT;
  return wanted;
}

}  // namespace

WaitOutcome PosixEventLoop::waitForSocket(SocketHandle socket, unsigned events,
                                          std::optional<std::uint64_t> deadlineMs) {
  const pollfd waited{static_cast<int>(socket), pollEvents(events), 0};
  const bool watchSocket = waited.events != 0 && socket >= 0;
  const std::uint64_t start = wakesTaken_;

  for (;;) {
    dispatchDueTimers();
    if (quitting_) return WaitOutcome::Quit;
    // A callback that woke us may also have closed the socket: look at the wake first.
    if (takeWake(start)) return quitting_ ? WaitOutcome::Quit : WaitOutcome::Woken;

    const std::uint64_t now = nowMs();
    if (deadlineMs && *deadlineMs <= now) return WaitOutcome::TimedOut;
    std::optional<std::uint64_t> until = nextDueMs();
    if (deadlineMs && (!until || *deadlineMs < *until)) until = deadlineMs;
    const int timeout = until ? static_cast<int>(*until > now ? *until - now : 0) : -1;
    if (pollOnce(watchSocket ? &waited : nullptr, timeout)) return WaitOutcome::Ready;
  }
}

bool PosixEventLoop::pollOnce(const pollfd* waited, int timeoutMs) {
  std::vector<pollfd> fds{{wakeFd_.get(), POLLIN, 0}};
  if (waited != nullptr) fds.push_back(*waited);
  const std::size_t firstWatch = fds.size();
  std::vector<WatchId> ids;
  for (const auto& [id, watch] : watches_) {
    fds.push_back({watch.fd, watch.events, 0});
    ids.push_back(id);
  }
  const int n = ::poll(fds.data(), fds.size(), timeoutMs);
  if (n < 0 && errno != EINTR) throw std::system_error(errno, std::generic_category(), "poll");
  if (n <= 0) return false;
  const bool ready =
      waited != nullptr && (fds[1].revents & (waited->events | POLLERR | POLLHUP | POLLNVAL));
  // A callback may unwatch any watch, its own included: each is looked up again before it runs.
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const short seen = fds[firstWatch + i].revents;
    const auto it = watches_.find(ids[i]);
    if (seen == 0 || it == watches_.end()) continue;
    // Its socket was closed under it: it would be told of for ever.
    if (seen & POLLNVAL) {
      watches_.erase(it);
      continue;
    }
    const std::function<void()> onReady = it->second.onReady;
    onReady();
  }
  return ready;
}

WatchId PosixEventLoop::watchSocket(SocketHandle socket, unsigned events,
                                    std::function<void()> onReady) {
  const WatchId id = nextWatchId_++;
  watches_.emplace(id, Watch{static_cast<int>(socket), pollEvents(events), std::move(onReady)});
  return id;
}

void PosixEventLoop::unwatchSocket(WatchId id) {
  watches_.erase(id);
}

void PosixEventLoop::wake() {
  ++wakes_;
  const std::uint64_t one = 1;
  // The counter cannot overflow in practice; a failed write still leaves it readable.
  [[maybe_unused]] const auto written = ::write(wakeFd_.get(), &one, sizeof one);
}

void PosixEventLoop::run() {
  while (!quitting_) waitForSocket(-1, 0, std::nullopt);
}

void PosixEventLoop::quit() {
  quitting_ = true;
  wake();
}

}  // namespace vantrel::platform::posix
