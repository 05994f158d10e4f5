// TImapClient's count: the unread messages of the inbox, once logged in, with what identifies the
// newest of them.

#include <algorithm>
#include <limits>

#include "net/imap_client.h"
#include "net/imap_summary_answers.h"
#include "net/imap_unseen_count.h"

namespace vantrel::net {

namespace {

constexpr const char* kNoUnseenCount = "The server gave no count of unread messages";

}  // namespace

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
  // STATUS makes some servers go through every message; a search inside the open inbox does not.
  if (esearch_.value_or(false)) {
    searchCount();
  } else {
    statusCount();
  }
}

void TImapClient::searchCount() {
  const bool withUids = NewestWanted > 0;
  const std::string examine = nextTag();
  const std::string search = nextTag();
  // Neither waits on the other: one round trip for both, as for STATUS alone.
  Write(examine + " " + std::string(kExamineInbox) + "\r\n" + search + " " +
        unseenSearchCommand(withUids) + "\r\n");
  std::optional<std::uint32_t> uidValidity;
  const Reply examined = expect(examine, [&uidValidity](const ImapAnswer&, const ImapLine& line) {
    if (const auto found = uidValidityOf(line)) uidValidity = found;
  });
  NewestUids found(withUids ? static_cast<std::size_t>(NewestWanted) : 0);
  const Reply searched =
      expectLong(search, [&found](std::string_view piece) { found.feed(piece); }, {});
  if (examined.line.status != ImapStatus::Ok) throw Exception(examined.text);
  if (searched.line.status != ImapStatus::Ok) throw Exception(searched.text);
  if (!found.count()) throw Exception(kNoUnseenCount);
  count_ =
      static_cast<int>(std::min<std::uint32_t>(*found.count(), std::numeric_limits<int>::max()));
  searched_ = true;
  newest_ = found.newestFirst();
  if (withUids) mark_ = searchedMark(uidValidity, newest_);
}

void TImapClient::statusCount() {
  const bool withMark = NewestWanted > 0;
  std::optional<InboxStatus> status;
  const Reply reply =
      command(unseenStatusCommand(withMark), [&status](const ImapAnswer& answer, const ImapLine&) {
        if (auto found = inboxStatusOf(answer)) status = found;
      });
  if (reply.line.status != ImapStatus::Ok) throw Exception(reply.text);
  if (!status) throw Exception(kNoUnseenCount);
  count_ = status->unseen;
  if (withMark) mark_ = statusMark(*status);
}

}  // namespace vantrel::net
