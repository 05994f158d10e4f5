#pragma once
// The pixels of an icon image as icon files and icon resources store it: a 32-bit
// BITMAPINFOHEADER image of twice its height, colours bottom-up, then the AND mask.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/icon_pixels.h"

namespace vantrel::ui {

// Its pixels; none for anything but a square 32-bit uncompressed image that is all there.
std::optional<platform::IconPixels> decodeIconImage(std::span<const std::uint8_t> image);

// The picture at another size, each pixel taken from the nearest one: the edges stay sharp.
platform::IconPixels resizedPicture(const platform::IconPixels& picture, int size);

}  // namespace vantrel::ui
