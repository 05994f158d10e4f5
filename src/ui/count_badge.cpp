#include "ui/count_badge.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel::ui {
namespace {

constexpr std::int32_t kLargestShown = 99;

// Glyphs of "0" to "9" and "+", rows from the top, '#' lit.
struct PixelFont {
  int width;
  int height;
  std::array<std::array<std::string_view, 7>, 11> glyphs;
};

// clang-format off
// 16 pixels (96 DPI), and in blocks from 32 on: the same glyphs seen closer.
constexpr PixelFont kFont3x5{3, 5, {{
    {"###", "#.#", "#.#", "#.#", "###"},
    {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"},
    {"###", "..#", ".##", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"},
    {"###", "..#", "..#", ".#.", ".#."},
    {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"},
    {"...", ".#.", "###", ".#.", "..."},
}}};
// 20 pixels (120 DPI).
constexpr PixelFont kFont4x6{4, 6, {{
    {".##.", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "..#.", ".#..", "#...", "####"},
    {"###.", "...#", ".##.", "...#", "...#", "###."},
    {"#..#", "#..#", "####", "...#", "...#", "...#"},
    {"####", "#...", "###.", "...#", "...#", "###."},
    {".##.", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", ".#..", ".#..", ".#.."},
    {".##.", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", ".##."},
    {"....", ".#..", "###.", ".#..", "....", "...."},
}}};
// 24 pixels (144 DPI).
constexpr PixelFont kFont5x7{5, 7, {{
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
    {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."},
}}};
// clang-format on

struct Lettering {
  const PixelFont& font;
  int scale;  // each lit cell is a scale x scale block
};

Lettering letteringFor(int size) {
  if (size < 20) return {kFont3x5, 1};
  if (size < 24) return {kFont4x6, 1};
  if (size < 32) return {kFont5x7, 1};
  return {kFont3x5, size / 16};
}

std::size_t glyphIndex(char c) {
  return c == '+' ? 10 : static_cast<std::size_t>(c - '0');
}

}  // namespace

std::string countBadgeText(std::int32_t count) {
  if (count < 1) return "";
  if (count > kLargestShown) return std::to_string(kLargestShown) + "+";
  return std::to_string(count);
}

platform::IconPixels drawCountBadge(platform::IconPixels picture, std::int32_t count) {
  const auto text = countBadgeText(count);
  if (text.empty() || picture.empty()) return picture;
  const int size = picture.size;
  const auto [font, scale] = letteringFor(size);
  const int glyphs = static_cast<int>(text.size());
  // Outline, padding and the space between digits are one cell each.
  const int textWidth = glyphs * font.width * scale + (glyphs - 1) * scale;
  const int textHeight = font.height * scale;
  const int height = textHeight + 4 * scale;
  // A lone digit gets a square badge rather than a narrow one.
  const int width = std::max(textWidth + 4 * scale, height);
  const int left = size - width;
  const int top = size - height;

  const auto paint = [&](int x, int y, std::uint32_t colour) {
    if (x >= 0 && y >= 0 && x < size && y < size) picture.at(x, y) = colour;
  };
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool edgeX = x < scale || x >= width - scale;
      const bool edgeY = y < scale || y >= height - scale;
      if (edgeX && edgeY) continue;  // the corners stay out: a rounded badge
      paint(left + x, top + y, edgeX || edgeY ? kBadgeOutline : kBadgeFill);
    }
  }
  int glyphLeft = left + (width - textWidth) / 2;
  const int glyphTop = top + 2 * scale;
  for (const char c : text) {
    const auto glyph = font.glyphs[glyphIndex(c)];
    for (int row = 0; row < font.height; ++row) {
      for (int column = 0; column < font.width; ++column) {
        if (glyph[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != '#') continue;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx)
            paint(glyphLeft + column * scale + dx, glyphTop + row * scale + dy, kBadgeDigit);
        }
      }
    }
    glyphLeft += (font.width + 1) * scale;
  }
  return picture;
}

}  // namespace vantrel::ui
