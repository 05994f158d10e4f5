#pragma once
// Following the Outlook Express window twice a second.

#include <cstdint>

namespace vantrel::app {

// Ticks without the window before the program ends.
inline constexpr std::int32_t kMaxMissingTicks = 20;

}  // namespace vantrel::app
