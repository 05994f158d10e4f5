#include "mailtext/shown_text.h"

#include "mailtext/charsets.h"
#include "mailtext/code_point_kinds.h"
#include "mailtext/text_clusters.h"
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
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += codePointAt(text, at).length) ++count;
  if (count <= maxChars) return wellFormedUtf8(text);
  if (maxChars == 0) return {};
  // Whole characters only, as many as leave room for the ellipsis.
  std::size_t kept = 0;
  for (std::size_t at = 0, keptChars = 0; at < text.size();) {
    const std::size_t end = clusterEnd(text, at);
    for (std::size_t i = at; i < end; i += codePointAt(text, i).length) ++keptChars;
    if (keptChars > maxChars - 1) break;
    kept = at = end;
  }
  std::string out = wellFormedUtf8(text.substr(0, kept));
  while (!out.empty() && out.back() == ' ') out.pop_back();
  appendUtf8(out, kEllipsis);
  return out;
}

std::string shownWords(std::string_view bytes, std::size_t maxChars) {
  return cutText(shownText(utf8OrWindows1252(bytes)), maxChars);
}

bool showsNothing(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint point = codePointAt(text, at);
    if (!isDropped(point.value) && !isWhiteSpace(point.value) && !isDefaultIgnorable(point.value)) {
      return false;
    }
    at += point.length;
  }
  return true;
}

}  // namespace vantrel::mailtext
