#pragma once
// A timer component: interval and enabled state, ticking through the event loop.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/event_loop.h"

namespace vantrel::ui {

class Timer {
 public:
  Timer(platform::EventLoop& loop, std::uint32_t intervalMs, std::function<void()> onTimer);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool enabled() const { return running_.has_value(); }
  void setEnabled(bool enabled);
  std::uint32_t interval() const { return intervalMs_; }
  // A running timer starts counting the new interval from now.
  void setInterval(std::uint32_t intervalMs);

 private:
  platform::EventLoop& loop_;
  std::uint32_t intervalMs_;
  std::function<void()> onTimer_;
  std::optional<platform::TimerId> running_;
};

}  // namespace vantrel::ui
