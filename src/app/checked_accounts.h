#pragma once
// The accounts the mail watch looks at: those of the identity Outlook Express runs under, or of
// every identity, that are ticked, each with the password it may send. The periodic check and
// push take them alike.

#include <string>
#include <vector>

#include "app/accounts.h"
#include "app/identities.h"
#include "base/ini_file.h"
#include "platform/registry.h"

namespace vantrel::app {

struct AccountToCheck {
  std::string keyPath;
  AccountKind kind = AccountKind::Pop3;
  std::string accountName;
  std::string server;
  std::string userName;
  std::string password;
  std::string passwordKey;
  int port = kPop3PlainPort;
  bool secure = false;
  bool passwordUnbound = false;
  bool passwordOverTlsOnly = false;
  bool ownerChanged = false;
};

// Every identity, each once by its key (two may carry one name), or the one Outlook Express last
// ran under.
std::vector<Identity> identitiesToCheck(platform::Registry& registry, bool allIdentities);

// The identity's ticked accounts in registry order. A password stored for another account under
// the key is none of this one's: it reads as none.
std::vector<AccountToCheck> accountsToCheck(platform::Registry& registry,
                                            const base::IniFile& iniFile, const Identity& identity);

}  // namespace vantrel::app
