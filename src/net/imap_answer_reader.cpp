#include "net/imap_answer_reader.h"

#include <algorithm>

#include "net/text.h"

namespace vantrel::net {

namespace {

// Enough of a line's end to find the literal it announces.
constexpr std::size_t kKeptTail = 32;

}  // namespace

std::size_t ImapAnswerReader::take(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (broken_) return bytes.size();
    if (literalLeft_ > 0) {
      const std::size_t n =
          static_cast<std::size_t>(std::min<std::uint64_t>(literalLeft_, bytes.size() - at));
      if (keepLiteral_) {
        std::string& literal = current_.literals.back();
        literal.append(bytes.substr(at, std::min(n, kKeptLiteral - literal.size())));
      }
      literalLeft_ -= n;
      at += n;
      continue;
    }
    const std::size_t lf = bytes.find('\n', at);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
    const std::string_view piece = bytes.substr(at, end - at);
    at = end;
    if (pieces_) pieces_(piece);
    const std::string_view text =
        piece.substr(0, piece.size() - (lf == std::string_view::npos ? 0 : 1));
    current_.text.append(text.substr(0, kKeptText - std::min(kKeptText, current_.text.size())));
    tail_.append(piece);
    if (tail_.size() > 2 * kKeptTail) tail_.erase(0, tail_.size() - kKeptTail);
    if (lf == std::string_view::npos) break;

    if (current_.text.ends_with('\r')) current_.text.pop_back();
    const auto literal = literalAtEnd(withoutLineEnd(tail_));
    tail_.clear();
    if (!literal) {
      ready_ = std::exchange(current_, {});
      break;
    }
    if (*literal > kMostLiteral) {
      broken_ = true;
      return bytes.size();
    }
    literalLeft_ = *literal;
    keepLiteral_ = current_.literals.size() < kKeptLiterals;
    if (keepLiteral_) current_.literals.emplace_back();
  }
  return at;
}

}  // namespace vantrel::net
