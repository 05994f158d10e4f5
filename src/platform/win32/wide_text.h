#pragma once
// Text for the Unicode (W) functions, from the code page it is written in.

#include <windows.h>

#include <string>
#include <string_view>

namespace vantrel::platform::win32 {

// The program's own texts, whatever the system's ANSI code page.
inline constexpr UINT kWindows1252 = 1252;

// The bytes read in `codePage`, as MultiByteToWideChar reads them.
std::wstring wideText(UINT codePage, std::string_view bytes);

}  // namespace vantrel::platform::win32
