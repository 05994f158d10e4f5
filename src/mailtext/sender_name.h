#pragma once
// Who a From field names.

#include <string>
#include <string_view>

#include "platform/text_conversion.h"

namespace vantrel::mailtext {

// The sender as a person reads it, decoded to UTF-8: the display name of the field's first
// mailbox (a quoted string unescaped, comments left out, encoded words decoded even inside
// quotes, as every mail program does), else the comment that names an old-style "address (Name)",
// else the address itself; an empty group gives the group's name. A name that shows nothing
// (showsNothing) gives way to the address. An encoded word is one token, whatever it holds.
// `system` and `cut` as for decodeHeaderText.
std::string senderName(std::string_view from, const platform::TextConversion* system,
                       bool cut = false);

}  // namespace vantrel::mailtext
