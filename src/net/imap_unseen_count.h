#pragma once
// Counting the unread messages of an inbox, without a connection: the commands and what their
// answers tell, for any IMAP client that counts. Where the server offers ESEARCH (RFC 4731), a
// search inside the inbox opened read-only counts them and names the newest, one answer for both;
// elsewhere STATUS counts them. Either way the count comes with what identifies the newest
// unread messages, so that a mailbox whose count stayed while its mail changed is told apart.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/imap_answers.h"

namespace vantrel::net {

// Read-only: nothing a count does changes a flag, \Recent included.
inline constexpr std::string_view kExamineInbox = "EXAMINE \"INBOX\"";

// The search of the examined inbox that counts its unread messages and, `withUids`, names their
// UIDs as well; NewestUids reads its answer.
std::string unseenSearchCommand(bool withUids);

// STATUS of the inbox's unread messages and, `withMark`, of what tells its newest ones apart.
std::string unseenStatusCommand(bool withMark);

// The n of "* OK [UIDVALIDITY n] ...": the UID numbering of the mailbox just opened.
std::optional<std::uint32_t> uidValidityOf(const ImapLine& line);

// What identifies the newest unread messages: the same text, the same messages. From the search,
// their UIDs in their numbering; from STATUS, the numbering and the next UID to come (empty when
// STATUS lacks either: then only the count tells).
std::string searchedMark(std::optional<std::uint32_t> uidValidity,
                         const std::vector<std::uint32_t>& newest);
std::string statusMark(const InboxStatus& status);

}  // namespace vantrel::net
