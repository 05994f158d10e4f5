#pragma once
// Files named in the ANSI code page, through the A functions of kernel32: a folder such as
// "C:\Œuvre" reaches the system exactly as GetModuleFileNameA gave it.

#include "base/file_access.h"

namespace vantrel::platform::win32 {

class Win32FileAccess : public base::FileAccess {
 public:
  base::FileRead read(const std::string& path) const override;
  bool exists(const std::string& path) const override;
  bool replace(const std::string& path, std::string_view bytes) const override;
};

}  // namespace vantrel::platform::win32
