#pragma once
// An in-memory registry, filled from REGEDIT4 text: the same .reg files the Wine tests import.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace vantrel::platform::standin {

using RegistryValue = std::variant<std::string, std::int32_t, std::vector<std::uint8_t>>;

class StandinRegistry : public Registry {
 public:
  // Adds the keys and values of a REGEDIT4 text; "[-KEY]" deletes a key.
  void importReg(std::string_view text);
  void importRegFile(const std::string& path);

  std::unique_ptr<RegistryKey> openReadOnly(RegistryRoot root, std::string_view path) override;
  std::unique_ptr<RegistryKey> openForWriting(RegistryRoot root, std::string_view path,
                                              bool create) override;

  // Tests look and change directly. Paths are "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\...".
  std::optional<RegistryValue> value(std::string_view fullPath, std::string_view name) const;
  void setValue(std::string_view fullPath, std::string_view name, RegistryValue value);
  void deleteKey(std::string_view fullPath);
  bool hasKey(std::string_view fullPath) const;
  // Writes under this key are refused, as for a user without rights.
  void denyWrites(std::string_view fullPath);
  // Every write, in order, as "path|name=value".
  const std::vector<std::string>& writes() const { return writes_; }

  struct Key {
    std::string name;  // as first written
    std::vector<std::pair<std::string, RegistryValue>> values;
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by lower-case name
    bool denyWrites = false;
  };

 private:
  Key* find(std::string_view fullPath) const;
  Key* create(std::string_view fullPath);
  Key root_;
  std::vector<std::string> writes_;
  friend class StandinKey;
};

}  // namespace vantrel::platform::standin
