#pragma once
// Text from a message or a server made safe and short enough to show on one line.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::mailtext {

// The text as one clean line of UTF-8: a byte that starts no well-formed sequence becomes
// U+FFFD; control characters (C0, DEL, C1) and the bidirectional formatting characters (marks,
// embeddings, overrides, isolates) go, so that no header can hide or reorder what the window
// shows around it; tabs and line breaks become spaces, runs of spaces one, none at either end.
std::string shownText(std::string_view text);

// At most `maxChars` code points of the text: when it has more, as many whole characters as a
// reader sees them (clusterEnd) as fit in `maxChars` - 1, without a space at the end, and an
// ellipsis. A byte that starts no well-formed sequence counts as, and becomes, U+FFFD.
std::string cutText(std::string_view text, std::size_t maxChars);

// Words a server sent, to show on one line of at most `maxChars` code points: read as UTF-8 when
// they are well-formed UTF-8, else as Windows-1252, then made clean (shownText) and cut (cutText).
std::string shownWords(std::string_view bytes, std::size_t maxChars);

// Whether the text shows nothing on a line: nothing but controls, blanks and characters drawn as
// nothing (Unicode's default-ignorable ones: zero-width spaces, direction marks, the BOM...).
bool showsNothing(std::string_view text);

}  // namespace vantrel::mailtext
