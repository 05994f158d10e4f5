#pragma once
// A pop-up menu and its items, with pictures and shortcut texts.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::ui {

// A shortcut as the menu shows it: modifier flags and a virtual key.
struct Shortcut {
  static constexpr std::uint32_t kShift = 1;
  static constexpr std::uint32_t kCtrl = 2;
  std::uint32_t modifiers = 0;
  std::uint32_t virtualKey = 0;
  bool operator==(const Shortcut&) const = default;
};

struct MenuItem {
  std::string caption;  // "-" is a separator
  std::int32_t imageIndex = -1;
  bool visible = true;
  bool enabled = true;
  std::optional<Shortcut> shortcut;
  std::function<void(const MenuItem&)> onClick;
  std::vector<std::unique_ptr<MenuItem>> items;  // a submenu when not empty

  bool isSeparator() const { return caption == "-"; }

  MenuItem& insert(std::size_t position, std::unique_ptr<MenuItem> item);
  MenuItem& append(std::unique_ptr<MenuItem> item) { return insert(items.size(), std::move(item)); }
  std::size_t indexOf(const MenuItem& item) const;
  void clear() { items.clear(); }

  // This item or any below it that carries `wanted`; depth first, top to bottom.
  const MenuItem* findShortcut(const Shortcut& wanted) const;
};

std::unique_ptr<MenuItem> makeSeparator();

// The text the menu shows for a shortcut, such as "Shift+Ctrl+F2".
std::string shortcutText(const Shortcut& shortcut);

}  // namespace vantrel::ui
