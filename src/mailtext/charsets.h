#pragma once
// Bytes in the character set a mail header names, as UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "platform/text_conversion.h"

namespace vantrel::mailtext {

// Bytes that name no character set (8-bit bytes in a header): UTF-8 when they are well-formed
// UTF-8, Windows-1252 otherwise.
std::string utf8OrWindows1252(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);

// Whether the name is one of UTF-8's.
bool isUtf8Name(std::string_view charset);

// Bytes in the named set, the name as mail gives it (any letter case, "ISO-8859-5", "latin1",
// "cp1251"...). UTF-8, US-ASCII, the ISO-8859 family, Windows-874 and -1250 to -1258, KOI8-R and
// KOI8-U are read here; any other set is asked of `system`, which may be null. Nothing when
// neither knows the set, or when the system finds the bytes are not text in it. The text given
// back is always well-formed UTF-8.
std::optional<std::string> charsetToUtf8(std::string_view charset, std::string_view bytes,
                                         const platform::TextConversion* system);

}  // namespace vantrel::mailtext
