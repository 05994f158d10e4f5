#include "platform/win32/win32_files.h"

#include <windows.h>

#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {
namespace {

// Failure as null, so that an owner's test tells whether the file is open.
OwnedHandle ownedFile(HANDLE handle) {
  return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace

base::FileRead Win32FileAccess::read(const std::string& path) const {
  // Shared with writers too: another program keeping the file open must not make it unreadable.
  const auto file = ownedFile(CreateFileA(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? base::ReadOutcome::Missing : base::ReadOutcome::Unreadable, {}};
  }
  base::FileRead result{base::ReadOutcome::Read, {}};
  char buffer[4096];
  for (;;) {
    DWORD count = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr)) {
      return {base::ReadOutcome::Unreadable, {}};
    }
    if (count == 0) return result;
    result.bytes.append(buffer, count);
  }
}

bool Win32FileAccess::exists(const std::string& path) const {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileAccess::replace(const std::string& path, std::string_view bytes) const {
  const auto temporary = path + ".tmp";
  {
    auto out = ownedFile(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    DWORD written = 0;
    const bool whole =
        WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(out.get());
    out.reset();
    if (!whole) {
      DeleteFileA(temporary.c_str());
      return false;
    }
  }
  if (MoveFileExA(temporary.c_str(), path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

}  // namespace vantrel::platform::win32
