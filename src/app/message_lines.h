#pragma once
// The lines the notification window shows under an account for its newest messages: who wrote
// and about what, read from the headers the mail clients bring. Their text is UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/mail_summary.h"
#include "platform/text_conversion.h"

namespace vantrel::app {

// Messages shown per account, newest first.
inline constexpr int kNewestMessages = 5;

struct MessageLine {
  std::string from;     // the sender's name or address; empty when the header names none
  std::string subject;  // empty when there is none
  bool operator==(const MessageLine&) const = default;
};

// The sender and subject of a summary decoded to clean UTF-8; `system` reads the character sets
// the program has no table of its own for. Any bytes give a line.
MessageLine messageLineOf(const net::TSummary& summary, const platform::TextConversion& system);

// The line as the window shows it, in UTF-8: sender (isolated from the rest in direction), a
// dash, then the subject, or `noSubject` (a Windows-1252 language text) when it has none; cut to
// what the window's width holds.
std::string shownMessageLine(const MessageLine& line, std::string_view noSubject);

// The line below an account's message lines telling how many more messages wait, in UTF-8 like
// them: `moreMessages` is the language's Windows-1252 text with its count placeholder.
std::string moreMessagesLine(std::string_view moreMessages, std::int32_t more);

}  // namespace vantrel::app
