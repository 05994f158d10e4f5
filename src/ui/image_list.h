#pragma once
// An image list: the pictures designed into it (drawn by the view from resources) followed by
// icons added while the program runs, which it owns.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "platform/shell.h"

namespace vantrel::ui {

class ImageList {
 public:
  explicit ImageList(std::int32_t designedCount) : designedCount_(designedCount) {}

  std::int32_t designedCount() const { return designedCount_; }
  std::int32_t count() const { return designedCount_ + static_cast<std::int32_t>(added_.size()); }

  // The added icons in order, kNoIcon where one was dropped. The view makes its own copies.
  std::vector<platform::IconHandle> added() const {
    std::vector<platform::IconHandle> icons;
    for (const auto& icon : added_) icons.push_back(icon ? icon->get() : platform::kNoIcon);
    return icons;
  }

  // Returns the new picture's index.
  std::int32_t add(platform::ShellIcon icon) {
    added_.emplace_back(std::move(icon));
    return count() - 1;
  }

  // Frees an added icon nobody shows any more. Its index stays taken: no other picture moves.
  void drop(std::int32_t index) {
    if (index >= designedCount_ && index < count())
      added_[static_cast<std::size_t>(index - designedCount_)].reset();
  }

 private:
  std::int32_t designedCount_;
  std::vector<std::optional<platform::ShellIcon>> added_;
};

}  // namespace vantrel::ui
