#include "app/message_lines.h"

#include "app/lang_texts.h"
#include "mailtext/charsets.h"
#include "mailtext/header_text.h"
#include "mailtext/shown_text.h"

namespace vantrel::app {

namespace {

// In code points: about what the window's width shows at its font, the view cutting the rest. A
// long name leaves room for the subject.
constexpr std::size_t kSenderChars = 28;
constexpr std::size_t kLineChars = 60;

constexpr std::string_view kDash = " \xE2\x80\x93 ";  // an en dash between blanks

// The sender between these: a right-to-left name cannot carry the dash and the digits that
// start the subject along with it. The two marks take no room on the line.
constexpr std::string_view kFirstStrongIsolate = "\xE2\x81\xA8";
constexpr std::string_view kPopDirectionalIsolate = "\xE2\x81\xA9";
constexpr std::size_t kIsolateMarks = 2;

}  // namespace

MessageLine messageLineOf(const net::TSummary& summary, const platform::TextConversion& system) {
  // The raw fields alone: whatever else the header holds, and however long, is none of the line's.
  std::string header;
  if (!summary.From.empty()) header += "From: " + summary.From + "\r\n";
  if (!summary.Subject.empty()) header += "Subject: " + summary.Subject + "\r\n";
  auto decoded = mailtext::summarizeHeader(header, &system);
  return {std::move(decoded.from), std::move(decoded.subject)};
}

std::string shownMessageLine(const MessageLine& line, std::string_view noSubject) {
  const std::string subject = line.subject.empty()
                                  ? mailtext::shownText(mailtext::windows1252ToUtf8(noSubject))
                                  : line.subject;
  if (line.from.empty()) return mailtext::cutText(subject, kLineChars);
  std::string text(kFirstStrongIsolate);
  text += mailtext::cutText(line.from, kSenderChars);
  text += kPopDirectionalIsolate;
  text += kDash;
  text += subject;
  return mailtext::cutText(text, kLineChars + kIsolateMarks);
}

std::string moreMessagesLine(std::string_view moreMessages, std::int32_t more) {
  return mailtext::windows1252ToUtf8(
      replacePlaceholder(moreMessages, kPlaceholderCount, std::to_string(more)));
}

}  // namespace vantrel::app
