#pragma once
// The windows' layouts are written in 96-DPI units. The manifest declares the program DPI-aware,
// so Windows leaves the scaling to it: every window scales its layout by the screen's DPI.

#include <windows.h>

#include "platform/win32/owned_handle.h"

namespace vantrel::win32 {

class DpiScaler {
 public:
  DpiScaler()
      : dpi_(GetDeviceCaps(platform::win32::OwnedScreenDC(GetDC(nullptr)).get(), LOGPIXELSY)) {}
  int scaled(int length) const { return MulDiv(length, dpi_, 96); }

 private:
  int dpi_;
};

}  // namespace vantrel::win32
