#include "app/last_counts.h"

#include "app/checked_accounts.h"
#include "app/notify_rows.h"

namespace vantrel::app {

LastCounts lastCounts(platform::Registry& registry, const base::IniFile& iniFile,
                      const MailWatch& watch, bool allIdentities, bool lines,
                      const TLangTexts& texts) {
  LastCounts counts;
  for (const auto& identity : identitiesToCheck(registry, allIdentities)) {
    std::vector<AccountRow> withMail;
    for (const auto& account : accountsToCheck(registry, iniFile, identity)) {
      const auto result = watch.results.find(account.keyPath);
      const std::int32_t count = result == watch.results.end() ? 0 : result->second.count;
      if (count <= 0) continue;
      counts.total = saturatedSum(counts.total, count);
      const auto messages = watch.messagesByAccount.find(account.keyPath);
      withMail.push_back({account.accountName, count,
                          lines && messages != watch.messagesByAccount.end()
                              ? messages->second.lines
                              : std::vector<MessageLine>{}});
    }
    if (addIdentityRows(counts.tree, identity, withMail, texts))
      counts.identitiesWithMail.push_back(identity.userName);
  }
  return counts;
}

}  // namespace vantrel::app
