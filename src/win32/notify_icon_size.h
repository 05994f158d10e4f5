#pragma once
// The size, in pixels, at which the notification area shows an icon now.

namespace vantrel::win32 {

// The small-icon size at the task bar's DPI, which follows a change of the display's scale while
// the program runs (Windows 10 1607 and later tell it); elsewhere the system's small-icon size.
int notifyIconSize();

}  // namespace vantrel::win32
