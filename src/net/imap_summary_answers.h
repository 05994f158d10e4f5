#pragma once
// Reading the answers of the IMAP clients' summary commands, without a connection: the UIDs a
// SEARCH or ESEARCH answer names, the FETCH of the newest headers and the summaries it brings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/imap_answers.h"
#include "net/mail_summary.h"

namespace vantrel::net {

// The highest UIDs named by "* SEARCH n n ..." and "* ESEARCH ... ALL sequence-set" answers, and
// the n of an ESEARCH answer's "COUNT n", read a piece at a time as the answers come: an answer
// naming a hundred thousand messages costs no more than the few numbers kept. Other answers are
// passed over.
class NewestUids {
 public:
  explicit NewestUids(std::size_t most) : most_(most) {}

  // Bytes of the answers, in order, their lines ended by LF.
  void feed(std::string_view piece);
  // At most `most`, the highest first, each once.
  const std::vector<std::uint32_t>& newestFirst() const { return uids_; }
  // Of the last ESEARCH answer that gave one.
  std::optional<std::uint32_t> count() const { return count_; }

 private:
  enum class State { Star, Keyword, Search, ESearch, Count, Set, Skip };

  void take(char c);
  void endWord();
  void endSetItem();
  void add(std::uint64_t low, std::uint64_t high);
  void endLine();

  std::size_t most_;
  std::vector<std::uint32_t> uids_;
  std::optional<std::uint32_t> count_;
  State state_ = State::Star;
  std::string word_;  // cut short: nothing worth reading is long
  bool wordCut_ = false;
  int depth_ = 0;  // of the parentheses around ESEARCH's correlator
  // The sequence set under way: the number being read and the start of its range, if any.
  std::optional<std::uint64_t> number_;
  std::optional<std::uint64_t> low_;
  bool itemBad_ = false;
};

// The items of "* n FETCH (...)" that make a summary, in whatever order the server gave them.
struct FetchedItems {
  std::uint32_t uid = 0;
  std::optional<std::uint64_t> size;  // RFC822.SIZE
  std::optional<std::string> header;  // BODY[HEADER.FIELDS ...]; NIL reads as empty
};

// None when the answer is no FETCH answer or names no UID. A header that came as a literal is
// that of the answer's literals, in their order; one that was not kept reads as missing.
std::optional<FetchedItems> fetchedItems(const ImapAnswer& answer);

// The FETCH of the summaries of these UIDs: their headers' few fields, read without a flag
// changing. No RFC822.SIZE: for it dovecot goes through the whole mailbox, ten times the rest of a
// check at 10,000 messages, and nothing shows it.
std::string summaryFetchCommand(const std::vector<std::uint32_t>& uids);

// The summaries of those UIDs as the FETCH answers come: in the server's order, their items too,
// and a message may be told of in more than one answer. What came before a failure stays.
class SummaryCollector {
 public:
  explicit SummaryCollector(std::vector<std::uint32_t> uids);

  // Any untagged answer; those of other messages or commands are passed over.
  void take(const ImapAnswer& answer);
  // Those the server gave, in the order of the UIDs.
  std::vector<TSummary> summaries() &&;

 private:
  std::vector<std::uint32_t> uids_;
  std::vector<std::optional<TSummary>> found_;
};

}  // namespace vantrel::net
