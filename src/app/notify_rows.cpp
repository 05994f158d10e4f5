#include "app/notify_rows.h"

#include "app/notify_window_form.h"

namespace vantrel::app {
namespace {

// Under an account's line, its newest messages and, below them, how many more there are.
void addMessageLines(ui::TreeNode& accountNode, const AccountRow& account,
                     const TLangTexts& texts) {
  for (const auto& line : account.lines) {
    ui::TreeView::addChild(accountNode, shownMessageLine(line, texts.notifyNoSubject),
                           kMailPictureMessage, true);
  }
  const auto shown = static_cast<std::int32_t>(account.lines.size());
  if (shown == 0 || account.count <= shown) return;
  ui::TreeView::addChild(accountNode,
                         moreMessagesLine(texts.notifyMoreMessages, account.count - shown),
                         kMailPictureMessage, true);
}

}  // namespace

bool addIdentityRows(ui::TreeView& tree, const Identity& identity,
                     const std::vector<AccountRow>& withMail, const TLangTexts& texts) {
  if (withMail.empty()) return false;
  auto& node = tree.addTop(identity.userName, kMailPictureIdentity, identity.guid);
  for (const auto& account : withMail) {
    auto& accountNode = ui::TreeView::addChild(
        node, account.accountName + " : " + std::to_string(account.count), kMailPictureAccount);
    addMessageLines(accountNode, account, texts);
  }
  return true;
}

}  // namespace vantrel::app
