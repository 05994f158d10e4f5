// TImapClient's summary side: the headers of the newest unread messages, on the connection that
// has just counted them; after a count by STATUS, the inbox opened read-only and the UIDs of its
// unread messages first.

#include <algorithm>
#include <utility>

#include "net/imap_client.h"
#include "net/imap_summary_answers.h"
#include "net/imap_unseen_count.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

constexpr const char* kConnectionClosed = "Connection closed by the server";
// The most a literal may announce. The four header fields asked for run to a few kilobytes; a
// server announcing more means harm, and reading it through would only hold the check.
constexpr std::uint64_t kMostLiteral = 256 * 1024;
// As many literals as an answer keeps; the others are read and let go.
constexpr std::size_t kKeptLiterals = 4;
// Enough of a line's end to find the literal it announces.
constexpr std::size_t kKeptTail = 32;

}  // namespace

std::vector<TSummary> TImapClient::RetrieveUnseenSummaries(int newest) {
  if (newest <= 0 || count_ <= 0 || !Connected()) return {};
  refuseNested();
  // Connect's own deadline has stopped before OnConnect: this one bounds the summaries alone.
  const bool ownDeadline = startDeadline();
  const auto wanted = static_cast<std::size_t>(newest);
  // Messages answered for before a refusal or a failure count; the others are left out.
  std::optional<SummaryCollector> found;
  try {
    std::vector<std::uint32_t> uids = searched_ ? newest_ : searchAfterStatus(wanted);
    if (uids.size() > wanted) uids.resize(wanted);
    found.emplace(uids);
    if (!uids.empty()) fetchSummaries(*found, uids);
  } catch (const Exception&) {
    // What the server sends after a failure cannot be told apart from the answers due.
    if (Connected()) TAsyncSocket::Disconnect();
  }
  if (ownDeadline) stopDeadline();
  return found ? std::move(*found).summaries() : std::vector<TSummary>{};
}

bool TImapClient::offersEsearch() {
  // Asked again: what a server offers before the login is not what it offers after it.
  bool found = false;
  command("CAPABILITY", [&found](const ImapAnswer&, const ImapLine& line) {
    if (const auto capabilities = capabilitiesOf(line)) found = offers(*capabilities, "ESEARCH");
  });
  return found;
}

std::vector<std::uint32_t> TImapClient::searchAfterStatus(std::size_t newest) {
  // A server that told its capabilities with the login and counted by STATUS offers no ESEARCH.
  const bool esearch = esearch_.has_value() ? *esearch_ : offersEsearch();
  if (command(std::string(kExamineInbox)).line.status != ImapStatus::Ok) return {};
  return searchUnseen(esearch, newest);
}

std::vector<std::uint32_t> TImapClient::searchUnseen(bool esearch, std::size_t newest) {
  // ESEARCH's ALL names runs of UIDs as ranges; a plain SEARCH names each one. Either way the
  // answer is read as it comes and only the highest numbers are kept.
  NewestUids found(newest);
  const std::string tag = nextTag();
  Writeln(tag + (esearch ? " UID SEARCH RETURN (ALL) UNSEEN" : " UID SEARCH UNSEEN"));
  const Reply reply = expectLong(tag, [&found](std::string_view piece) { found.feed(piece); }, {});
  if (reply.line.status != ImapStatus::Ok) return {};
  return found.newestFirst();
}

void TImapClient::fetchSummaries(SummaryCollector& found, const std::vector<std::uint32_t>& uids) {
  const std::string tag = nextTag();
  Writeln(tag + " " + summaryFetchCommand(uids));
  expectLong(tag, {}, [&found](const ImapAnswer& answer, const ImapLine&) { found.take(answer); });
}

std::optional<ImapAnswer> TImapClient::readLongAnswer(const Pieces& pieces) {
  ImapAnswer answer;
  for (;;) {
    std::string start;
    std::string tail;
    const bool complete = ReadLnInPieces([&](std::string_view piece) {
      if (pieces) pieces(piece);
      const std::size_t room = kIoBufferSize - std::min(kIoBufferSize, answer.text.size());
      start.append(piece.substr(0, room - std::min(room, start.size())));
      tail.append(piece);
      if (tail.size() > 2 * kKeptTail) tail.erase(0, tail.size() - kKeptTail);
    });
    if (!complete) return std::nullopt;
    answer.text.append(withoutLineEnd(start));
    // What counts stands at the start of a line; the literal it announces, at its end.
    const auto size = literalAtEnd(withoutLineEnd(tail));
    if (!size) return answer;
    if (*size > kMostLiteral) {
      TAsyncSocket::Disconnect();
      throw ESockError("Literal too long");
    }
    std::string kept;
    const auto got = CaptureCount(*size, [&kept](const char* data, std::size_t n) {
      kept.append(data, std::min(n, TSummary::kKeptHeader - kept.size()));
    });
    if (got < *size) return std::nullopt;
    if (answer.literals.size() < kKeptLiterals) answer.literals.push_back(std::move(kept));
  }
}

TImapClient::Reply TImapClient::expectLong(const std::string& tag, const Pieces& pieces,
                                           const Untagged& untagged) {
  for (;;) {
    std::optional<ImapAnswer> answer = readLongAnswer(pieces);
    if (!answer) leave(kConnectionClosed);
    ImapLine line = classifyImapLine(answer->text);
    if (line.kind == ImapKind::Tagged && line.tag == tag) {
      return Reply{std::move(line), std::move(answer->text)};
    }
    if (line.kind != ImapKind::Untagged) continue;
    if (line.status == ImapStatus::Bye) leave(answer->text);
    if (untagged) untagged(*answer, line);
  }
}

}  // namespace vantrel::net
