#include "net/imap_summary_answers.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/text.h"

namespace vantrel::net {

namespace {

constexpr std::uint64_t kMostUid = std::numeric_limits<std::uint32_t>::max();
// Longer than any word worth reading here: keywords, UIDs.
constexpr std::size_t kKeptWord = 16;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

// A number of at most ten digits (a UID, a size); none for anything else.
std::optional<std::uint64_t> smallNumber(std::string_view text) {
  if (!allDigits(text) || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) value = value * 10 + static_cast<std::uint64_t>(c - '0');
  return value;
}

// The items of a FETCH answer's parenthesised list, one after the other.
class ItemReader {
 public:
  ItemReader(std::string_view text, const std::vector<std::string>& literals)
      : text_(text), literals_(literals) {}

  enum class Kind { Malformed, Atom, String, List };
  struct Value {
    Kind kind = Kind::Malformed;
    std::optional<std::string> text;  // of an atom or a string; none for a literal not kept
  };

  // False at the list's end or at what no item can start with.
  bool atItem() {
    skipBlanks();
    return at_ < text_.size() && text_[at_] != ')';
  }

  // An item's name: an atom, with a section in brackets that may hold blanks and parentheses,
  // and a partial range in angle brackets; in capitals.
  std::string name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ' ' && text_[at_] != '(' && text_[at_] != ')') {
      const char c = text_[at_++];
      const char close = c == '[' ? ']' : c == '<' ? '>' : '\0';
      if (close == '\0') continue;
      const auto end = text_.find(close, at_);
      at_ = end == std::string_view::npos ? text_.size() : end + 1;
    }
    return base::toUpperAscii(text_.substr(start, at_ - start));
  }

  Value value() {
    skipBlanks();
    if (at_ >= text_.size()) return {};
    switch (text_[at_]) {
      case '"':
        return quoted();
      case '{':
        return literal();
      case '(':
        return list();
      default:
        return atom();
    }
  }

 private:
  void skipBlanks() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }

  Value quoted() {
    std::string text;
    for (++at_; at_ < text_.size(); ++at_) {
      char c = text_[at_];
      if (c == '"') {
        ++at_;
        return {Kind::String, std::move(text)};
      }
      if (c == '\\' && at_ + 1 < text_.size()) c = text_[++at_];
      text += c;
    }
    return {};
  }

  // "{n}": the next of the answer's literals.
  Value literal() {
    const auto close = text_.find('}', at_);
    if (close == std::string_view::npos || !allDigits(text_.substr(at_ + 1, close - at_ - 1))) {
      return {};
    }
    at_ = close + 1;
    const std::size_t index = literalsSeen_++;
    if (index >= literals_.size()) return {Kind::String, std::nullopt};
    return {Kind::String, literals_[index]};
  }

  // Passed over whole, its strings and literals included, so that what follows stays in step.
  Value list() {
    int depth = 0;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '"') {
        if (quoted().kind == Kind::Malformed) return {};
        continue;
      }
      if (c == '{') {
        if (literal().kind == Kind::Malformed) return {};
        continue;
      }
      ++at_;
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0) return {Kind::List, std::nullopt};
    }
    return {};
  }

  Value atom() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ' ' && text_[at_] != '(' && text_[at_] != ')') {
      ++at_;
    }
    if (at_ == start) return {};
    return {Kind::Atom, std::string(text_.substr(start, at_ - start))};
  }

  std::string_view text_;
  const std::vector<std::string>& literals_;
  std::size_t at_ = 0;
  std::size_t literalsSeen_ = 0;
};

}  // namespace

void NewestUids::feed(std::string_view piece) {
  for (const char c : piece) take(c);
}

void NewestUids::take(char c) {
  if (c == '\n') {
    endLine();
    return;
  }
  if (state_ == State::Skip) return;
  if (state_ == State::Set) {
    if (isDigit(c)) {
      // Past the largest UID it stays past it, without overflowing.
      number_ =
          std::min(kMostUid + 1, number_.value_or(0) * 10 + static_cast<std::uint64_t>(c - '0'));
    } else if (c == ':') {
      itemBad_ = itemBad_ || !number_ || low_;
      low_ = number_;
      number_.reset();
    } else if (c == ',') {
      endSetItem();
    } else if (c == ' ' || c == '\r') {
      endSetItem();
      state_ = State::ESearch;
    } else {
      itemBad_ = true;
    }
    return;
  }
  if (c == ' ' || c == '\r') {
    endWord();
  } else if (word_.size() < kKeptWord) {
    word_ += c;
  } else {
    wordCut_ = true;
  }
}

