#pragma once
// What a mail list shows of a message, read from its header block (TOP n 0, or FETCH of
// HEADER.FIELDS): who sent it and about what, in UTF-8.

#include <string>
#include <string_view>

#include "platform/text_conversion.h"

namespace vantrel::mailtext {

struct HeaderSummary {
  std::string from;       // senderName of the From field, as shownText makes it; not cut
  std::string subject;    // the Subject decoded, as shownText makes it; empty when there is none
  std::string messageId;  // the Message-ID field as written, unfolded
  std::string date;       // the Date field as written, unfolded
};

// The header block as the server gives it: lines ending in CR LF or LF, possibly cut short
// (an encoded word the cut leaves open is read as far as it goes). `system` reads the character
// sets Vantrel has no table of its own for; when it is null, words in those sets stay as they
// are written. Any bytes give a summary: the work is bounded by kMaxHeaderBlock and
// kMaxFieldValue.
HeaderSummary summarizeHeader(std::string_view header, const platform::TextConversion* system);

}  // namespace vantrel::mailtext
