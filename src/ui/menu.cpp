#include "ui/menu.h"

#include "platform/keys.h"

namespace vantrel::ui {

MenuItem& MenuItem::insert(std::size_t position, std::unique_ptr<MenuItem> item) {
  auto& placed = *item;
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
  return placed;
}

std::size_t MenuItem::indexOf(const MenuItem& item) const {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].get() == &item) return i;
  }
  return items.size();
}

const MenuItem* MenuItem::findShortcut(const Shortcut& wanted) const {
  if (shortcut && *shortcut == wanted) return this;
  for (const auto& child : items) {
    if (const auto* found = child->findShortcut(wanted)) return found;
  }
  return nullptr;
}

std::unique_ptr<MenuItem> makeSeparator() {
  auto separator = std::make_unique<MenuItem>();
  separator->caption = "-";
  return separator;
}

std::string shortcutText(const Shortcut& shortcut) {
  std::string text;
  if (shortcut.modifiers & Shortcut::kShift) text += "Shift+";
  if (shortcut.modifiers & Shortcut::kCtrl) text += "Ctrl+";
  const auto key = shortcut.virtualKey;
  if (key >= platform::kVkF1 && key <= platform::kVkF24) {
    text += "F" + std::to_string(key - platform::kVkF1 + 1);
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    text += static_cast<char>(key);
  } else {
    text += "#" + std::to_string(key);
  }
  return text;
}

}  // namespace vantrel::ui
