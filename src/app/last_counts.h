#pragma once
// What the mail signs say when each account looked at stands at its last count: the total and
// what the notification window lists. An account not read yet counts 0.

#include <cstdint>
#include <vector>

#include "app/mail_watch.h"
#include "base/ini_file.h"
#include "platform/registry.h"

namespace vantrel::app {

struct LastCounts {
  std::int32_t total = 0;
  std::vector<IdentityFound> found;
};

// `allIdentities`: every identity's accounts, else those of the one Outlook Express runs under;
// `lines`: each account's message lines under it, where they are known.
LastCounts lastCounts(platform::Registry& registry, const base::IniFile& iniFile,
                      const MailWatch& watch, bool allIdentities, bool lines);

}  // namespace vantrel::app
