#include "net/text.h"

namespace vantrel::net {

std::string NthField(std::string_view text, char separator, int n) {
  if (n < 1) return {};
  std::size_t start = 0;
  for (int field = 1; field < n; ++field) {
    const std::size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + 1;
  }
  const std::size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
}

std::size_t NthCharPos(std::string_view text, char c, int n) {
  std::size_t found = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != c) continue;
    if (++found == static_cast<std::size_t>(n > 0 ? n : 0)) {
      return i + 1 == text.size() ? text.size() + 1 : i + 1;
    }
  }
  return text.size() + 1;
}

std::string_view LeadingDigits(std::string_view text, std::size_t maxDigits) {
  std::size_t n = 0;
  while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9') ++n;
  return text.substr(0, n);
}

std::string_view withoutLineEnd(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace vantrel::net
