#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class Win32Key : public RegistryKey {
 public:
  explicit Win32Key(OwnedKey key) : key_(std::move(key)) {}

  std::vector<std::string> subkeyNames() const override {
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return {};
    }
    std::vector<std::string> names;
    std::string buffer(longest + 1, '\0');
    for (DWORD index = 0;;) {
      DWORD length = static_cast<DWORD>(buffer.size());
      const auto status = RegEnumKeyExA(key_.get(), index, buffer.data(), &length, nullptr, nullptr,
                                        nullptr, nullptr);
      if (status == ERROR_MORE_DATA) {  // a longer name was added since the query
        buffer.resize(buffer.size() * 2);
        continue;
      }
      if (status != ERROR_SUCCESS) return names;
      names.emplace_back(buffer.data(), length);
      ++index;
    }
  }

  std::optional<std::string> readString(std::string_view name) const override {
    const auto data =
        read(name, [](DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; });
    if (!data) return std::nullopt;
    // Stored strings may lack their terminating zero, or carry more than one.
    const auto end = std::find(data->begin(), data->end(), std::uint8_t{0});
    return std::string(data->begin(), end);
  }

  std::optional<std::int32_t> readInt32(std::string_view name) const override {
    const auto data = read(name, [](DWORD type) { return type == REG_DWORD; });
    if (!data || data->size() != sizeof(std::int32_t)) return std::nullopt;
    std::int32_t value = 0;
    std::memcpy(&value, data->data(), sizeof value);
    return value;
  }

  std::optional<std::vector<std::uint8_t>> readBinary(std::string_view name) const override {
    return read(name, [](DWORD type) { return type == REG_BINARY; });
  }

  bool hasValue(std::string_view name) const override {
    const std::string valueName(name);
    return RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
  }

  bool writeString(std::string_view name, std::string_view value) override {
    const std::string text(value);
    return write(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), text.size() + 1);
  }

  bool writeInt32(std::string_view name, std::int32_t value) override {
    const auto dword = static_cast<DWORD>(value);
    return write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
  }

 private:
  template <typename TypeCheck>
  std::optional<std::vector<std::uint8_t>> read(std::string_view name, TypeCheck acceptable) const {
    const std::string valueName(name);
    std::vector<std::uint8_t> data;
    for (;;) {
      DWORD type = REG_NONE;
      DWORD size = static_cast<DWORD>(data.size());
      const auto status = RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type,
                                           data.empty() ? nullptr : data.data(), &size);
      if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && data.empty() && size > 0)) {
        data.resize(size);  // asked for the size, or the value grew meanwhile
        continue;
      }
      if (status != ERROR_SUCCESS || !acceptable(type)) return std::nullopt;
      data.resize(size);
      return data;
    }
  }

  bool write(std::string_view name, DWORD type, const BYTE* data, std::size_t size) {
    const std::string valueName(name);
    return RegSetValueExA(key_.get(), valueName.c_str(), 0, type, data, static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
  }

  OwnedKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::openReadOnly(RegistryRoot root, std::string_view path) {
  const std::string subkey(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(rootKey(root), subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32Key>(OwnedKey(key));
}

std::unique_ptr<RegistryKey> Win32Registry::openForWriting(RegistryRoot root, std::string_view path,
                                                           bool create) {
  const std::string subkey(path);
  HKEY key = nullptr;
  const auto status =
      create ? RegCreateKeyExA(rootKey(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_SET_VALUE, nullptr, &key, nullptr)
             : RegOpenKeyExA(rootKey(root), subkey.c_str(), 0, KEY_SET_VALUE, &key);
  if (status != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32Key>(OwnedKey(key));
}

}  // namespace vantrel::platform::win32
