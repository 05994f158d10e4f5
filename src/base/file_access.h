#pragma once
// Whole-file reads and replacements by a path in the system's narrow text (the ANSI code page on
// Windows), so that a folder name reaches the system exactly as the system gave it.

#include <string>
#include <string_view>

namespace vantrel::base {

enum class ReadOutcome { Read, Missing, Unreadable };

struct FileRead {
  ReadOutcome outcome = ReadOutcome::Missing;
  std::string bytes;
};

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  // Missing only when there is no such file; any other failure is Unreadable.
  virtual FileRead read(const std::string& path) const = 0;
  // Whether anything, file or folder, has that name.
  virtual bool exists(const std::string& path) const = 0;
  // Writes a temporary beside the file (its name + ".tmp") and puts it in the file's place, so a
  // failed write never leaves a half-written file. False when the file was not replaced.
  virtual bool replace(const std::string& path, std::string_view bytes) const = 0;
};

// The C library's own file functions, which take narrow paths as they are: right where the
// system's file names are bytes (Linux).
class StandardFileAccess : public FileAccess {
 public:
  FileRead read(const std::string& path) const override;
  bool exists(const std::string& path) const override;
  bool replace(const std::string& path, std::string_view bytes) const override;
};

// A StandardFileAccess shared by readers that are given no other (it holds no state).
const FileAccess& standardFileAccess();

}  // namespace vantrel::base
