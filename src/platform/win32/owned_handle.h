#pragma once
// Move-only owners of Win32 handles: each closes its handle once, with the function that goes
// with its kind. Copies would close twice, so there are none.

#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <utility>

namespace vantrel::platform::win32 {

template <typename Handle, auto Close>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { reset(); }
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{} && handle_ != handle) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

// Our own functions, not the imported ones: an import's address is no constant to build on.
// CreateFile's failure is INVALID_HANDLE_VALUE rather than null: there is nothing to close.
inline void closeKernelHandle(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}
inline void destroyIcon(HICON icon) {
  DestroyIcon(icon);
}
inline void deleteFont(HFONT font) {
  DeleteObject(font);
}
inline void deleteBitmap(HBITMAP bitmap) {
  DeleteObject(bitmap);
}
inline void deleteDC(HDC dc) {
  DeleteDC(dc);
}
// Only for the whole screen's context: one of a window's goes back to that window.
inline void releaseScreenDC(HDC dc) {
  ReleaseDC(nullptr, dc);
}
inline void destroyImageList(HIMAGELIST list) {
  ImageList_Destroy(list);
}
inline void closeKey(HKEY key) {
  RegCloseKey(key);
}
inline void destroyWindow(HWND window) {
  DestroyWindow(window);
}
inline void destroyMenu(HMENU menu) {
  DestroyMenu(menu);
}

using OwnedHandle = Owned<HANDLE, closeKernelHandle>;
using OwnedIcon = Owned<HICON, destroyIcon>;
using OwnedFont = Owned<HFONT, deleteFont>;
using OwnedBitmap = Owned<HBITMAP, deleteBitmap>;
using OwnedDC = Owned<HDC, deleteDC>;
using OwnedScreenDC = Owned<HDC, releaseScreenDC>;
using OwnedImageList = Owned<HIMAGELIST, destroyImageList>;
using OwnedKey = Owned<HKEY, closeKey>;
// Top-level windows: a child window goes with its parent. Windows destroys an owned window with
// its owner, so its owner type goes first, or release()s it on WM_DESTROY.
using OwnedWindow = Owned<HWND, destroyWindow>;
// A menu set into another as its submenu goes with that one: release() it once it is in.
using OwnedMenu = Owned<HMENU, destroyMenu>;

}  // namespace vantrel::platform::win32
