#include "app/notify_window_form.h"

#include <algorithm>

#include "app/identities.h"
#include "app/main_form.h"

namespace vantrel::app {

namespace {

struct ShownLines {
  std::int32_t count = 0;
  bool messages = false;  // lines below an account's
};

// Every line: the window shows its nodes expanded.
void countLines(const std::vector<ui::TreeNode>& nodes, int depth, ShownLines& shown) {
  for (const auto& node : nodes) {
    ++shown.count;
    if (depth >= 2) shown.messages = true;
    countLines(node.children, depth + 1, shown);
  }
}

}  // namespace

platform::Rect notifyWindowFrame(platform::Rect workArea, platform::Size designed, TreeMetrics tree,
                                 std::int32_t lines, bool messageLines) {
  std::int64_t height = designed.height;
  if (messageLines) {
    const std::int64_t needed = std::int64_t{lines} * tree.lineHeight - tree.height;
    const std::int64_t most = std::max(designed.height, (workArea.bottom - workArea.top) / 2);
    height = std::min(designed.height + std::max<std::int64_t>(needed, 0), most);
  }
  return {workArea.right - designed.width, workArea.bottom - static_cast<std::int32_t>(height),
          workArea.right, workArea.bottom};
}

TNotifyWindowForm::TNotifyWindowForm(platform::Platform& platform, platform::WindowHandle self,
                                     TMainForm& main)
    : timerNotify(platform.loop, 1000, [this] { timerNotifyTimer(); }),
      platform_(platform),
      self_(self),
      designed_(platform.desktop.windowSize(self)),
      main_(main) {
  timerNotify.setEnabled(false);
  lblNotifyCpt.caption = "10";
}

bool TNotifyWindowForm::visible() const {
  return platform_.desktop.isVisible(self_);
}

void TNotifyWindowForm::changed() {
  if (view_) view_->refresh();
}

void TNotifyWindowForm::placeAtCorner() {
  auto& desktop = platform_.desktop;
  ShownLines shown;
  countLines(treeNotify.nodes, 0, shown);
  desktop.placeWindow(self_, notifyWindowFrame(desktop.workArea(), designed_, treeMetrics,
                                               shown.count, shown.messages));
}

void TNotifyWindowForm::showAtCorner(std::string newCaption) {
  caption = std::move(newCaption);
  const bool wasHidden = !visible();
  placeAtCorner();
  // The user may be typing elsewhere: the window comes on top without taking the focus.
  platform_.desktop.showWindow(self_, platform::SwShowNoActivate);
  if (wasHidden) FormShow();
  changed();
}

void TNotifyWindowForm::hide() {
  platform_.desktop.showWindow(self_, platform::SwHide);
  changed();
}

void TNotifyWindowForm::replaceTree(std::vector<ui::TreeNode> nodes) {
  treeNotify.replace(std::move(nodes));
  // The show steps will not run for a window already open, yet its tree has no buttons to open
  // the new nodes by: it shows them as a freshly shown one would, at their height.
  if (visible()) {
    treeNotify.expandAll();
    placeAtCorner();
  }
  changed();
}

void TNotifyWindowForm::retell(std::vector<ui::TreeNode> nodes, std::string newCaption) {
  if (visible()) {
    caption = std::move(newCaption);
    lblNotifyExpl.caption = main_.langTexts.lblNotifyExpl;
  }
  replaceTree(std::move(nodes));
}

void TNotifyWindowForm::FormShow() {
  lblNotifyExpl.caption = main_.langTexts.lblNotifyExpl;
  treeNotify.expandAll();
  lblNotifyCpt.caption = main_.tabMail.editMailWindowTime.text();
  notifyCountdown = main_.tabMail.editMailWindowTime.position;
  if (notifyCountdown == 0) {
    lblNotifyCpt.visible = false;
    return;
  }
  lblNotifyCpt.visible = true;
  timerNotify.setEnabled(true);
}

void TNotifyWindowForm::timerNotifyTimer() {
  --notifyCountdown;
  if (notifyCountdown <= 0) {
    timerNotify.setEnabled(false);
    notifyCountdown = main_.tabMail.editMailWindowTime.position;
    hide();
  }
  lblNotifyCpt.caption = std::to_string(notifyCountdown);
  changed();
}

void TNotifyWindowForm::treeNotifyDblClick() {
  // An identity, or a message line, which stands for its identity; an account line does nothing.
  const auto& selected = treeNotify.selected;
  if (!selected || (selected->child && !selected->grandchild) || !treeNotify.selectedNode()) return;
  const auto* node = &treeNotify.nodes[selected->top];
  const Identity identity{node->data, node->text};  // the switch may refill the tree
  hide();
  switchToIdentity(identity, main_);
}

bool TNotifyWindowForm::FormCloseQuery() {
  timerNotify.setEnabled(false);
  hide();
  return false;
}

}  // namespace vantrel::app
