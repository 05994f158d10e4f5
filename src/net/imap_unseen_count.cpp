#include "net/imap_unseen_count.h"

#include <charconv>

namespace vantrel::net {

namespace {

std::string numberText(std::optional<std::uint32_t> value) {
  return value ? std::to_string(*value) : "-";
}

}  // namespace

std::string unseenSearchCommand(bool withUids) {
  return withUids ? "UID SEARCH RETURN (COUNT ALL) UNSEEN" : "UID SEARCH RETURN (COUNT) UNSEEN";
}

std::string unseenStatusCommand(bool withMark) {
  return withMark ? "STATUS \"INBOX\" (UNSEEN UIDNEXT UIDVALIDITY)" : "STATUS \"INBOX\" (UNSEEN)";
}

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

std::string searchedMark(std::optional<std::uint32_t> uidValidity,
                         const std::vector<std::uint32_t>& newest) {
  std::string mark = "search " + numberText(uidValidity) + ":";
  for (const std::uint32_t uid : newest) mark += " " + std::to_string(uid);
  return mark;
}

std::string statusMark(const InboxStatus& status) {
  if (!status.uidNext || !status.uidValidity) return {};
  return "status " + numberText(status.uidValidity) + ":" + numberText(status.uidNext);
}

}  // namespace vantrel::net
