#pragma once
// A tree view model: nodes with pictures, the expanded state and the selected node.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace vantrel::ui {

struct TreeNode {
  std::string text;
  std::int32_t imageIndex = 0;
  std::int32_t selectedIndex = 0;
  bool expanded = false;
  std::vector<TreeNode> children;
  std::string data;  // what the node stands for, for its owner; not shown
};

// Where a node stands: its top-level index, and its index among the children when it is one.
struct TreePath {
  std::size_t top = 0;
  std::optional<std::size_t> child;
  bool operator==(const TreePath&) const = default;
};

struct TreeView : Control {
  std::vector<TreeNode> nodes;
  std::optional<TreePath> selected;

  // All nodes at once, none selected.
  void replace(std::vector<TreeNode> newNodes) {
    nodes = std::move(newNodes);
    selected.reset();
  }
  TreeNode& addTop(std::string text, std::int32_t image, std::string data = {}) {
    return nodes.emplace_back(TreeNode{std::move(text), image, image, false, {}, std::move(data)});
  }
  static void addChild(TreeNode& parent, std::string text, std::int32_t image) {
    parent.children.push_back(TreeNode{std::move(text), image, image, false, {}, {}});
  }
  void expandAll() {
    for (auto& node : nodes) node.expanded = true;
  }
  const TreeNode* selectedNode() const {
    if (!selected || selected->top >= nodes.size()) return nullptr;
    const auto& top = nodes[selected->top];
    if (!selected->child) return &top;
    return *selected->child < top.children.size() ? &top.children[*selected->child] : nullptr;
  }
};

}  // namespace vantrel::ui
