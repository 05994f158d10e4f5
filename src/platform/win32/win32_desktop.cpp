#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace vantrel::platform::win32 {
namespace {

static_assert(SwHide == SW_HIDE && SwShowNormal == SW_SHOWNORMAL &&
              SwShowMaximized == SW_SHOWMAXIMIZED && SwShow == SW_SHOW &&
              SwShowNoActivate == SW_SHOWNA && SwMinimize == SW_MINIMIZE &&
              SwRestore == SW_RESTORE);
static_assert(kWmNull == WM_NULL && kWmSysCommand == WM_SYSCOMMAND && kWmUser == WM_USER &&
              kScClose == SC_CLOSE);
static_assert(kWmLButtonUp == WM_LBUTTONUP && kWmLButtonDblClk == WM_LBUTTONDBLCLK &&
              kWmRButtonUp == WM_RBUTTONUP);
static_assert(kVkF1 == VK_F1 && kVkF24 == VK_F24 && kModControl == MOD_CONTROL &&
              kModShift == MOD_SHIFT);

HWND hwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

WindowHandle handle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

BOOL CALLBACK collectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<WindowHandle>*>(windows)->push_back(handle(window));
  return TRUE;
}

}  // namespace

std::vector<WindowHandle> Win32Desktop::topLevelWindows() const {
  std::vector<WindowHandle> windows;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string Win32Desktop::className(WindowHandle window, std::size_t bufferSize) const {
  std::string name(std::min<std::size_t>(bufferSize, INT_MAX), '\0');
  if (name.empty()) return name;
  const int length = GetClassNameA(hwnd(window), name.data(), static_cast<int>(name.size()));
  name.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return name;
}

std::string Win32Desktop::windowText(WindowHandle window) const {
  // Room for one more than announced tells a whole text from a cut one, should the title grow.
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd(window))) + 2, '\0');
  for (;;) {
    const int length = GetWindowTextA(hwnd(window), text.data(), static_cast<int>(text.size()));
    if (length <= 0) return {};
    if (static_cast<std::size_t>(length) + 1 < text.size()) {
      text.resize(static_cast<std::size_t>(length));
      return text;
    }
    text.resize(text.size() * 2);
  }
}

WindowHandle Win32Desktop::owner(WindowHandle window) const {
  return handle(GetWindow(hwnd(window), GW_OWNER));
}

WindowHandle Win32Desktop::findWindow(std::optional<std::string_view> className,
                                      std::string_view title) const {
  const std::string windowClass(className.value_or(std::string_view()));
  const std::string windowTitle(title);
  return handle(FindWindowA(className ? windowClass.c_str() : nullptr, windowTitle.c_str()));
}

bool Win32Desktop::isWindow(WindowHandle window) const {
  return IsWindow(hwnd(window)) != FALSE;
}

bool Win32Desktop::isIconic(WindowHandle window) const {
  return IsIconic(hwnd(window)) != FALSE;
}

bool Win32Desktop::isVisible(WindowHandle window) const {
  return IsWindowVisible(hwnd(window)) != FALSE;
}

void Win32Desktop::showWindow(WindowHandle window, ShowCommand command) {
  ShowWindow(hwnd(window), command);
}

Rect Win32Desktop::workArea() const {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right, area.bottom};
}

Size Win32Desktop::windowSize(WindowHandle window) const {
  RECT frame{};
  GetWindowRect(hwnd(window), &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32Desktop::placeWindow(WindowHandle window, Rect frame) {
  SetWindowPos(hwnd(window), nullptr, frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Desktop::setForegroundWindow(WindowHandle window) {
  SetForegroundWindow(hwnd(window));
}

void Win32Desktop::bringWindowToTop(WindowHandle window) {
  BringWindowToTop(hwnd(window));
}

WindowHandle Win32Desktop::foregroundWindow() const {
  return handle(GetForegroundWindow());
}

WindowHandle Win32Desktop::desktopWindow() const {
  return handle(GetDesktopWindow());
}

bool Win32Desktop::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
  return PostMessageA(hwnd(window), message, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam)) != FALSE;
}

Point Win32Desktop::cursorPos() const {
  POINT at{};
  if (!GetCursorPos(&at)) return {};
  return {static_cast<std::int32_t>(at.x), static_cast<std::int32_t>(at.y)};
}

bool Win32Desktop::registerHotKey(WindowHandle window, std::int32_t id, std::uint32_t modifiers,
                                  std::uint32_t virtualKey) {
  return RegisterHotKey(hwnd(window), id, modifiers, virtualKey) != FALSE;
}

}  // namespace vantrel::platform::win32
