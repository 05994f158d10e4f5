#include "net/imap_unseen_count.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vantrel::net {

namespace {

std::string numberText(std::optional<std::uint32_t> value) {
  return value ? std::to_string(*value) : "-";
}

}  // namespace

std::optional<std::uint32_t> uidValidityOf(const ImapLine& line) {
  if (line.kind != ImapKind::Untagged || line.status != ImapStatus::Ok) return std::nullopt;
  constexpr std::string_view kName = "UIDVALIDITY ";
  const std::string_view code = line.code;
  if (code.size() <= kName.size() || responseCode(line) != "UIDVALIDITY") return std::nullopt;
  const std::string_view digits = code.substr(kName.size());
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value == 0) {
    return std::nullopt;
  }
  return value;
}

UnseenCounter::UnseenCounter(CountWanted wanted) : wanted_(wanted), uids_(wanted.newest) {}

std::vector<CountCommand> UnseenCounter::commands() const {
  const bool withUids = wanted_.newest > 0;
  if (wanted_.esearch) {
    return {{withUids ? "UID SEARCH RETURN (COUNT ALL) UNSEEN" : "UID SEARCH RETURN (COUNT) UNSEEN",
             true}};
  }
  std::vector<CountCommand> commands = {
      {wanted_.mark ? "STATUS \"INBOX\" (UNSEEN UIDNEXT UIDVALIDITY)" : "STATUS \"INBOX\" (UNSEEN)",
       false}};
  if (searched()) commands.push_back({"UID SEARCH UNSEEN", true});
  return commands;
}

void UnseenCounter::untagged(const ImapAnswer& answer, const ImapLine& line) {
  if (auto status = inboxStatusOf(answer)) status_ = status;
  if (const auto validity = uidValidityOf(line)) uidValidity_ = validity;
}

std::optional<int> UnseenCounter::count() const {
  if (!wanted_.esearch) {
    if (!status_) return std::nullopt;
    return status_->unseen;
  }
  if (!uids_.count()) return std::nullopt;
  return static_cast<int>(std::min<std::uint32_t>(*uids_.count(), std::numeric_limits<int>::max()));
}

bool UnseenCounter::searched() const {
  return wanted_.esearch || (wanted_.examined && wanted_.newest > 0);
}

std::string UnseenCounter::mark() const {
  if (!wanted_.mark) return {};
  if (wanted_.esearch) {
    std::string mark = "search " + numberText(uidValidity_) + ":";
    for (const std::uint32_t uid : newestFirst()) mark += " " + std::to_string(uid);
    return mark;
  }
  if (!status_ || !status_->uidNext || !status_->uidValidity) return {};
  return "status " + numberText(status_->uidValidity) + ":" + numberText(status_->uidNext);
}

}  // namespace vantrel::net
