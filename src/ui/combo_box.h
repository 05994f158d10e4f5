#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace vantrel::ui {

struct ComboItem {
  std::string caption;
  std::int32_t imageIndex = -1;
  std::string data;  // what the item stands for, for its owner; not shown
};

struct ComboBox : Control {
  std::vector<ComboItem> items;
  std::optional<std::size_t> selected;
  Colour colour = Colour::Window;

  std::string selectedText() const {
    return selected ? items.at(*selected).caption : std::string();
  }
  void add(std::string caption, std::int32_t imageIndex = -1, std::string data = {}) {
    items.push_back({std::move(caption), imageIndex, std::move(data)});
  }
};

}  // namespace vantrel::ui
