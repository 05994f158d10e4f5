#include "win32/notify_icon_size.h"

#include <windows.h>

namespace vantrel::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

// Looked up, not imported: the program also runs where user32 has no such function.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

}  // namespace

int notifyIconSize() {
  const auto dpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  const auto metricsForDpi =
      user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  // The task bar follows the display's scale at once; this program, aware of the DPI it started
  // with only, would be told the old size.
  if (const HWND taskBar = FindWindowA("Shell_TrayWnd", nullptr);
      taskBar && dpiForWindow && metricsForDpi) {
    if (const UINT dpi = dpiForWindow(taskBar); dpi > 0) {
      if (const int size = metricsForDpi(SM_CXSMICON, dpi); size > 0) return size;
    }
  }
  return GetSystemMetrics(SM_CXSMICON);
}

}  // namespace vantrel::win32
