#include "platform/standin/standin_desktop.h"

#include <algorithm>

namespace vantrel::platform::standin {

WindowHandle StandinDesktop::createWindow(SimWindow window) {
  window.handle = next_;
  next_ += 4;
  const auto handle = window.handle;
  const bool shown = window.visible && !window.iconic;
  windows_.insert(windows_.begin(), std::move(window));
  if (shown) foreground_ = handle;
  return handle;
}

void StandinDesktop::destroyWindow(WindowHandle handle) {
  activateNext(handle);
  std::erase_if(windows_, [&](const auto& w) { return w.handle == handle; });
}

SimWindow* StandinDesktop::window(WindowHandle handle) {
  return const_cast<SimWindow*>(find(handle));
}

const SimWindow* StandinDesktop::find(WindowHandle handle) const {
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [&](const auto& w) { return w.handle == handle; });
  return found == windows_.end() ? nullptr : &*found;
}

std::vector<WindowHandle> StandinDesktop::topLevelWindows() const {
  std::vector<WindowHandle> handles;
  for (const auto& w : windows_) handles.push_back(w.handle);
  return handles;
}

std::string StandinDesktop::className(WindowHandle handle, std::size_t bufferSize) const {
  const auto* w = find(handle);
  if (!w || bufferSize == 0) return {};
  return w->className.substr(0, bufferSize - 1);
}

std::string StandinDesktop::windowText(WindowHandle handle) const {
  const auto* w = find(handle);
  return w ? w->title : std::string();
}

WindowHandle StandinDesktop::owner(WindowHandle handle) const {
  const auto* w = find(handle);
  return w ? w->owner : kNoWindow;
}

WindowHandle StandinDesktop::findWindow(std::optional<std::string_view> className,
                                        std::string_view title) const {
  for (const auto& w : windows_) {
    if (w.owner != kNoWindow) continue;
    if (className && w.className != *className) continue;
    if (w.title == title) return w.handle;
  }
  return kNoWindow;
}

bool StandinDesktop::isWindow(WindowHandle handle) const {
  return find(handle) != nullptr;
}
bool StandinDesktop::isIconic(WindowHandle handle) const {
  const auto* w = find(handle);
  return w && w->iconic;
}
bool StandinDesktop::isVisible(WindowHandle handle) const {
  const auto* w = find(handle);
  return w && w->visible;
}

void StandinDesktop::raise(WindowHandle handle) {
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [&](const auto& w) { return w.handle == handle; });
  if (found != windows_.end()) std::rotate(windows_.begin(), found, found + 1);
}

void StandinDesktop::activateNext(WindowHandle leaving) {
  if (foreground_ != leaving) return;
  foreground_ = kNoWindow;
  for (const auto& w : windows_) {
    if (w.handle != leaving && w.visible && !w.iconic && w.owner == kNoWindow) {
      foreground_ = w.handle;
      return;
    }
  }
}

void StandinDesktop::showWindow(WindowHandle handle, ShowCommand command) {
  showCalls_.push_back({handle, command});
  auto* w = window(handle);
  if (!w) return;
  switch (command) {
    case SwHide:
      w->visible = false;
      activateNext(handle);
      return;
    case SwShowNormal:
      w->visible = true;
      w->iconic = false;
      w->maximized = false;
      break;
    case SwShowMaximized:
      w->visible = true;
      w->iconic = false;
      w->maximized = true;
      break;
    case SwShow:
      w->visible = true;
      if (w->iconic) return;
      break;
    case SwShowNoActivate:
      w->visible = true;
      raise(handle);
      return;
    case SwMinimize:
      w->visible = true;
      w->iconic = true;
      activateNext(handle);
      return;
    case SwRestore:
      w->visible = true;
      w->iconic = false;  // a maximised window minimised comes back maximised
      break;
  }
  raise(handle);
  foreground_ = handle;
}

Size StandinDesktop::windowSize(WindowHandle handle) const {
  const auto found = placements_.find(handle);
  return found == placements_.end() ? Size{} : found->second.size;
}

Point StandinDesktop::windowPosition(WindowHandle handle) const {
  const auto found = placements_.find(handle);
  return found == placements_.end() ? Point{} : found->second.position;
}

void StandinDesktop::placeWindow(WindowHandle handle, Rect frame) {
  if (isWindow(handle)) {
    placements_[handle] = {{frame.left, frame.top},
                           {frame.right - frame.left, frame.bottom - frame.top}};
  }
}

void StandinDesktop::setForegroundWindow(WindowHandle handle) {
  if (!isWindow(handle)) return;
  raise(handle);
  foreground_ = handle;
}

void StandinDesktop::bringWindowToTop(WindowHandle handle) {
  raise(handle);
}

bool StandinDesktop::postMessage(WindowHandle handle, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  auto* w = window(handle);
  if (!w) return false;
  if (w->onMessage) {
    loop_.atTime(loop_.nowMs() + messageDelayMs, [this, handle, message, wParam, lParam] {
      if (auto* target = window(handle); target && target->onMessage) {
        target->onMessage(message, wParam, lParam);
      }
    });
  } else if (programMessages) {
    loop_.post([this, handle, message, wParam, lParam] {
      programMessages(handle, message, wParam, lParam);
    });
  }
  return true;
}

void StandinDesktop::takeHotKey(std::uint32_t modifiers, std::uint32_t virtualKey) {
  taken_.emplace_back(modifiers, virtualKey);
}

bool StandinDesktop::registerHotKey(WindowHandle, std::int32_t id, std::uint32_t modifiers,
                                    std::uint32_t virtualKey) {
  const auto key = std::make_pair(modifiers, virtualKey);
  if (std::find(taken_.begin(), taken_.end(), key) != taken_.end()) return false;
  taken_.push_back(key);
  hotKeys_[id] = virtualKey;
  return true;
}

}  // namespace vantrel::platform::standin
