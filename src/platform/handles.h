#pragma once
// Opaque handles that cross the seam: an HWND or an HICON on Windows, a number in the stand-in.

#include <cstdint>

namespace vantrel::platform {

using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;
inline constexpr IconHandle kNoIcon = 0;

}  // namespace vantrel::platform
