#include "app/notify_window_form.h"

#include "app/identities.h"
#include "app/main_form.h"

namespace vantrel::app {

TNotifyWindowForm::TNotifyWindowForm(platform::Platform& platform, platform::WindowHandle self,
                                     TMainForm& main)
    : timerNotify(platform.loop, 1000, [this] { timerNotifyTimer(); }),
      platform_(platform),
      self_(self),
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

void TNotifyWindowForm::showAtCorner(std::string newCaption) {
  auto& desktop = platform_.desktop;
  const auto area = desktop.workArea();
  const auto size = desktop.windowSize(self_);
  desktop.moveWindow(self_, {area.right - size.width, area.bottom - size.height});
  caption = std::move(newCaption);
  const bool wasHidden = !visible();
  // The user may be typing elsewhere: the window comes on top without taking the focus.
  desktop.showWindow(self_, platform::SwShowNoActivate);
  if (wasHidden) FormShow();
  changed();
}

void TNotifyWindowForm::hide() {
  platform_.desktop.showWindow(self_, platform::SwHide);
  changed();
}

void TNotifyWindowForm::replaceTree(std::vector<ui::TreeNode> nodes) {
  treeNotify.replace(std::move(nodes));
  changed();
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
  if (!treeNotify.selected || treeNotify.selected->child) return;
  const auto* node = treeNotify.selectedNode();
  if (!node) return;
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
