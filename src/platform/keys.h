#pragma once
// Virtual-key codes and hot-key modifiers.

#include <cstdint>

namespace vantrel::platform {

inline constexpr std::uint32_t kVkF1 = 0x70;
inline constexpr std::uint32_t kVkF24 = 0x87;

inline constexpr std::uint32_t kModControl = 0x0002;
inline constexpr std::uint32_t kModShift = 0x0004;

}  // namespace vantrel::platform
