#pragma once
// The real desktop: top-level windows of every program, through user32.

#include "platform/desktop.h"

namespace vantrel::platform::win32 {

class Win32Desktop : public Desktop {
 public:
  std::vector<WindowHandle> topLevelWindows() const override;
  std::string className(WindowHandle window, std::size_t bufferSize) const override;
  std::string windowText(WindowHandle window) const override;
  WindowHandle owner(WindowHandle window) const override;
  WindowHandle findWindow(std::optional<std::string_view> className,
                          std::string_view title) const override;

  bool isWindow(WindowHandle window) const override;
  bool isIconic(WindowHandle window) const override;
  bool isVisible(WindowHandle window) const override;
  void showWindow(WindowHandle window, ShowCommand command) override;
  void setForegroundWindow(WindowHandle window) override;
  void bringWindowToTop(WindowHandle window) override;
  WindowHandle foregroundWindow() const override;
  WindowHandle desktopWindow() const override;
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  Point cursorPos() const override;
  Rect workArea() const override;
  Size windowSize(WindowHandle window) const override;
  void placeWindow(WindowHandle window, Rect frame) override;

  bool registerHotKey(WindowHandle window, std::int32_t id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
};

}  // namespace vantrel::platform::win32
