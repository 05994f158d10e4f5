#pragma once
// Windows paths as text: split without any conversion, so that an ANSI path keeps its letters.

#include <string_view>

namespace vantrel::base {

// The folder part of a path, without its last separator ("\" or "/"); empty when there is none.
std::string_view folderOfPath(std::string_view path);
// What follows the last separator: the whole path when there is none.
std::string_view fileNameOfPath(std::string_view path);

}  // namespace vantrel::base
