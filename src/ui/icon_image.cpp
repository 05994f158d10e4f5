#include "ui/icon_image.h"

#include <cstddef>

namespace vantrel::ui {
namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr int kLargestIcon = 256;

std::uint32_t littleEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

}  // namespace

std::optional<platform::IconPixels> decodeIconImage(std::span<const std::uint8_t> image) {
  if (image.size() < kHeaderSize) return std::nullopt;
  const auto headerSize = littleEndian(image, 0, 4);
  const auto width = static_cast<std::int32_t>(littleEndian(image, 4, 4));
  const auto height = static_cast<std::int32_t>(littleEndian(image, 8, 4));
  const auto planes = littleEndian(image, 12, 2);
  const auto bitCount = littleEndian(image, 14, 2);
  const auto compression = littleEndian(image, 16, 4);
  if (headerSize < kHeaderSize || width <= 0 || width > kLargestIcon || height != 2 * width ||
      planes != 1 || bitCount != 32 || compression != 0) {
    return std::nullopt;
  }
  const auto n = static_cast<std::size_t>(width);
  const std::size_t maskStride = (n + 31) / 32 * 4;
  if (headerSize > image.size()) return std::nullopt;
  const std::size_t colours = headerSize;
  const std::size_t mask = colours + n * n * 4;
  if (image.size() < mask || image.size() - mask < maskStride * n) return std::nullopt;

  platform::IconPixels pixels{width, std::vector<std::uint32_t>(n * n)};
  bool anyAlpha = false;
  for (std::size_t row = 0; row < n; ++row) {
    const auto y = static_cast<int>(n - 1 - row);  // stored bottom-up
    for (std::size_t x = 0; x < n; ++x) {
      const auto argb = littleEndian(image, colours + (row * n + x) * 4, 4);  // B, G, R, A
      pixels.at(static_cast<int>(x), y) = argb;
      anyAlpha = anyAlpha || (argb >> 24) != 0;
    }
  }
  // Pictures made before alpha say what shows through in the mask alone.
  if (!anyAlpha) {
    for (std::size_t row = 0; row < n; ++row) {
      const auto y = static_cast<int>(n - 1 - row);
      for (std::size_t x = 0; x < n; ++x) {
        const bool through = (image[mask + row * maskStride + x / 8] & (0x80u >> (x % 8))) != 0;
        auto& pixel = pixels.at(static_cast<int>(x), y);
        pixel = through ? 0 : (pixel | 0xFF000000u);
      }
    }
  }
  return pixels;
}

platform::IconPixels resizedPicture(const platform::IconPixels& picture, int size) {
  if (picture.empty() || size <= 0 || size == picture.size) return picture;
  platform::IconPixels resized{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) *
                                                                static_cast<std::size_t>(size))};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // From the centre of each new pixel: neither edge loses a row or column to rounding.
      resized.at(x, y) = picture.at((2 * x + 1) * picture.size / (2 * size),
                                    (2 * y + 1) * picture.size / (2 * size));
    }
  }
  return resized;
}

}  // namespace vantrel::ui
