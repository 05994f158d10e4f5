#include "net/header_text.h"

#include "net/encoded_words.h"
#include "net/header_fields.h"
#include "net/sender_name.h"
#include "net/shown_text.h"

namespace vantrel::net {

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

}  // namespace vantrel::net
