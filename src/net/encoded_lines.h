#pragma once
// Base64 and uuencode of bytes, line by line, without any stream: what the HTTP client needs
// links without the stream library's weight.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::net {

enum class UUMethods { uuMime = 0, uuCode = 1 };

// Input bytes per encoded line.
inline constexpr std::size_t kBytesPerLine = 45;

// One line of at most kBytesPerLine input bytes, CR LF included.
std::string EncodeLine(std::string_view bytes, UUMethods method);
// The uuencode end line, CR LF included.
std::string UUEndLine();
// Base64 of the whole text on one line, without a line end.
std::string Base64OneLine(std::string_view bytes);

}  // namespace vantrel::net
