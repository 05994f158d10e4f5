#pragma once
// Counting the unread messages of an inbox, without a connection: the commands and what their
// answers tell, for every IMAP client that counts. Where the server offers ESEARCH (RFC 4731), a
// search inside the inbox opened read-only counts them and names the newest, one answer for both;
// elsewhere STATUS counts them. Either way the count can come with what identifies the newest
// unread messages, so that a mailbox whose count stayed while its mail changed is told apart.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/imap_answers.h"
#include "net/imap_summary_answers.h"

namespace vantrel::net {

// Read-only: nothing a count does changes a flag, \Recent included.
inline constexpr std::string_view kExamineInbox = "EXAMINE \"INBOX\"";

// The n of "* OK [UIDVALIDITY n] ...": the UID numbering of the mailbox just opened.
std::optional<std::uint32_t> uidValidityOf(const ImapLine& line);

// What a count is to find.
struct CountWanted {
  // The server offers ESEARCH, and the inbox is examined (or its EXAMINE goes just before).
  bool esearch = false;
  // How many of the newest unread messages' UIDs come with it: from the search, or after STATUS
  // from an inbox already examined.
  std::size_t newest = 0;
  bool examined = false;
  // What identifies the newest unread messages, too: mark().
  bool mark = false;
};

struct CountCommand {
  std::string text;
  bool search = false;  // its answer may name every message: read as it comes, feed()
};

class UnseenCounter {
 public:
  explicit UnseenCounter(CountWanted wanted);

  // In this order, each with a tag of its own; none waits on another's answer, so that they go
  // together.
  std::vector<CountCommand> commands() const;
  // Every byte of the lines of their answers (line ends included), as they come.
  void feed(std::string_view piece) { uids_.feed(piece); }
  // Every untagged answer meanwhile, also those of an EXAMINE sent with them.
  void untagged(const ImapAnswer& answer, const ImapLine& line);

  // Once every command has been answered OK: the count, or none when the server gave none.
  std::optional<int> count() const;
  // Whether the commands named the newest UIDs, and those UIDs, highest first.
  bool searched() const;
  const std::vector<std::uint32_t>& newestFirst() const { return uids_.newestFirst(); }
  // What identifies the newest unread messages: the same text at the next count, the same
  // messages. From the search, their UIDs in their numbering; from STATUS, the numbering and the
  // next UID to come. Empty when not wanted, or when the server told nothing that does.
  std::string mark() const;

 private:
  CountWanted wanted_;
  NewestUids uids_;
  std::optional<InboxStatus> status_;
  std::optional<std::uint32_t> uidValidity_;
};

}  // namespace vantrel::net
