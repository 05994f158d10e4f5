#pragma once
// The Windows registry. Keys are closed when the returned objects are destroyed.

#include "platform/registry.h"

namespace vantrel::platform::win32 {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> openReadOnly(RegistryRoot root, std::string_view path) override;
  std::unique_ptr<RegistryKey> openForWriting(RegistryRoot root, std::string_view path,
                                              bool create) override;
};

}  // namespace vantrel::platform::win32
