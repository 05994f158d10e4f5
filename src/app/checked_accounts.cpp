#include "app/checked_accounts.h"

#include "app/passwords.h"

namespace vantrel::app {

std::vector<Identity> identitiesToCheck(platform::Registry& registry, bool allIdentities) {
  if (allIdentities) return enumerateIdentities(registry);
  auto lastUser = lastIdentity(registry).userName;
  auto guid = findIdentityGuid(registry, lastUser);
  return {{std::move(guid), std::move(lastUser)}};
}

std::vector<AccountToCheck> accountsToCheck(platform::Registry& registry,
                                            const base::IniFile& iniFile,
                                            const Identity& identity) {
  std::vector<AccountToCheck> accounts;
  for (auto& account : mailAccountsOf(registry, iniFile, identity.guid)) {
    if (account.skip) continue;
    auto stored = storedPasswordFor(iniFile, account.passwordKey,
                                    {account.server, account.userName, account.keyPath});
    accounts.push_back({std::move(account.keyPath), account.kind, std::move(account.accountName),
                        std::move(account.server), std::move(account.userName),
                        std::move(stored.password), std::move(account.passwordKey), account.port,
                        account.secure, stored.unbound, stored.overTlsOnly, stored.ownerChanged});
  }
  return accounts;
}

}  // namespace vantrel::app
