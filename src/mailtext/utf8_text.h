#pragma once
// Reading and writing UTF-8 one code point at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::mailtext {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One code point read at a position, and the bytes it took.
struct CodePoint {
  char32_t value;
  std::size_t length;
};

// The code point that starts at `at` (which must be inside `text`). A byte that does not start
// a well-formed sequence (overlong forms, surrogates, values past U+10FFFF, a cut sequence)
// reads as U+FFFD and takes that one byte.
CodePoint codePointAt(std::string_view text, std::size_t at);

bool isValidUtf8(std::string_view text);

// `text` less a well-formed but unfinished sequence at its very end: what a cut leaves.
std::string_view withoutCutSequence(std::string_view text);

// A surrogate or a value past U+10FFFF goes in as U+FFFD.
void appendUtf8(std::string& out, char32_t value);

// The text with each byte that starts no well-formed sequence replaced by U+FFFD.
std::string wellFormedUtf8(std::string_view text);

}  // namespace vantrel::mailtext
