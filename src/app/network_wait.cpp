#include "app/network_wait.h"

#include <utility>

namespace vantrel::app {

void NetworkWait::whenConnected(std::function<void()> onBack) {
  onBack_ = std::move(onBack);
  if (!watch_) watch_ = network_.watchChanges([this] { look(); });
  if (!timer_) timer_ = loop_.startTimer(kLookEveryMs, [this] { look(); });
}

void NetworkWait::cancel() {
  onBack_ = nullptr;
  if (watch_) network_.unwatchChanges(*std::exchange(watch_, std::nullopt));
  if (timer_) loop_.stopTimer(*std::exchange(timer_, std::nullopt));
}

void NetworkWait::look() {
  if (!network_.connected()) return;
  const auto onBack = std::exchange(onBack_, nullptr);
  cancel();
  if (onBack) onBack();
}

}  // namespace vantrel::app
