#include "base/path_text.h"

namespace vantrel::base {

namespace {
constexpr std::string_view kSeparators = "\\/";
}

std::string_view folderOfPath(std::string_view path) {
  const auto separator = path.find_last_of(kSeparators);
  return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator);
}

std::string_view fileNameOfPath(std::string_view path) {
  const auto separator = path.find_last_of(kSeparators);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::optional<std::string> openableAnsiPath(const AnsiPath& longForm,
                                            const std::optional<AnsiPath>& shortForm) {
  if (longForm.whole) return longForm.text;
  if (shortForm && shortForm->whole) return shortForm->text;
  return std::nullopt;
}

}  // namespace vantrel::base
