#include "mailtext/header_text.h"

#include "mailtext/encoded_words.h"
#include "mailtext/header_fields.h"
#include "mailtext/sender_name.h"
#include "mailtext/shown_text.h"

namespace vantrel::mailtext {

HeaderSummary summarizeHeader(std::string_view header, const platform::TextConversion* system) {
  HeaderSummary summary;
  if (const auto from = headerField(header, "From")) {
    summary.from = shownText(senderName(from->value, system, from->cut));
  }
  if (const auto subject = headerField(header, "Subject")) {
    summary.subject = shownText(decodeHeaderText(subject->value, system, subject->cut));
  }
  if (const auto id = headerField(header, "Message-ID")) summary.messageId = id->value;
  if (const auto date = headerField(header, "Date")) summary.date = date->value;
  return summary;
}

}  // namespace vantrel::mailtext
