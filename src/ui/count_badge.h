#pragma once
// The number of waiting messages drawn on the new-mail picture: white digits on a red badge with
// a dark outline in its bottom right corner, in a pixel font made for the picture's size so that
// it stays sharp and legible at every DPI.

#include <cstdint>
#include <string>

#include "platform/icon_pixels.h"

namespace vantrel::ui {

inline constexpr std::uint32_t kBadgeOutline = 0xFF5A0000;
inline constexpr std::uint32_t kBadgeFill = 0xFFC41410;
inline constexpr std::uint32_t kBadgeDigit = 0xFFFFFFFF;

// What the badge says: the count from 1 to 99, "99+" above, nothing below 1.
std::string countBadgeText(std::int32_t count);

// The picture with the count's badge drawn on it; as it is when the badge says nothing.
platform::IconPixels drawCountBadge(platform::IconPixels picture, std::int32_t count);

}  // namespace vantrel::ui
