#pragma once
// Reading what a mailbox waiting in IDLE is told, without a connection: the notices of a change,
// the count of an ESEARCH answer, and what a refused login comes down to.

#include <optional>
#include <string>
#include <string_view>

#include "net/imap_answers.h"

namespace vantrel::net {

// Whether an answer tells of a change of the mailbox's messages or of their flags:
// "* n EXISTS", "* n EXPUNGE", "* n FETCH (... FLAGS ...)".
bool tellsOfChange(const ImapLine& line);

// Whether a refused LOGIN speaks of the password (no code, or one of those that do); any other
// code is the server's own trouble.
bool refusesPassword(const ImapLine& line);

// The COUNT of "* ESEARCH ... COUNT n ..." answers, read a piece at a time as they come, however
// long the set of UIDs beside it; other answers are passed over.
class EsearchCount {
 public:
  // Bytes of the answers, in order, their lines ended by LF.
  void feed(std::string_view piece);
  std::optional<int> count() const { return count_; }

 private:
  enum class State { Star, Keyword, Items, Skip };

  void endWord();

  State state_ = State::Star;
  std::string word_;  // cut short: nothing worth reading is long
  bool wordCut_ = false;
  int depth_ = 0;  // of the parentheses around the correlator
  bool afterCount_ = false;
  std::optional<int> count_;
};

}  // namespace vantrel::net
