#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace vantrel::ui {

struct ListItem {
  std::string caption;
  std::vector<std::string> subItems;
  bool checked = false;
  std::int32_t imageIndex = -1;
  std::string data;  // what the item stands for, for its owner; not shown
};

struct ListColumn {
  std::string caption;
  std::int32_t width = 0;
  std::int32_t minWidth = 0;
};

// A list view (report or icon style). A sorted list keeps its items in the order of `compare`,
// the system's text comparison; items that compare equal keep their insertion order.
class ListView : public Control {
 public:
  using Compare = std::function<int(std::string_view, std::string_view)>;

  std::vector<ListColumn> columns;
  Colour colour = Colour::Window;

  void setSorted(Compare compare) { compare_ = std::move(compare); }

  const std::vector<ListItem>& items() const { return items_; }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  ListItem& at(std::size_t index) { return items_.at(index); }
  const ListItem& at(std::size_t index) const { return items_.at(index); }

  // Inserts in sorted position when sorted; returns the item's index.
  std::size_t add(ListItem item);
  void remove(std::size_t index);

  std::optional<std::size_t> selected() const { return selected_; }
  void select(std::optional<std::size_t> index) { selected_ = index; }

  // The first item whose caption equals `caption`, letter case ignored (LVFI_STRING).
  std::optional<std::size_t> findCaption(std::string_view caption) const;

 private:
  std::vector<ListItem> items_;
  std::optional<std::size_t> selected_;
  Compare compare_;
};

}  // namespace vantrel::ui
