#pragma once
// The window procedure of every window class an object stands behind: CreateWindowEx's last
// argument is the object, kept in the window's user data from WM_NCCREATE on.

#include <windows.h>

namespace vantrel::win32 {

// WM_NCCREATE goes to the object too; the few messages before it (WM_GETMINMAXINFO) find no
// object yet and get the default handling.
template <class Owner, LRESULT (Owner::*OnMessage)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK forwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!owner) return DefWindowProcA(window, message, wParam, lParam);
  return (owner->*OnMessage)(window, message, wParam, lParam);
}

}  // namespace vantrel::win32
