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

// The sender between two of these: a right-to-left name cannot carry the dash and the digits
// that start the subject along with it. Not the isolates of Unicode 6.3, which the text engine of
// Windows XP and 7 draws as boxes. The marks take no room on the line.
constexpr std::string_view kLeftToRightMark = "\xE2\x80\x8E";
constexpr std::size_t kDirectionMarks = 2;

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
  std::string text(kLeftToRightMark);
  text += mailtext::cutText(line.from, kSenderChars);
  text += kLeftToRightMark;
  text += kDash;
  text += subject;
  return mailtext::cutText(text, kLineChars + kDirectionMarks);
}

std::string moreMessagesLine(std::string_view moreMessages, std::int32_t more) {
  return mailtext::windows1252ToUtf8(
      replacePlaceholder(moreMessages, kPlaceholderCount, std::to_string(more)));
}

}  // namespace vantrel::app
