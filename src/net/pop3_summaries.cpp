// TPop3Client's summary side: LIST and TOP of the newest messages, and the unique-id that tells a
// message apart, on the connection that has just counted them.

#include <algorithm>
#include <string_view>

#include "base/ini_file.h"
#include "net/pop3_client.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

// A unique-id is 1 to 70 characters from 0x21 to 0x7E (RFC 1939).
constexpr std::size_t kMostUniqueId = 70;

bool isUniqueId(std::string_view text) {
  return !text.empty() && text.size() <= kMostUniqueId &&
         std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

}  // namespace

std::vector<TSummary> TPop3Client::RetrieveSummaries(int newest) {
  std::vector<TSummary> summaries;
  if (newest <= 0 || count_ <= 0 || !Connected()) return summaries;
  refuseNested();
  // Connect's own deadline has stopped before OnConnect: this one bounds the summaries alone.
  const bool ownDeadline = startDeadline();
  const int oldest = count_ - std::min(newest, count_) + 1;
  for (int number = count_; number >= oldest; --number) {
    if (OnRetrieveStart) OnRetrieveStart(*this);
    std::optional<TSummary> summary;
    bool lost = false;
    try {
      summary = retrieveSummary(number);
    } catch (const Exception&) {
      lost = true;
    }
    // What the server sends after a failure cannot be told apart from the answers due.
    if (lost && Connected()) TAsyncSocket::Disconnect();
    if (OnRetrieveEnd) OnRetrieveEnd(*this);
    if (!summary) break;
    summaries.push_back(std::move(*summary));
  }
  if (ownDeadline) stopDeadline();
  return summaries;
}

std::string TPop3Client::Uidl(int number) {
  if (number <= 0 || !Connected()) return {};
  refuseNested();
  const bool ownDeadline = startDeadline();
  const std::string n = std::to_string(number);
  std::string reply;
  try {
    Transaction("UIDL " + n, reply);
  } catch (const Exception&) {
    reply.clear();
    if (Connected()) TAsyncSocket::Disconnect();
  }
  if (ownDeadline) stopDeadline();
  // "+OK n unique-id"
  const std::string id(withoutLineEnd(NthField(reply, ' ', 3)));
  if (!IsPositive(reply) || NthField(reply, ' ', 2) != n || !isUniqueId(id)) return {};
  return id;
}

std::optional<TSummary> TPop3Client::retrieveSummary(int number) {
  TSummary summary;
  summary.Number = static_cast<std::uint32_t>(number);
  const std::string n = std::to_string(number);
  std::string reply;
  Transaction("LIST " + n, reply);
  // "+OK n size"; a size the server will not give is not a reason to go without the rest.
  if (IsPositive(reply) && NthField(reply, ' ', 2) == n) {
    if (const auto size = base::parseInteger(withoutLineEnd(NthField(reply, ' ', 3)));
        size && *size >= 0) {
      summary.Bytes = *size;
      if (OnList) OnList(number, *size);
    }
  }
  Transaction("TOP " + n + " 0", reply);
  if (!IsPositive(reply)) return std::nullopt;
  THeaderReader reader(summary);
  readMultiLine([&reader](std::string_view line) { reader.line(line); });
  reader.finish();
  return summary;
}

}  // namespace vantrel::net
