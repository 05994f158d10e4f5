#pragma once
// Following the Outlook Express window twice a second.

#include <cstdint>

#include "platform/handles.h"

namespace vantrel::app {

// Ticks without the window before the program ends.
inline constexpr std::int32_t kMaxMissingTicks = 20;

struct OEWatch {
  platform::WindowHandle oeWindow = platform::kNoWindow;
  platform::WindowHandle identityLogonWindow = platform::kNoWindow;
  std::int32_t oeMissingTicks = 0;
  bool externalProgsPending = true;  // until a tick first finds the window
  // A hidden start is being waited for with the program's messages flowing: nothing may launch
  // Outlook Express again, nor start following a window, until it is over.
  bool launching = false;
};

}  // namespace vantrel::app
