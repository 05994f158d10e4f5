#pragma once
// An image list: the pictures designed into it (drawn by the view from resources) followed by
// icons added while the program runs.

#include <cstdint>
#include <vector>

#include "platform/handles.h"

namespace vantrel::ui {

class ImageList {
 public:
  explicit ImageList(std::int32_t designedCount) : designedCount_(designedCount) {}

  std::int32_t designedCount() const { return designedCount_; }
  std::int32_t count() const { return designedCount_ + static_cast<std::int32_t>(added_.size()); }
  const std::vector<platform::IconHandle>& added() const { return added_; }

  // Returns the new picture's index. The list keeps its own copy; the caller keeps the icon.
  std::int32_t add(platform::IconHandle icon) {
    added_.push_back(icon);
    return count() - 1;
  }

 private:
  std::int32_t designedCount_;
  std::vector<platform::IconHandle> added_;
};

}  // namespace vantrel::ui
