#pragma once
// ImapAnswerReader: IMAP answers made of the bytes a connection brings, in whatever pieces they
// come. Each answer is kept as ImapAnswer keeps one, within bounds whatever the server sends; the
// bytes of its lines (its literals left out) can also be handed on as they come, for answers too
// long to keep (a SEARCH naming a hundred thousand messages).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "net/imap_answers.h"

namespace vantrel::net {

class ImapAnswerReader {
 public:
  // The start of an answer's text that is kept; the rest goes only to the pieces.
  static constexpr std::size_t kKeptText = 16 * 1024;
  static constexpr std::size_t kKeptLiterals = 4;
  static constexpr std::size_t kKeptLiteral = 16 * 1024;
  // A literal announced longer than this means harm: nothing after it is read.
  static constexpr std::uint64_t kMostLiteral = 256 * 1024;

  // Takes bytes up to the end of the next answer, and answers how many it took: all of them when
  // no answer ends in them. The answer that ended, if one did, is then answer()'s.
  std::size_t take(std::string_view bytes);
  std::optional<ImapAnswer> answer() { return std::exchange(ready_, std::nullopt); }
  // The server announced a literal past kMostLiteral.
  bool broken() const { return broken_; }
  // Every byte of the lines from now on, line ends included, literals left out, as it comes.
  void setPieces(std::function<void(std::string_view)> pieces) { pieces_ = std::move(pieces); }
  // For a new connection.
  void reset() { *this = ImapAnswerReader(); }

 private:
  ImapAnswer current_;
  std::optional<ImapAnswer> ready_;
  std::string tail_;  // the end of the line under way, where a literal is announced
  std::uint64_t literalLeft_ = 0;
  bool keepLiteral_ = false;
  bool broken_ = false;
  std::function<void(std::string_view)> pieces_;
};

}  // namespace vantrel::net
