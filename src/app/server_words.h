#pragma once
// Texts that quote a server: its words are anything it sent, the program's own are Windows-1252.
// Each is read as what it is, and the whole is UTF-8, for a box of its own kind
// (Dialogs::messageBoxWithServerWords) or a line that says it is UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::app {

// The most of a server's words a box or the e-mail tab shows: a line or two, not the screen.
inline constexpr std::size_t kServerWordsChars = 160;

// A server's words as one clean line of UTF-8 (mailtext::shownWords), cut at kServerWordsChars.
std::string serverWords(std::string_view bytes);

// The program's `text` (Windows-1252) in UTF-8, each `placeholder` in it replaced by `words`
// (UTF-8, as serverWords makes them).
std::string quotingServer(std::string_view text, std::string_view placeholder,
                          std::string_view words);

}  // namespace vantrel::app