void NewestUids::endWord() {
  if (word_.empty()) return;
  const std::string word = base::toUpperAscii(word_);
  const bool cut = std::exchange(wordCut_, false);
  word_.clear();
  switch (state_) {
    case State::Star:
      state_ = word == "*" ? State::Keyword : State::Skip;
      break;
    case State::Keyword:
      state_ = word == "SEARCH" ? State::Search : word == "ESEARCH" ? State::ESearch : State::Skip;
      break;
    case State::Search:
      // Anything in parentheses (a MODSEQ) ends the numbers.
      if (word.front() == '(') {
        state_ = State::Skip;
      } else if (const auto uid = smallNumber(word); uid && !cut) {
        add(*uid, *uid);
      }
      break;
    case State::ESearch:
      depth_ += static_cast<int>(std::count(word.begin(), word.end(), '(')) -
                static_cast<int>(std::count(word.begin(), word.end(), ')'));
      if (depth_ == 0 && word == "ALL" && !cut) state_ = State::Set;
      if (depth_ == 0 && word == "COUNT" && !cut) state_ = State::Count;
      break;
    case State::Count:
      // A count past what a mailbox can hold is no count.
      if (const auto count = smallNumber(word); count && !cut && *count <= kMostUid) {
        count_ = static_cast<std::uint32_t>(*count);
      }
      state_ = State::ESearch;
      break;
    case State::Set:
    case State::Skip:
      break;
  }
}

void NewestUids::endSetItem() {
  if (!itemBad_ && number_) {
    const std::uint64_t other = low_.value_or(*number_);
    add(std::min(other, *number_), std::max(other, *number_));
  }
  number_.reset();
  low_.reset();
  itemBad_ = false;
}

void NewestUids::endLine() {
  if (state_ == State::Set) {
    endSetItem();
  } else {
    endWord();
  }
  state_ = State::Star;
  word_.clear();
  wordCut_ = false;
  depth_ = 0;
}

void NewestUids::add(std::uint64_t low, std::uint64_t high) {
  if (low == 0 || high > kMostUid) return;
  // From the top of the range down, only as far as a number could still be among the highest.
  for (std::uint64_t uid = high; uid >= low; --uid) {
    if (uids_.size() >= most_ && (uids_.empty() || uid <= uids_.back())) return;
    const auto at =
        std::find_if(uids_.begin(), uids_.end(), [uid](std::uint32_t kept) { return kept <= uid; });
    if (at == uids_.end() || *at != uid) {
      uids_.insert(at, static_cast<std::uint32_t>(uid));
      if (uids_.size() > most_) uids_.pop_back();
    }
    if (uid == low) return;
  }
}

std::optional<FetchedItems> fetchedItems(const ImapAnswer& answer) {
  const ImapLine line = classifyImapLine(answer.text);
  if (line.kind != ImapKind::Untagged || !allDigits(line.keyword)) return std::nullopt;
  std::string_view rest = line.rest;
  const auto space = rest.find(' ');
  if (space == std::string_view::npos || base::toUpperAscii(rest.substr(0, space)) != "FETCH") {
    return std::nullopt;
  }
  rest.remove_prefix(space);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest.empty() || rest.front() != '(') return std::nullopt;

  FetchedItems items;
  ItemReader reader(rest.substr(1), answer.literals);
  while (reader.atItem()) {
    const std::string name = reader.name();
    ItemReader::Value value = reader.value();
    if (name.empty() || value.kind == ItemReader::Kind::Malformed) break;
    const bool atom = value.kind == ItemReader::Kind::Atom;
    if (name == "UID" && atom) {
      if (const auto uid = smallNumber(*value.text); uid && *uid >= 1 && *uid <= kMostUid) {
        items.uid = static_cast<std::uint32_t>(*uid);
      }
    } else if (name == "RFC822.SIZE" && atom) {
      items.size = smallNumber(*value.text);
    } else if (name.starts_with("BODY[HEADER.FIELDS ") || name.starts_with("BODY[HEADER.FIELDS(")) {
      if (value.kind == ItemReader::Kind::String) {
        items.header = std::move(value.text);
      } else if (atom && base::toUpperAscii(*value.text) == "NIL") {
        items.header = std::string();
      }
    }
  }
  if (items.uid == 0) return std::nullopt;
  return items;
}

std::string summaryFetchCommand(const std::vector<std::uint32_t>& uids) {
  std::string set;
  for (const std::uint32_t uid : uids) set += (set.empty() ? "" : ",") + std::to_string(uid);
  return "UID FETCH " + set + " (UID BODY.PEEK[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)])";
}

SummaryCollector::SummaryCollector(std::vector<std::uint32_t> uids)
    : uids_(std::move(uids)), found_(uids_.size()) {}

void SummaryCollector::take(const ImapAnswer& answer) {
  const std::optional<FetchedItems> items = fetchedItems(answer);
  if (!items) return;
  const auto at = std::find(uids_.begin(), uids_.end(), items->uid);
  if (at == uids_.end()) return;
  std::optional<TSummary>& summary = found_[static_cast<std::size_t>(at - uids_.begin())];
  if (items->header && !summary) {
    summary.emplace();
    summary->Number = items->uid;
    readHeader(*items->header, *summary);
  }
  // A size the server sends unasked is kept.
  if (items->size && summary) {
    summary->Bytes =
        static_cast<int>(std::min<std::uint64_t>(*items->size, std::numeric_limits<int>::max()));
  }
}

std::vector<TSummary> SummaryCollector::summaries() && {
  std::vector<TSummary> summaries;
  for (std::optional<TSummary>& summary : found_) {
    if (summary) summaries.push_back(std::move(*summary));
  }
  return summaries;
}

}  // namespace vantrel::net
