#pragma once
// Reading IMAP answers and writing IMAP strings, without a connection: what the IMAP client
// makes of each line it reads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::net {

// One answer of the server: its lines, line ends removed, joined where a literal {n} ended one;
// the literals' bytes stand apart, each cut to kKeptLiteral bytes.
struct ImapAnswer {
  static constexpr std::size_t kKeptLiteral = 1024;

  std::string text;
  std::vector<std::string> literals;
};

enum class ImapKind { Untagged, Continuation, Tagged, Unknown };
enum class ImapStatus { None, Ok, No, Bad, Preauth, Bye };

struct ImapLine {
  ImapKind kind = ImapKind::Unknown;
  std::string tag;      // of a tagged answer
  std::string keyword;  // the first word after the tag or "*", in capitals: OK, CAPABILITY, ...
  ImapStatus status = ImapStatus::None;
  std::string code;  // of a status answer: the response code between [ and ], if any
  std::string rest;  // what follows the keyword and its space
};

ImapLine classifyImapLine(std::string_view text);

// The n of a literal {n} that ends a line (its line end already removed).
std::optional<std::uint64_t> literalAtEnd(std::string_view line);

// The capabilities of a line, in capitals: from "* CAPABILITY ..." or from a status answer's
// [CAPABILITY ...] code; none when the line has neither.
std::optional<std::vector<std::string>> capabilitiesOf(const ImapLine& line);

// What "* STATUS INBOX (...)" tells of the inbox, the mailbox an atom, a quoted string or a
// literal.
struct InboxStatus {
  int unseen = 0;
  std::optional<std::uint32_t> uidNext;
  std::optional<std::uint32_t> uidValidity;
};
// None unless it gives a readable UNSEEN count; an item that is no number reads as missing.
std::optional<InboxStatus> inboxStatusOf(const ImapAnswer& answer);

// The text as an IMAP quoted string, or none when it holds what a quoted string cannot carry
// (CR, LF, NUL, bytes above 127) or is too long to be sure a server takes it in one line.
std::optional<std::string> quotedString(std::string_view text);

// The name of a status answer's response code in capitals ("ALERT" of "[ALERT] ..."), or empty.
std::string responseCode(const ImapLine& line);
// What a status answer says for a person: its text after the response code.
std::string_view responseText(const ImapLine& line);

}  // namespace vantrel::net
