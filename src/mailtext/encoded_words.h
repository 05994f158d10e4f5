#pragma once
// The text of a header value with its encoded words (=?charset?B?...?=, =?charset?Q?...?=)
// decoded.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text_conversion.h"

namespace vantrel::mailtext {

// The value as UTF-8. Encoded words are found wherever they stand; the blanks between two of
// them are dropped, adjacent words in the same set are read as one run of bytes (a character
// may be split between them; a UTF-8 word that is not well-formed UTF-8 is read alone), and a
// word that does not decode stays as it is written. The other
// bytes are read by the rule of utf8OrWindows1252, over the whole value. `system` reads the sets
// without a table of their own and may be null. With `cut` the value was cut short: an encoded
// word left open at its end is read as far as it goes and followed by an ellipsis.
// The time taken grows with the length of the value and no faster.
std::string decodeHeaderText(std::string_view value, const platform::TextConversion* system,
                             bool cut = false);

// Where the encoded word written at `at` ends (just past its "?="), whether it decodes or not;
// npos when none starts there. Such a word is one token, whatever it holds.
std::size_t encodedWordEnd(std::string_view value, std::size_t at);

}  // namespace vantrel::mailtext
