#include "platform/standin/standin_shell.h"

namespace vantrel::platform::standin {

bool StandinShell::notifyIcon(NotifyIconAction action, const NotifyIconData& data) {
  calls.push_back(action);
  if (!ready) return false;
  if (timeOuts > 0) {
    --timeOuts;
    return false;
  }
  switch (action) {
    case NotifyIconAction::Add:
      if (icon_) return false;  // already there
      icon_ = data;
      return true;
    case NotifyIconAction::Modify:
      if (!icon_) return false;
      icon_ = data;
      return true;
    case NotifyIconAction::Delete: {
      const bool had = icon_.has_value();
      icon_.reset();
      return had;
    }
  }
  return false;
}

bool StandinShell::showBalloon(const NotifyIconData& data, const NotifyBalloon& balloon) {
  if (!ready || !icon_ || icon_->id != data.id || icon_->window != data.window) return false;
  balloons.push_back(balloon);
  return true;
}

std::optional<ShellIcon> StandinShell::extractSmallIcon(std::string_view path) {
  const auto found = icons_.find(std::string(path));
  if (found == icons_.end()) return std::nullopt;
  return ShellIcon(*this, found->second);
}

std::optional<ShellIcon> StandinShell::createIcon(const IconPixels& pixels) {
  const auto handle = kFirstDrawnIcon + drawnIcons.size();
  drawnIcons[handle] = pixels;
  return ShellIcon(*this, handle);
}

}  // namespace vantrel::platform::standin
