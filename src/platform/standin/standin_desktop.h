#pragma once
// A simulated desktop: top-level windows with honest state, ShowWindow applied as Windows does,
// and messages posted to other programs' windows handled by those programs as time passes.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/standin/standin_event_loop.h"

namespace vantrel::platform::standin {

struct SimWindow {
  WindowHandle handle = kNoWindow;
  std::string className;
  std::string title;
  WindowHandle owner = kNoWindow;
  bool visible = false;
  bool iconic = false;
  bool maximized = false;
  // The window's own program: handles what is posted to it. Empty for the program under test,
  // whose messages go to `programMessages`.
  std::function<void(std::uint32_t, std::uintptr_t, std::intptr_t)> onMessage;
};

struct Placement {
  Point position;
  Size size;
};

struct ShowCall {
  WindowHandle window;
  ShowCommand command;
};

class StandinDesktop : public Desktop {
 public:
  explicit StandinDesktop(StandinEventLoop& loop) : loop_(loop) {}

  WindowHandle createWindow(SimWindow window);
  void destroyWindow(WindowHandle window);
  SimWindow* window(WindowHandle handle);
  const std::vector<ShowCall>& showCalls() const { return showCalls_; }
  void setCursorPos(Point at) { cursor_ = at; }
  // Hot keys already taken by another program.
  void takeHotKey(std::uint32_t modifiers, std::uint32_t virtualKey);
  const std::map<std::int32_t, std::uint32_t>& hotKeys() const { return hotKeys_; }
  // Messages posted to the program's own windows: the test's window procedure.
  std::function<void(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t)> programMessages;
  std::uint32_t messageDelayMs = 50;  // how soon another program reacts to a posted message

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
  WindowHandle foregroundWindow() const override { return foreground_; }
  WindowHandle desktopWindow() const override { return kDesktop; }
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  Point cursorPos() const override { return cursor_; }
  Rect workArea() const override { return workArea_; }
  Size windowSize(WindowHandle window) const override;
  void placeWindow(WindowHandle window, Rect frame) override;
  void setWorkArea(Rect area) { workArea_ = area; }
  void setWindowSize(WindowHandle window, Size size) { placements_[window].size = size; }
  Point windowPosition(WindowHandle window) const;
  bool registerHotKey(WindowHandle window, std::int32_t id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;

  static constexpr WindowHandle kDesktop = 0x10010;

 private:
  const SimWindow* find(WindowHandle handle) const;
  void raise(WindowHandle window);
  void activateNext(WindowHandle leaving);

  StandinEventLoop& loop_;
  std::vector<SimWindow> windows_;  // z order, top first
  WindowHandle next_ = 0x100;
  WindowHandle foreground_ = kNoWindow;
  Rect workArea_{0, 0, 1024, 738};
  std::map<WindowHandle, Placement> placements_;
  Point cursor_{};
  std::vector<std::pair<std::uint32_t, std::uint32_t>> taken_;
  std::map<std::int32_t, std::uint32_t> hotKeys_;
  std::vector<ShowCall> showCalls_;
};

}  // namespace vantrel::platform::standin
