#include "mailtext/header_fields.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::mailtext {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The field name of a line that starts a field; nothing for any other line.
std::optional<std::string_view> fieldNameOf(std::string_view line) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return trimBlanks(line.substr(0, colon));
}

}  // namespace

bool isHeaderBlankText(std::string_view text) {
  for (const char c : text) {
    if (!isHeaderBlank(c)) return false;
  }
  return true;
}

std::optional<HeaderField> headerField(std::string_view header, std::string_view name) {
  header = header.substr(0, std::min(header.size(), kMaxHeaderBlock));
  std::optional<HeaderField> field;
  for (std::size_t pos = 0; pos < header.size();) {
    const auto lineEnd = header.find('\n', pos);
    const bool ended = lineEnd != std::string_view::npos;
    std::string_view line = header.substr(pos, (ended ? lineEnd : header.size()) - pos);
    pos = ended ? lineEnd + 1 : header.size();
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) break;
    const bool continuation = isBlank(line.front());
    if (field && !continuation) break;
    if (!field) {
      if (continuation) continue;
      const auto lineName = fieldNameOf(line);
      if (!lineName || !base::equalsIgnoreCase(*lineName, name)) continue;
      field.emplace();
      line.remove_prefix(line.find(':') + 1);
    }
    const std::size_t room = kMaxFieldValue - field->value.size();
    field->value += line.substr(0, room);
    field->cut = !ended || line.size() > room;
    if (line.size() > room) break;
  }
  if (field) field->value = std::string(trimBlanks(field->value));
  return field;
}

}  // namespace vantrel::mailtext
