#pragma once
// TSummary: what a mail client tells of one message without fetching it, taken from the header as
// the server sends it. Sender, subject and identifier stay raw bytes: decoding their encoded words
// and character sets is for whoever shows them. Everything kept is bounded, whatever the server
// sends.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/ex_string_list.h"

namespace vantrel::net {

struct TSummary {
  // The most kept of one field, and of Header as a whole.
  static constexpr std::size_t kKeptHeader = 16 * 1024;

  // POP3: the message number; IMAP: the message's UID.
  std::uint32_t Number = 0;
  // Raw values: unfolded (the line break of each fold removed, the blank after it kept), blanks
  // at both ends removed, nothing decoded. Empty when the header lacks the field; of several, the
  // first counts.
  std::string From;
  std::string Subject;
  std::string MessageId;
  // The message's size as the server gives it, 0 when it gave none (IMAP is not asked for it).
  int Bytes = 0;
  // The header's fields in their order, each unfolded to one line without its line end, as far as
  // they fit in kKeptHeader bytes together.
  TExStringList Header;
};

// Reads a header into a summary a line at a time, as the lines come, so that a header of any
// length costs no more than what the summary keeps.
class THeaderReader {
 public:
  explicit THeaderReader(TSummary& summary) : summary_(summary) {}

  // One line, its line end removed. The empty line ends the header; later lines are not read.
  void line(std::string_view text);
  // The header's bytes are over: the field under way counts too.
  void finish();

 private:
  void endField();

  TSummary& summary_;
  std::string field_;     // the field under way, unfolded, cut at kKeptHeader bytes
  bool inField_ = false;  // false also while skipping a line that is no field, and its folds
  unsigned found_ = 0;    // which of From, Subject, Message-ID were met
  std::size_t kept_ = 0;  // bytes in Header
  bool headerFull_ = false;
  bool over_ = false;
};

// A header given whole (an IMAP literal), its lines ended by LF or CR LF, read into a summary.
void readHeader(std::string_view block, TSummary& summary);

}  // namespace vantrel::net
