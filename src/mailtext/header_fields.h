#pragma once
// Fields of a message header block, as TOP or FETCH give it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::mailtext {

// Only so much of a block is read, and of a field's value kept: more than any window shows.
inline constexpr std::size_t kMaxHeaderBlock = 256 * 1024;
inline constexpr std::size_t kMaxFieldValue = 4096;

struct HeaderField {
  // Unfolded (the line ends of its continuation lines removed, their blanks kept), without
  // blanks at either end.
  std::string value;
  // The block ended inside the value without a line end, or the value was longer than kept.
  bool cut = false;
};

// The blanks between the words of a header line, the line ends an unfolding leaves included.
constexpr bool isHeaderBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isHeaderBlankText(std::string_view text);

// The first field of that name (any letter case) before the blank line that ends the block.
// Lines end in LF or CR LF.
std::optional<HeaderField> headerField(std::string_view header, std::string_view name);

}  // namespace vantrel::mailtext
