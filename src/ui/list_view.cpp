#include "ui/list_view.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::ui {

std::size_t ListView::add(ListItem item) {
  auto at = items_.end();
  if (compare_) {
    at = std::upper_bound(items_.begin(), items_.end(), item, [this](const auto& a, const auto& b) {
      return compare_(a.caption, b.caption) < 0;
    });
  }
  const auto index = static_cast<std::size_t>(at - items_.begin());
  items_.insert(at, std::move(item));
  if (selected_ && *selected_ >= index) ++*selected_;
  return index;
}

void ListView::remove(std::size_t index) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  if (!selected_) return;
  if (*selected_ == index) {
    selected_.reset();
  } else if (*selected_ > index) {
    --*selected_;
  }
}

std::optional<std::size_t> ListView::findCaption(std::string_view caption) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (base::equalsIgnoreCase(items_[i].caption, caption)) return i;
  }
  return std::nullopt;
}

}  // namespace vantrel::ui
