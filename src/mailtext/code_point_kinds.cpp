#include "mailtext/code_point_kinds.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "mailtext/mark_table.h"

namespace vantrel::mailtext {

namespace {

template <std::size_t N>
bool inRanges(const std::array<CodePointRange, N>& ranges, char32_t c) {
  const auto after = std::upper_bound(
      ranges.begin(), ranges.end(), c,
      [](char32_t value, const CodePointRange& range) { return value < range.first; });
  return after != ranges.begin() && c <= std::prev(after)->last;
}

}  // namespace

bool isCombiningMark(char32_t c) {
  return c >= 0x0300 && inRanges(combiningMarks(), c);
}

bool isDefaultIgnorable(char32_t c) {
  // Unicode 15's DerivedCoreProperties; the whole ranges reserved for it are kept.
  static constexpr std::array<CodePointRange, 17> kIgnorable{{
      {0x00AD, 0x00AD},
      {0x034F, 0x034F},
      {0x061C, 0x061C},
      {0x115F, 0x1160},
      {0x17B4, 0x17B5},
      {0x180B, 0x180F},
      {0x200B, 0x200F},
      {0x202A, 0x202E},
      {0x2060, 0x206F},
      {0x3164, 0x3164},
      {0xFE00, 0xFE0F},
      {0xFEFF, 0xFEFF},
      {0xFFA0, 0xFFA0},
      {0xFFF0, 0xFFF8},
      {0x1BCA0, 0x1BCA3},
      {0x1D173, 0x1D17A},
      {0xE0000, 0xE0FFF},
  }};
  return c >= 0xAD && inRanges(kIgnorable, c);
}

bool isWhiteSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool extendsCharacter(char32_t c) {
  return isCombiningMark(c) || c == 0x200C || c == kZeroWidthJoiner || c == 0xFF9E || c == 0xFF9F ||
         (c >= 0xE0020 && c <= 0xE007F) || (c >= 0x1F3FB && c <= 0x1F3FF);
}

}  // namespace vantrel::mailtext
