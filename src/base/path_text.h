#pragma once
// Windows paths as text: split without any conversion, so that an ANSI path keeps its letters.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::base {

// The folder part of a path, without its last separator ("\" or "/"); empty when there is none.
std::string_view folderOfPath(std::string_view path);
// What follows the last separator: the whole path when there is none.
std::string_view fileNameOfPath(std::string_view path);

// A path as the ANSI code page writes it, and whether every letter of it survived.
struct AnsiPath {
  std::string text;
  bool whole = false;
};

// The form of a path that the ANSI file functions can open: the long one when the code page
// writes it whole, else the short (8.3) one when that is written whole; none when neither is.
std::optional<std::string> openableAnsiPath(const AnsiPath& longForm,
                                            const std::optional<AnsiPath>& shortForm);

}  // namespace vantrel::base
