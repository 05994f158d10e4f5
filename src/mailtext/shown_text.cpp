#include "mailtext/shown_text.h"

#include "mailtext/utf8_text.h"

namespace vantrel::mailtext {

namespace {

constexpr char32_t kEllipsis = 0x2026;

bool isLineSpace(char32_t c) {
  return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == ' ' || c == 0x85 ||
         c == 0x2028 || c == 0x2029;
}

bool isDropped(char32_t c) {
  const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  const bool bidiFormat = c == 0x061C || c == 0x200E || c == 0x200F ||
                          (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
  return control || bidiFormat;
}

// The code point at `at` as UTF-8: its own bytes, or U+FFFD for a byte that starts nothing.
void appendCodePoint(std::string& out, std::string_view text, std::size_t at,
                     const CodePoint& point) {
  if (point.length == 1 && point.value == kReplacementCharacter) {
    appendUtf8(out, kReplacementCharacter);
  } else {
    out.append(text.substr(at, point.length));
  }
}

}  // namespace

std::string shownText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool spaceDue = false;
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint point = codePointAt(text, at);
    if (isLineSpace(point.value)) {
      spaceDue = !out.empty();
    } else if (!isDropped(point.value)) {
      if (spaceDue) out += ' ';
      spaceDue = false;
      appendCodePoint(out, text, at, point);
    }
    at += point.length;
  }
  return out;
}

std::string cutText(std::string_view text, std::size_t maxChars) {
  std::string out;
  std::size_t count = 0;
  std::size_t keptLength = 0;  // of `out` when it held maxChars - 1 code points
  for (std::size_t at = 0; at < text.size();) {
    if (count == maxChars) {
      if (maxChars == 0) return {};
      out.resize(keptLength);
      while (!out.empty() && out.back() == ' ') out.pop_back();
      appendUtf8(out, kEllipsis);
      return out;
    }
    if (count + 1 == maxChars) keptLength = out.size();
    const CodePoint point = codePointAt(text, at);
    appendCodePoint(out, text, at, point);
    ++count;
    at += point.length;
  }
  return out;
}

}  // namespace vantrel::mailtext
