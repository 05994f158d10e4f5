#pragma once
// What the last mail check found, and how the notification window, the tray's tip and a balloon
// from the icon say it: made anew from what the check keeps, so that a language chosen meanwhile
// says it at once.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/account_results.h"
#include "app/lang_texts.h"
#include "app/message_lines.h"
#include "platform/shell.h"
#include "platform/text_conversion.h"
#include "ui/tree_view.h"

namespace vantrel::app {

// An account as the window lists it: its count and newest messages, or, after a check the user
// asked for, what kept it from being read.
struct AccountFound {
  std::string accountName;
  std::int32_t count = 0;
  std::vector<MessageLine> lines;
  std::optional<AccountResult> failure;
};

struct IdentityFound {
  std::string guid;
  std::string userName;
  std::vector<AccountFound> accounts;  // in check order
};

// The window's lines: each identity, its accounts with their counts and newest messages, and the
// accounts that could not be read with why. Names are the system's: `system` reads them where a
// line must be UTF-8.
std::vector<ui::TreeNode> notifyTree(const std::vector<IdentityFound>& found,
                                     const TLangTexts& texts,
                                     const platform::TextConversion& system);

// The identities with mail, in check order.
std::vector<std::string> identitiesWithMail(const std::vector<IdentityFound>& found);

// The tray's tip for `total` messages of these identities.
std::string newMailTip(const TLangTexts& texts, std::int32_t total,
                       const std::vector<std::string>& identities);

// The window's caption: `title` (its "%count%" still in it) for a total above 0, else that no new
// message came.
std::string notifyCaption(std::string_view title, const TLangTexts& texts, std::int32_t total);

// The answer to a check the user asked for, when the window is not to be shown: the caption, and
// the identities' and accounts' lines of `nodes` (notifyTree's), those that do not fit left out.
platform::NotifyBalloon checkBalloon(std::string_view caption,
                                     const std::vector<ui::TreeNode>& nodes,
                                     const platform::TextConversion& system);

}  // namespace vantrel::app
