#include "base/ini_file.h"

#include <charconv>

#include "base/text.h"

namespace vantrel::base {
namespace {

// Splits on LF, CRLF or CR, the three line ends the profile functions accept.
std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

// The section name of a line such as "[ Run ] trailing", or nothing when it is no section line.
std::optional<std::string_view> sectionName(std::string_view line) {
  const auto text = trimProfileBlanks(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const auto close = text.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimProfileBlanks(text.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::optional<std::string_view> value;  // none for a line without "="
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const auto text = trimProfileBlanks(line);
  if (text.empty() || text.front() == ';') return std::nullopt;
  const auto eq = text.find('=');
  if (eq == std::string_view::npos) return KeyLine{text, std::nullopt};
  return KeyLine{trimProfileBlanks(text.substr(0, eq)), trimProfileBlanks(text.substr(eq + 1))};
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

IniFile::IniFile(std::string path, const FileAccess& files)
    : path_(std::move(path)), files_(files) {
  const auto file = files_.read(path_);
  readFailed_ = file.outcome == ReadOutcome::Unreadable;
  lines_ = splitLines(file.bytes);
}

bool IniFile::exists() const {
  return files_.exists(path_);
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = sectionName(lines_[i]);
    if (name && equalsIgnoreCase(*name, section)) return i;
  }
  return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t sectionLine) const {
  std::size_t i = sectionLine + 1;
  while (i < lines_.size() && !sectionName(lines_[i])) ++i;
  return i;
}

std::optional<std::size_t> IniFile::findKeyLine(std::size_t sectionLine,
                                                std::string_view key) const {
  const auto end = sectionEnd(sectionLine);
  for (std::size_t i = sectionLine + 1; i < end; ++i) {
    const auto line = keyLine(lines_[i]);
    if (line && equalsIgnoreCase(line->name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
  const auto sectionLine = findSection(section);
  if (!sectionLine) return std::nullopt;
  const auto at = findKeyLine(*sectionLine, key);
  if (!at) return std::nullopt;
  const auto line = keyLine(lines_[*at]);
  if (!line->value) return std::nullopt;
  return std::string(unquote(*line->value));
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  auto value = find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
  const auto value = find(section, key);
  if (!value) return fallback;
  return parseInteger(*value).value_or(fallback);
}

std::vector<std::string> IniFile::sectionNames() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    if (const auto name = sectionName(line)) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> IniFile::sectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto sectionLine = findSection(section);
  if (!sectionLine) return keys;
  const auto end = sectionEnd(*sectionLine);
  for (std::size_t i = *sectionLine + 1; i < end; ++i) {
    const auto line = keyLine(lines_[i]);
    if (line && line->value) keys.emplace_back(line->name);
  }
  return keys;
}

// A value holding a line end makes new lines, as the profile functions do: no escaping.
void IniFile::setLines(std::size_t at, std::size_t count, std::string_view text) {
  auto replacement = splitLines(text);
  if (replacement.empty()) replacement.emplace_back();
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at),
               lines_.begin() + static_cast<std::ptrdiff_t>(at + count));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), replacement.begin(),
                replacement.end());
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const auto sectionLine = findSection(section);
  if (!sectionLine) {
    lines_.push_back("[" + std::string(section) + "]");
    setLines(lines_.size(), 0, std::string(key) + "=" + std::string(value));
    return save();
  }
  if (const auto at = findKeyLine(*sectionLine, key)) {
    const std::string name(keyLine(lines_[*at])->name);  // the stored spelling stays
    setLines(*at, 1, name + "=" + std::string(value));
    return save();
  }
  // After the last line that belongs to the section, comments included, before blank lines.
  auto insertAt = sectionEnd(*sectionLine);
  while (insertAt > *sectionLine + 1 && trimProfileBlanks(lines_[insertAt - 1]).empty()) {
    --insertAt;
  }
  setLines(insertAt, 0, std::string(key) + "=" + std::string(value));
  return save();
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) {
  const auto sectionLine = findSection(section);
  if (!sectionLine) return true;
  const auto at = findKeyLine(*sectionLine, key);
  if (!at) return true;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
  return save();
}

bool IniFile::flush() {
  return save();
}

bool IniFile::save() {
  if (readFailed_) return false;
  if (batchDepth_ > 0) {
    savePending_ = true;
    return !writeFailed_;
  }
  savePending_ = false;
  std::string text;
  for (const auto& line : lines_) text.append(line).append("\r\n");
  if (files_.replace(path_, text)) return true;
  if (!writeFailed_) {
    writeFailed_ = true;
    if (onWriteFailure_) onWriteFailure_();
  }
  return false;
}

}  // namespace vantrel::base
