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
  // The text is UTF-8 (others' words in any script, or a program text made so), not a name as
  // Windows gives it, in its ANSI code page.
  bool utf8 = false;
};

// Where a node stands: its top-level index, its index among that node's children when it is one,
// and its index among the child's children when it is one of those.
struct TreePath {
  std::size_t top = 0;
  std::optional<std::size_t> child;
  std::optional<std::size_t> grandchild;
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
  static TreeNode& addChild(TreeNode& parent, std::string text, std::int32_t image,
                            bool utf8 = false) {
    return parent.children.emplace_back(
        TreeNode{std::move(text), image, image, false, {}, {}, utf8});
  }
  // Every node with children, at every level.
  void expandAll() { expand(nodes); }
  const TreeNode* selectedNode() const {
    if (!selected || selected->top >= nodes.size()) return nullptr;
    const TreeNode* node = &nodes[selected->top];
    for (const auto& index : {selected->child, selected->grandchild}) {
      if (!index) break;
      if (*index >= node->children.size()) return nullptr;
      node = &node->children[*index];
    }
    return node;
  }

 private:
  static void expand(std::vector<TreeNode>& level) {
    for (auto& node : level) {
      if (node.children.empty()) continue;
      node.expanded = true;
      expand(node.children);
    }
  }
};

}  // namespace vantrel::ui
