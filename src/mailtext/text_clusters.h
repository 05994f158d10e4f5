#pragma once
// The characters a reader sees, which a shortened line keeps whole.

#include <cstddef>
#include <string_view>

namespace vantrel::mailtext {

// Where the character that starts at `at` (inside `text`, UTF-8) ends: a letter with the marks
// on it, an emoji with its variation selector and skin tone and the emoji a zero-width joiner
// joins to it, a flag's two letters. A byte that starts no well-formed sequence stands for U+FFFD.
std::size_t clusterEnd(std::string_view text, std::size_t at);

}  // namespace vantrel::mailtext
