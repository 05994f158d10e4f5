#pragma once
// Single-byte (Windows-1252) text helpers shared by every layer.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::base {

// The blanks the profile functions trim: tab, LF, VT, FF, CR and space.
constexpr bool isProfileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimProfileBlanks(std::string_view text);

// Letter case of Windows-1252, accented capitals included ("FRANÇAIS" equals "Français").
char toLowerCp1252(char c);
std::string toLowerCp1252(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// ASCII letters only, every other byte as it is: the words of network protocols.
std::string toUpperAscii(std::string_view text);

// A character set's name as it compares: lower case, letters and digits only, so that
// "ISO_8859-5" and "iso-8859-5" are one.
std::string charsetKey(std::string_view name);
// The number that makes up the whole rest of `key` after `prefix`, if it does.
std::optional<unsigned> numberAfter(std::string_view key, std::string_view prefix);

// Every occurrence of `from` in `text` replaced by `to`.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace vantrel::base
