#pragma once
// A C stdio file, closed by its owner.

#include <cstdio>
#include <memory>
#include <string>

namespace vantrel::base {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

// Empty when the file cannot be opened; errno says why.
inline OwnedFile openFile(const std::string& path, const char* mode) {
  return OwnedFile(std::fopen(path.c_str(), mode));
}

}  // namespace vantrel::base
