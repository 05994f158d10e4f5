#pragma once
// Finding and starting Outlook Express, and starting any program.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handles.h"

namespace vantrel::app {

class TMainForm;

inline constexpr std::size_t kClassNameBuffer = 30;
inline constexpr std::int32_t kLaunchWaits = 5;
inline constexpr std::uint32_t kLaunchWaitMs = 1000;
// After a hidden start, how many more waits the window is looked for while the process runs.
inline constexpr std::int32_t kHiddenStartWaits = 60;

// The full path of msimn.exe; may ask the user, and ends the program when the user cancels
// (the result is then empty).
std::string locateOutlookExpress(TMainForm& form);

// Starts `"path" parameters` with a show state; the process id, or 0 after showing the system's
// text for the error.
std::uint32_t startProgram(TMainForm& form, std::string_view path, std::string_view parameters,
                           std::uint16_t showState);

// Starts Outlook Express and waits for its main window; true when it was found (in oeWindow).
// `closingWindow`, the window of an Outlook Express just asked to close, is never taken. A
// hidden start that shows no window in time is waited for longer, and ended if it never does.
bool launchOutlookExpress(std::string_view path, TMainForm& form, bool relaunch,
                          platform::WindowHandle closingWindow = platform::kNoWindow);

// Given each top-level window in turn while Outlook Express is waited for: false (stop) once their
// window is found.
bool findOEWindowProc(platform::WindowHandle window, TMainForm& form);
bool findIdentityLogonProc(platform::WindowHandle window, TMainForm& form);

}  // namespace vantrel::app
