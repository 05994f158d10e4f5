#pragma once
// The top-level windows of the desktop as the program sees and drives them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handles.h"
#include "platform/keys.h"
#include "platform/window_messages.h"

namespace vantrel::platform {

// ShowWindow commands the program uses.
enum ShowCommand : std::uint16_t {
  SwHide = 0,
  SwShowNormal = 1,
  SwShowMaximized = 3,
  SwShow = 5,
  SwShowNoActivate = 8,  // SW_SHOWNA: shown and raised, the focus stays where it is
  SwMinimize = 6,
  SwRestore = 9,
};

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Screen coordinates; right and bottom lie just outside.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Top-level windows in enumeration (z) order.
  virtual std::vector<WindowHandle> topLevelWindows() const = 0;
  // Class name as GetClassNameA gives it into a buffer of `bufferSize` characters.
  virtual std::string className(WindowHandle window, std::size_t bufferSize) const = 0;
  virtual std::string windowText(WindowHandle window) const = 0;
  virtual WindowHandle owner(WindowHandle window) const = 0;
  virtual WindowHandle findWindow(std::optional<std::string_view> className,
                                  std::string_view title) const = 0;

  virtual bool isWindow(WindowHandle window) const = 0;
  virtual bool isIconic(WindowHandle window) const = 0;
  virtual bool isVisible(WindowHandle window) const = 0;
  virtual void showWindow(WindowHandle window, ShowCommand command) = 0;
  virtual void setForegroundWindow(WindowHandle window) = 0;
  virtual void bringWindowToTop(WindowHandle window) = 0;
  virtual WindowHandle foregroundWindow() const = 0;
  virtual WindowHandle desktopWindow() const = 0;
  virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  virtual Point cursorPos() const = 0;
  // The desktop's work area (without the task bar), which starts away from 0,0 when the task bar
  // is at the top or on the left.
  virtual Rect workArea() const = 0;
  // Outer size of a window, and placing it (outer frame, screen coordinates) without changing its
  // z order or activating it.
  virtual Size windowSize(WindowHandle window) const = 0;
  virtual void placeWindow(WindowHandle window, Rect frame) = 0;

  virtual bool registerHotKey(WindowHandle window, std::int32_t id, std::uint32_t modifiers,
                              std::uint32_t virtualKey) = 0;
};

}  // namespace vantrel::platform
