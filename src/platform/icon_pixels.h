#pragma once
// A square picture as plain pixels, for icons the program draws itself.

#include <cstdint>
#include <vector>

namespace vantrel::platform {

// Rows from the top, each pixel 0xAARRGGBB with straight (not premultiplied) alpha.
struct IconPixels {
  int size = 0;
  std::vector<std::uint32_t> argb;

  bool empty() const { return size <= 0; }
  std::uint32_t at(int x, int y) const {
    return argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                static_cast<std::size_t>(x)];
  }
  std::uint32_t& at(int x, int y) {
    return argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                static_cast<std::size_t>(x)];
  }
  bool operator==(const IconPixels&) const = default;
};

}  // namespace vantrel::platform
