#include "net/ex_string_list.h"

#include <string_view>

#include "base/text.h"

namespace vantrel::net {

int TExStringList::IndexOfHeader(const std::string& name) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::size_t colon = lines_[i].find(':');
    if (colon != std::string::npos &&
        base::equalsIgnoreCase(std::string_view(lines_[i]).substr(0, colon), name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void TExStringList::SetHeader(const std::string& name, const std::string& value) {
  const int index = IndexOfHeader(name);
  if (value.empty()) {
    if (index >= 0) lines_.erase(lines_.begin() + index);
  } else if (index >= 0) {
    lines_[static_cast<std::size_t>(index)] = name + ": " + value;
  } else {
    lines_.push_back(name + ": " + value);
  }
}

}  // namespace vantrel::net
