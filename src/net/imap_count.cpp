// TImapClient's count: the unread messages of the inbox, once logged in, with what identifies the
// newest of them.

#include <algorithm>

#include "net/imap_client.h"
#include "net/imap_unseen_count.h"

namespace vantrel::net {

std::optional<bool> TImapClient::offeredSinceLogin(const char* name) const {
  // What a server offers before the login is not what it offers after it: only what came in
  // answer to the login (or with a greeting that lets us in) counts.
  if (!heard_ || heard_->tag != tags_) return std::nullopt;
  return std::find(heard_->names.begin(), heard_->names.end(), name) != heard_->names.end();
}

void TImapClient::countUnseen() {
  esearch_ = offeredSinceLogin("ESEARCH");
  searched_ = false;
  newest_.clear();
  mark_.clear();
  const auto newest = static_cast<std::size_t>(std::max(NewestWanted, 0));
  // STATUS makes some servers go through every message; a search inside the open inbox does not.
  const CountWanted wanted{
      .esearch = esearch_.value_or(false), .newest = newest, .mark = newest > 0};
  UnseenCounter counting(wanted);
  std::vector<CountCommand> commands = counting.commands();
  if (wanted.esearch) commands.insert(commands.begin(), {std::string(kExamineInbox), false});
  // None waits on another: one round trip for all, as for STATUS alone.
  std::vector<std::string> tags;
  std::string sent;
  for (const CountCommand& command : commands) {
    tags.push_back(nextTag());
    sent += tags.back() + " " + command.text + "\r\n";
  }
  Write(sent);
  const auto untagged = [&counting](const ImapAnswer& answer, const ImapLine& line) {
    counting.untagged(answer, line);
  };
  std::vector<Reply> replies;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    replies.push_back(
        commands[i].search
            ? expectLong(
                  tags[i], [&counting](std::string_view piece) { counting.feed(piece); }, untagged)
            : expect(tags[i], untagged));
  }
  for (const Reply& reply : replies) {
    if (reply.line.status != ImapStatus::Ok) throw Exception(reply.text);
  }
  const std::optional<int> count = counting.count();
  if (!count) throw EMailFault(MailFault::NoUnseenCount);
  count_ = *count;
  searched_ = counting.searched();
  newest_ = counting.newestFirst();
  mark_ = counting.mark();
}

}  // namespace vantrel::net
