#include "base/ini_file.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/text.h"

namespace vantrel::base {
namespace {

// Splits on LF, CRLF or CR, the three line ends the profile functions accept. memchr finds the
// ends: a test of every byte costs many times more under the fuzzers' instrumentation.
std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  const char* at = text.data();
  const char* const end = at + text.size();
  const auto next = [&](char c) {
    const void* found = std::memchr(at, c, static_cast<std::size_t>(end - at));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  const char* cr = next('\r');
  const char* lf = next('\n');
  for (;;) {
    const char* const stop = std::min(cr, lf);
    lines.emplace_back(at, stop);
    if (stop == end) break;
    at = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    if (at == end) break;
    if (cr < at) cr = next('\r');
    if (lf < at) lf = next('\n');
  }
  return lines;
}

// The section name of a trimmed line such as "[ Run ] trailing", or nothing when it is no
// section line.
std::optional<std::string_view> sectionName(std::string_view text) {
  if (text.empty() || text.front() != '[') return std::nullopt;
  const auto close = text.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimProfileBlanks(text.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::optional<std::string_view> value;  // none for a line without "="
};

// A trimmed line: the index trims each line once for both questions.
std::optional<KeyLine> keyLine(std::string_view text) {
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

const std::vector<IniFile::Section>& IniFile::sections() const {
  if (indexed_) return sections_;
  sections_.clear();
  keys_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view line = lines_[i];
    const auto at = [&](std::string_view part) {
      return static_cast<std::size_t>(part.data() - line.data());
    };
    const std::string_view trimmed = trimProfileBlanks(line);
    if (const auto name = sectionName(trimmed)) {
      if (!sections_.empty()) sections_.back().end = i;
      sections_.push_back(
          {{i, at(*name), name->size(), false}, lines_.size(), keys_.size(), keys_.size()});
    } else if (const auto key = keyLine(trimmed); key && !sections_.empty()) {
      keys_.push_back({i, at(key->name), key->name.size(), key->value.has_value()});
      sections_.back().endKey = keys_.size();
    }
  }
  indexed_ = true;
  return sections_;
}

std::span<const IniFile::Name> IniFile::keys(const Section& section) const {
  return std::span(keys_).subspan(section.firstKey, section.endKey - section.firstKey);
}

std::string_view IniFile::text(const Name& name) const {
  return {lines_[name.line].data() + name.at, name.size};
}

const IniFile::Section* IniFile::findSection(std::string_view section) const {
  for (const auto& candidate : sections()) {
    if (equalsIgnoreCase(text(candidate.name), section)) return &candidate;
  }
  return nullptr;
}

const IniFile::Name* IniFile::findKey(const Section& section, std::string_view key) const {
  for (const auto& candidate : keys(section)) {
    if (candidate.size == key.size() && equalsIgnoreCase(text(candidate), key)) return &candidate;
  }
  return nullptr;
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
  const auto* inSection = findSection(section);
  if (!inSection) return std::nullopt;
  const auto* found = findKey(*inSection, key);
  if (!found || !found->hasValue) return std::nullopt;
  return std::string(unquote(*keyLine(trimProfileBlanks(lines_[found->line]))->value));
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
  for (const auto& section : sections()) names.emplace_back(text(section.name));
  return names;
}

std::vector<std::string> IniFile::sectionKeys(std::string_view section) const {
  std::vector<std::string> names;
  const auto* inSection = findSection(section);
  if (!inSection) return names;
  for (const auto& key : keys(*inSection)) {
    if (key.hasValue) names.emplace_back(text(key));
  }
  return names;
}

// A value holding a line end makes new lines, as the profile functions do: no escaping.
void IniFile::setLines(std::size_t at, std::size_t count, std::string_view text) {
  auto replacement = splitLines(text);
  if (replacement.empty()) replacement.emplace_back();
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at),
               lines_.begin() + static_cast<std::ptrdiff_t>(at + count));
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), replacement.begin(),
                replacement.end());
  indexed_ = false;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const auto* inSection = findSection(section);
  if (!inSection) {
    lines_.push_back("[" + std::string(section) + "]");
    setLines(lines_.size(), 0, std::string(key) + "=" + std::string(value));
    return save();
  }
  if (const auto* found = findKey(*inSection, key)) {
    const std::size_t at = found->line;
    const std::string name(text(*found));  // the stored spelling stays
    setLines(at, 1, name + "=" + std::string(value));
    return save();
  }
  // After the last line that belongs to the section, comments included, before blank lines.
  const std::size_t first = inSection->name.line + 1;
  std::size_t insertAt = inSection->end;
  while (insertAt > first && trimProfileBlanks(lines_[insertAt - 1]).empty()) --insertAt;
  setLines(insertAt, 0, std::string(key) + "=" + std::string(value));
  return save();
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) {
  const auto* inSection = findSection(section);
  if (!inSection) return true;
  const auto* found = findKey(*inSection, key);
  if (!found) return true;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(found->line));
  indexed_ = false;
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
