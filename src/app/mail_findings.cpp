#include "app/mail_findings.h"

#include "app/notify_window_form.h"
#include "mailtext/charsets.h"
#include "mailtext/shown_text.h"

namespace vantrel::app {
namespace {

// A name as the system gives it, in UTF-8; as Windows-1252 where the system cannot tell.
std::string utf8Name(const platform::TextConversion& system, std::string_view name) {
  return system.systemToUtf8(name).value_or(mailtext::windows1252ToUtf8(name));
}

// Under an account's line, its newest messages and, below them, how many more there are.
void addMessageLines(ui::TreeNode& accountNode, const AccountFound& account,
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

std::vector<ui::TreeNode> notifyTree(const std::vector<IdentityFound>& found,
                                     const TLangTexts& texts,
                                     const platform::TextConversion& system) {
  ui::TreeView tree;
  for (const auto& identity : found) {
    if (identity.accounts.empty()) continue;
    auto& node = tree.addTop(identity.userName, kMailPictureIdentity, identity.guid);
    for (const auto& account : identity.accounts) {
      if (account.failure) {
        // The program's words, or a server's, beside a name in the system's code page: all UTF-8.
        const ResultLine reason = resultReason(texts, *account.failure);
        ui::TreeView::addChild(
            node,
            utf8Name(system, account.accountName) + " : " +
                (reason.utf8 ? reason.text : mailtext::windows1252ToUtf8(reason.text)),
            kMailPictureAccount, true);
        continue;
      }
      auto& accountNode = ui::TreeView::addChild(
          node, account.accountName + " : " + std::to_string(account.count), kMailPictureAccount);
      addMessageLines(accountNode, account, texts);
    }
  }
  return std::move(tree.nodes);
}

std::vector<std::string> identitiesWithMail(const std::vector<IdentityFound>& found) {
  std::vector<std::string> names;
  for (const auto& identity : found) {
    for (const auto& account : identity.accounts) {
      if (account.failure) continue;
      names.push_back(identity.userName);
      break;
    }
  }
  return names;
}

std::string newMailTip(const TLangTexts& texts, std::int32_t total,
                       const std::vector<std::string>& identities) {
  auto tip = replacePlaceholder(texts.trayTooltipNotify, kPlaceholderCount, std::to_string(total));
  if (identities.empty()) return tip;
  tip += " (";
  for (std::size_t i = 0; i < identities.size(); ++i) {
    if (i > 0) tip += ", ";
    tip += identities[i];
  }
  return tip + ")";
}

std::string notifyCaption(std::string_view title, const TLangTexts& texts, std::int32_t total) {
  if (total <= 0) return texts.notifyNoNewMail;
  return replacePlaceholder(title, kPlaceholderCount, std::to_string(total));
}

platform::NotifyBalloon checkBalloon(std::string_view caption,
                                     const std::vector<ui::TreeNode>& nodes,
                                     const platform::TextConversion& system) {
  const auto utf8 = [&](const ui::TreeNode& node) {
    return node.utf8 ? node.text : utf8Name(system, node.text);
  };
  std::string text;
  for (const auto& identity : nodes) {
    text += (text.empty() ? "" : "\n") + utf8(identity);
    for (const auto& account : identity.children) text += "\n  " + utf8(account);
  }
  return {mailtext::cutText(mailtext::windows1252ToUtf8(caption), platform::kBalloonTitleMax),
          mailtext::cutText(text, platform::kBalloonTextMax)};
}

}  // namespace vantrel::app
