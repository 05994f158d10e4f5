#include "net/imap_answers.h"

#include <charconv>
#include <limits>
#include <utility>

#include "base/text.h"

namespace vantrel::net {

namespace {

// More digits than this announce more than any connection could carry.
constexpr std::size_t kMaxLiteralDigits = 18;
// Longer texts go as literals: a server need not take lines of any length.
constexpr std::size_t kMaxQuoted = 1024;

// The text before the first space, and what follows that space.
std::pair<std::string_view, std::string_view> firstWord(std::string_view text) {
  const auto space = text.find(' ');
  if (space == std::string_view::npos) return {text, {}};
  return {text.substr(0, space), text.substr(space + 1)};
}

bool isTag(std::string_view word) {
  if (word.empty()) return false;
  for (const char c : word) {
    if (c <= ' ' || c > '~' || std::string_view("(){%*\"\\+").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

ImapStatus statusOf(std::string_view keyword) {
  if (keyword == "OK") return ImapStatus::Ok;
  if (keyword == "NO") return ImapStatus::No;
  if (keyword == "BAD") return ImapStatus::Bad;
  if (keyword == "PREAUTH") return ImapStatus::Preauth;
  if (keyword == "BYE") return ImapStatus::Bye;
  return ImapStatus::None;
}

std::optional<std::uint64_t> number(std::string_view digits, std::uint64_t most) {
  std::uint64_t value = 0;
  if (digits.empty() || digits.size() > kMaxLiteralDigits) return std::nullopt;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value > most) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string> atoms(std::string_view text) {
  std::vector<std::string> found;
  while (!text.empty()) {
    const auto [word, rest] = firstWord(text);
    if (!word.empty()) found.push_back(base::toUpperAscii(word));
    text = rest;
  }
  return found;
}

// The mailbox name that starts `text`, and what follows it.
std::optional<std::pair<std::string, std::string_view>> mailboxAt(std::string_view text,
                                                                  const ImapAnswer& answer) {
  if (text.empty()) return std::nullopt;
  if (text.front() == '"') {
    std::string name;
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (text[i] == '"') return std::pair{name, text.substr(i + 1)};
      if (text[i] == '\\' && i + 1 < text.size()) ++i;
      name += text[i];
    }
    return std::nullopt;
  }
  if (text.front() == '{') {
    // The first literal of the answer: nothing before the mailbox could have announced one.
    const auto close = text.find('}');
    if (close == std::string_view::npos || answer.literals.empty()) return std::nullopt;
    const auto size = number(text.substr(1, close - 1), ImapAnswer::kKeptLiteral);
    if (!size || answer.literals.front().size() != *size) return std::nullopt;
    return std::pair{answer.literals.front(), text.substr(close + 1)};
  }
  const auto end = text.find_first_of(" (");
  const std::string_view name = text.substr(0, end);
  return std::pair{std::string(name), end == std::string_view::npos ? "" : text.substr(end)};
}

}  // namespace

ImapLine classifyImapLine(std::string_view text) {
  ImapLine line;
  if (text.empty()) return line;
  if (text.front() == '+') {
    line.kind = ImapKind::Continuation;
    line.rest = text.substr(text.size() > 1 && text[1] == ' ' ? 2 : 1);
    return line;
  }
  const auto [first, after] = firstWord(text);
  if (first == "*") {
    line.kind = ImapKind::Untagged;
  } else if (isTag(first)) {
    line.kind = ImapKind::Tagged;
    line.tag = first;
  } else {
    return line;
  }
  const auto [keyword, rest] = firstWord(after);
  line.keyword = base::toUpperAscii(keyword);
  line.rest = rest;
  line.status = statusOf(line.keyword);
  if (line.status != ImapStatus::None && !rest.empty() && rest.front() == '[') {
    const auto close = rest.find(']');
    if (close != std::string_view::npos) line.code = rest.substr(1, close - 1);
  }
  return line;
}

std::optional<std::uint64_t> literalAtEnd(std::string_view line) {
  if (line.empty() || line.back() != '}') return std::nullopt;
  const auto open = line.rfind('{');
  if (open == std::string_view::npos) return std::nullopt;
  return number(line.substr(open + 1, line.size() - open - 2),
                std::numeric_limits<std::uint64_t>::max());
}

std::optional<std::vector<std::string>> capabilitiesOf(const ImapLine& line) {
  if (line.kind == ImapKind::Untagged && line.keyword == "CAPABILITY") return atoms(line.rest);
  const auto [name, list] = firstWord(line.code);
  if (line.status != ImapStatus::None && base::toUpperAscii(name) == "CAPABILITY")
    return atoms(list);
  return std::nullopt;
}

std::optional<InboxStatus> inboxStatusOf(const ImapAnswer& answer) {
  const ImapLine line = classifyImapLine(answer.text);
  if (line.kind != ImapKind::Untagged || line.keyword != "STATUS") return std::nullopt;
  const auto mailbox = mailboxAt(line.rest, answer);
  if (!mailbox || base::toUpperAscii(mailbox->first) != "INBOX") return std::nullopt;
  std::string_view items = mailbox->second;
  while (!items.empty() && items.front() == ' ') items.remove_prefix(1);
  const auto close = items.find(')');
  if (items.empty() || items.front() != '(' || close == std::string_view::npos) {
    return std::nullopt;
  }
  const std::vector<std::string> words = atoms(items.substr(1, close - 1));
  std::optional<std::uint64_t> unseen;
  InboxStatus status;
  for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
    const std::string& name = words[i];
    const std::string& value = words[i + 1];
    if (name == "UNSEEN" && !unseen) {
      unseen = number(value, std::numeric_limits<int>::max());
      if (!unseen) return std::nullopt;
    } else if (name == "UIDNEXT" || name == "UIDVALIDITY") {
      const auto uid = number(value, std::numeric_limits<std::uint32_t>::max());
      (name == "UIDNEXT" ? status.uidNext : status.uidValidity) =
          uid ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*uid)) : std::nullopt;
    }
  }
  if (!unseen) return std::nullopt;
  status.unseen = static_cast<int>(*unseen);
  return status;
}

std::optional<std::string> quotedString(std::string_view text) {
  if (text.size() > kMaxQuoted) return std::nullopt;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == '\0' || static_cast<unsigned char>(c) > 127) {
      return std::nullopt;
    }
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string responseCode(const ImapLine& line) {
  return base::toUpperAscii(firstWord(line.code).first);
}

std::string_view responseText(const ImapLine& line) {
  std::string_view text = line.rest;
  if (line.status != ImapStatus::None && text.starts_with('[')) {
    const auto close = text.find(']');
    if (close != std::string_view::npos) text.remove_prefix(close + 1);
  }
  while (text.starts_with(' ')) text.remove_prefix(1);
  return text;
}

}  // namespace vantrel::net
