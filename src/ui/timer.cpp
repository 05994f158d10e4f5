#include "ui/timer.h"

namespace vantrel::ui {

Timer::Timer(platform::EventLoop& loop, std::uint32_t intervalMs, std::function<void()> onTimer)
    : loop_(loop), intervalMs_(intervalMs), onTimer_(std::move(onTimer)) {}

Timer::~Timer() {
  setEnabled(false);
}

void Timer::setEnabled(bool enabled) {
  if (enabled == this->enabled()) return;
  if (enabled) {
    running_ = loop_.startTimer(intervalMs_, [this] { onTimer_(); });
  } else {
    loop_.stopTimer(*running_);
    running_.reset();
  }
}

void Timer::setInterval(std::uint32_t intervalMs) {
  intervalMs_ = intervalMs;
  if (!enabled()) return;
  setEnabled(false);
  setEnabled(true);
}

}  // namespace vantrel::ui
