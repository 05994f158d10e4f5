#pragma once
// A label's text cut to the lines the label has room for.

#include <windows.h>

#include <string>

namespace vantrel::win32 {

// `text` as the label shows it, wrapped at its width in its font: whole when it fits, else as
// much as fits with "..." at the end.
std::wstring fittedToLabel(HWND label, const std::wstring& text);

}  // namespace vantrel::win32
