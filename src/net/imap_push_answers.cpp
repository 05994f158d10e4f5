#include "net/imap_push_answers.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "base/text.h"

namespace vantrel::net {

namespace {

constexpr std::size_t kKeptWord = 16;

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool tellsOfChange(const ImapLine& line) {
  // "* 3 EXISTS" reads as the keyword "3" followed by the rest.
  if (line.kind != ImapKind::Untagged || !allDigits(line.keyword)) return false;
  const std::string_view rest = line.rest;
  const std::string what = base::toUpperAscii(rest.substr(0, rest.find(' ')));
  if (what == "EXISTS" || what == "EXPUNGE") return true;
  return what == "FETCH" && base::toUpperAscii(rest).find("FLAGS") != std::string::npos;
}

bool refusesPassword(const ImapLine& line) {
  const std::string code = responseCode(line);
  return code.empty() || code == "AUTHENTICATIONFAILED" || code == "AUTHORIZATIONFAILED" ||
         code == "EXPIRED";
}

void EsearchCount::feed(std::string_view piece) {
  for (const char c : piece) {
    if (c == '\n') {
      endWord();
      state_ = State::Star;
      depth_ = 0;
      afterCount_ = false;
    } else if (state_ == State::Skip) {
      continue;
    } else if (c == ' ' || c == '\r') {
      endWord();
    } else if (word_.size() < kKeptWord) {
      word_ += c;
    } else {
      wordCut_ = true;
    }
  }
}

void EsearchCount::endWord() {
  if (word_.empty()) return;
  const std::string word = base::toUpperAscii(word_);
  const bool cut = std::exchange(wordCut_, false);
  word_.clear();
  switch (state_) {
    case State::Star:
      state_ = word == "*" ? State::Keyword : State::Skip;
      break;
    case State::Keyword:
      state_ = word == "ESEARCH" ? State::Items : State::Skip;
      break;
    case State::Items: {
      depth_ += static_cast<int>(std::count(word.begin(), word.end(), '(')) -
                static_cast<int>(std::count(word.begin(), word.end(), ')'));
      if (depth_ != 0) break;
      int value = 0;
      const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (afterCount_ && !cut && allDigits(word) && error == std::errc() &&
          end == word.data() + word.size()) {
        count_ = value;
      }
      afterCount_ = word == "COUNT";
      break;
    }
    case State::Skip:
      break;
  }
}

}  // namespace vantrel::net
