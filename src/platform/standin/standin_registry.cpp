#include "platform/standin/standin_registry.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "base/hex_text.h"
#include "base/text.h"

namespace vantrel::platform::standin {
namespace {

std::vector<std::string> splitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string rootName(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::string join(RegistryRoot root, std::string_view path) {
  return rootName(root) + "\\" + std::string(path);
}

// A quoted .reg string: backslash escapes for \\ and \".
std::string unescape(std::string_view quoted) {
  std::string out;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    out += quoted[i];
  }
  return out;
}

std::vector<std::uint8_t> parseHex(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (const char c : text) {
    const int digit = base::hexDigitValue(c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
      high = -1;
    }
  }
  return bytes;
}

std::string describe(const RegistryValue& value) {
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return "dword:" + std::to_string(*i);
  return "hex";
}

}  // namespace

class StandinKey : public RegistryKey {
 public:
  StandinKey(StandinRegistry& owner, StandinRegistry::Key& key, std::string path, bool writable)
      : owner_(owner), key_(key), path_(std::move(path)), writable_(writable) {}

  std::vector<std::string> subkeyNames() const override {
    std::vector<std::string> names;
    for (const auto& [lower, key] : key_.subkeys) names.push_back(key->name);
    return names;  // sorted without letter case, as the system enumerates them
  }
  std::optional<std::string> readString(std::string_view name) const override {
    const auto* v = lookup(name);
    const auto* s = v ? std::get_if<std::string>(v) : nullptr;
    return s ? std::optional(*s) : std::nullopt;
  }
  std::optional<std::int32_t> readInt32(std::string_view name) const override {
    const auto* v = lookup(name);
    const auto* i = v ? std::get_if<std::int32_t>(v) : nullptr;
    return i ? std::optional(*i) : std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> readBinary(std::string_view name) const override {
    const auto* v = lookup(name);
    const auto* b = v ? std::get_if<std::vector<std::uint8_t>>(v) : nullptr;
    return b ? std::optional(*b) : std::nullopt;
  }
  bool hasValue(std::string_view name) const override { return lookup(name) != nullptr; }
  bool writeString(std::string_view name, std::string_view value) override {
    return write(name, std::string(value));
  }
  bool writeInt32(std::string_view name, std::int32_t value) override { return write(name, value); }

 private:
  const RegistryValue* lookup(std::string_view name) const {
    for (const auto& [n, v] : key_.values) {
      if (base::equalsIgnoreCase(n, name)) return &v;
    }
    return nullptr;
  }
  bool write(std::string_view name, RegistryValue value) {
    if (!writable_ || key_.denyWrites) return false;
    owner_.setValue(path_, name, std::move(value));
    return true;
  }

  StandinRegistry& owner_;
  StandinRegistry::Key& key_;
  std::string path_;
  bool writable_;
};

StandinRegistry::Key* StandinRegistry::find(std::string_view fullPath) const {
  const Key* key = &root_;
  for (const auto& part : splitPath(fullPath)) {
    const auto found = key->subkeys.find(base::toLowerCp1252(part));
    if (found == key->subkeys.end()) return nullptr;
    key = found->second.get();
  }
  return const_cast<Key*>(key);
}

StandinRegistry::Key* StandinRegistry::create(std::string_view fullPath) {
  Key* key = &root_;
  for (const auto& part : splitPath(fullPath)) {
    auto& slot = key->subkeys[base::toLowerCp1252(part)];
    if (!slot) {
      slot = std::make_unique<Key>();
      slot->name = part;
    }
    key = slot.get();
  }
  return key;
}

bool StandinRegistry::hasKey(std::string_view fullPath) const {
  return find(fullPath) != nullptr;
}

std::optional<RegistryValue> StandinRegistry::value(std::string_view fullPath,
                                                    std::string_view name) const {
  const auto* key = find(fullPath);
  if (!key) return std::nullopt;
  for (const auto& [n, v] : key->values) {
    if (base::equalsIgnoreCase(n, name)) return v;
  }
  return std::nullopt;
}

void StandinRegistry::setValue(std::string_view fullPath, std::string_view name,
                               RegistryValue value) {
  writes_.push_back(std::string(fullPath) + "|" + std::string(name) + "=" + describe(value));
  auto* key = create(fullPath);
  for (auto& [n, v] : key->values) {
    if (base::equalsIgnoreCase(n, name)) {
      v = std::move(value);
      return;
    }
  }
  key->values.emplace_back(std::string(name), std::move(value));
}

void StandinRegistry::deleteKey(std::string_view fullPath) {
  auto parts = splitPath(fullPath);
  if (parts.empty()) return;
  const auto last = base::toLowerCp1252(parts.back());
  parts.pop_back();
  std::string parent;
  for (const auto& part : parts) parent += part + "\\";
  if (auto* key = find(parent)) key->subkeys.erase(last);
}

void StandinRegistry::denyWrites(std::string_view fullPath) {
  create(fullPath)->denyWrites = true;
}

std::unique_ptr<RegistryKey> StandinRegistry::openReadOnly(RegistryRoot root,
                                                           std::string_view path) {
  const auto full = join(root, path);
  auto* key = find(full);
  return key ? std::make_unique<StandinKey>(*this, *key, full, false) : nullptr;
}

std::unique_ptr<RegistryKey> StandinRegistry::openForWriting(RegistryRoot root,
                                                             std::string_view path, bool create) {
  const auto full = join(root, path);
  auto* key = find(full);
  if (!key && create) key = this->create(full);
  if (key && key->denyWrites) return nullptr;
  return key ? std::make_unique<StandinKey>(*this, *key, full, true) : nullptr;
}

void StandinRegistry::importRegFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  importReg(std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

void StandinRegistry::importReg(std::string_view text) {
  std::string current;
  std::string pending;  // a value continued with a trailing backslash
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    auto line = std::string(base::trimProfileBlanks(text.substr(start, end - start)));
    start = end + 1;
    if (!pending.empty()) line = pending + line;
    if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
      pending = line.substr(0, line.size() - 1);
      continue;
    }
    pending.clear();
    if (line.empty() || line.front() == ';' || line.rfind("REGEDIT", 0) == 0 ||
        line.rfind("Windows Registry Editor", 0) == 0) {
      continue;
    }
    if (line.front() == '[') {
      const auto name = line.substr(1, line.rfind(']') - 1);
      if (!name.empty() && name.front() == '-') {
        deleteKey(name.substr(1));
        current.clear();
      } else {
        current = name;
        create(current);
      }
      continue;
    }
    if (current.empty()) continue;
    std::string name;
    std::size_t at = 0;
    if (line.front() == '@') {
      at = 1;
    } else if (line.front() == '"') {
      auto close = line.find('"', 1);
      while (close != std::string::npos && line[close - 1] == '\\')
        close = line.find('"', close + 1);
      if (close == std::string::npos) continue;
      name = unescape(line.substr(1, close - 1));
      at = close + 1;
    }
    if (at >= line.size() || line[at] != '=') continue;
    const auto data = line.substr(at + 1);
    if (data.size() >= 2 && data.front() == '"') {
      setValue(current, name, unescape(data.substr(1, data.rfind('"') - 1)));
    } else if (data.rfind("dword:", 0) == 0) {
      setValue(current, name, static_cast<std::int32_t>(std::stoul(data.substr(6), nullptr, 16)));
    } else if (data.rfind("hex", 0) == 0) {
      setValue(current, name, parseHex(data.substr(data.find(':') + 1)));
    }
  }
  writes_.clear();
}

}  // namespace vantrel::platform::standin
