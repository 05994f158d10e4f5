#include "app/last_counts.h"

#include <optional>
#include <utility>

#include "app/checked_accounts.h"

namespace vantrel::app {

LastCounts lastCounts(platform::Registry& registry, const base::IniFile& iniFile,
                      const MailWatch& watch, bool allIdentities, bool lines) {
  LastCounts counts;
  for (const auto& identity : identitiesToCheck(registry, allIdentities)) {
    IdentityFound identityFound{identity.guid, identity.userName, {}};
    for (const auto& account : accountsToCheck(registry, iniFile, identity)) {
      const auto result = watch.results.find(account.keyPath);
      const std::int32_t count = result == watch.results.end() ? 0 : result->second.count;
      if (count <= 0) continue;
      counts.total = saturatedSum(counts.total, count);
      const auto messages = watch.messagesByAccount.find(account.keyPath);
      identityFound.accounts.push_back({account.accountName, count,
                                        lines && messages != watch.messagesByAccount.end()
                                            ? messages->second.lines
                                            : std::vector<MessageLine>{},
                                        std::nullopt});
    }
    if (!identityFound.accounts.empty()) counts.found.push_back(std::move(identityFound));
  }
  return counts;
}

}  // namespace vantrel::app
