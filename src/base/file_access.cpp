#include "base/file_access.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>

#include "base/owned_file.h"

namespace vantrel::base {

FileRead StandardFileAccess::read(const std::string& path) const {
  errno = 0;
  const auto file = openFile(path, "rb");
  if (!file) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? ReadOutcome::Missing : ReadOutcome::Unreadable, {}};
  }
  FileRead result{ReadOutcome::Read, {}};
  char buffer[4096];
  for (;;) {
    const auto count = std::fread(buffer, 1, sizeof buffer, file.get());
    result.bytes.append(buffer, count);
    if (count < sizeof buffer) break;
  }
  if (std::ferror(file.get())) return {ReadOutcome::Unreadable, {}};
  return result;
}

bool StandardFileAccess::exists(const std::string& path) const {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool StandardFileAccess::replace(const std::string& path, std::string_view bytes) const {
  const auto temporary = path + ".tmp";
  {
    auto out = openFile(temporary, "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size() &&
                         std::fflush(out.get()) == 0;
    if (std::fclose(out.release()) != 0 || !written) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

const FileAccess& standardFileAccess() {
  static const StandardFileAccess files;
  return files;
}

}  // namespace vantrel::base
