#pragma once
// The rows of the notification window's tree: one per identity with mail, under it one per
// account with mail and its count, and under each account its newest messages and how many more
// wait.

#include <cstdint>
#include <string>
#include <vector>

#include "app/identities.h"
#include "app/lang_texts.h"
#include "app/message_lines.h"
#include "ui/tree_view.h"

namespace vantrel::app {

struct AccountRow {
  std::string accountName;
  std::int32_t count = 0;
  std::vector<MessageLine> lines;
};

// The identity's rows with those of `withMail`, its accounts that have mail, in their order;
// nothing when it has none. Whether it got rows.
bool addIdentityRows(ui::TreeView& tree, const Identity& identity,
                     const std::vector<AccountRow>& withMail, const TLangTexts& texts);

}  // namespace vantrel::app
