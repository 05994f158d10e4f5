#pragma once
// The registry operations the program uses, and no more. A key closes when it is destroyed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual std::vector<std::string> subkeyNames() const = 0;
  // An absent value, or one of another type, gives nothing.
  virtual std::optional<std::string> readString(std::string_view name) const = 0;
  virtual std::optional<std::int32_t> readInt32(std::string_view name) const = 0;
  virtual std::optional<std::vector<std::uint8_t>> readBinary(std::string_view name) const = 0;
  // Whether the value is there, whatever its type: tells an absent value from an unreadable one.
  virtual bool hasValue(std::string_view name) const = 0;
  virtual bool writeString(std::string_view name, std::string_view value) = 0;
  virtual bool writeInt32(std::string_view name, std::int32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryKey> openReadOnly(RegistryRoot root, std::string_view path) = 0;
  // Value-setting access only; with `create`, a missing key is created.
  virtual std::unique_ptr<RegistryKey> openForWriting(RegistryRoot root, std::string_view path,
                                                      bool create) = 0;
};

}  // namespace vantrel::platform
