#pragma once
// Outlook Express identities in the registry: listing, lookup, the start identity and switching.

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "ui/menu.h"

namespace vantrel::app {

class TMainForm;

struct Identity {
  std::string guid;  // the name of its registry key
  std::string userName;
};

void fillIdentityLists(TMainForm& form);
// Every identity, in the order the registry enumerates them; two may carry one name.
std::vector<Identity> enumerateIdentities(platform::Registry& registry);
// The GUID of the first identity, in enumeration order, whose user name is exactly `userName`.
std::string findIdentityGuid(platform::Registry& registry, std::string_view userName);
// The identity Outlook Express last ran under, as it recorded it (empty parts when it did not).
Identity lastIdentity(platform::Registry& registry);
void writeLastIdentity(platform::Registry& registry, std::string_view userName,
                       std::string_view guid);
void prepareStartIdentity(TMainForm& form);
// Outlook Express under the first identity that carries the name.
void switchToIdentity(std::string_view userName, TMainForm& form);
// Outlook Express under exactly this identity, also when another one carries its name.
void switchToIdentity(const Identity& identity, TMainForm& form);
void mnuTrayIdentityClick(TMainForm& form, const ui::MenuItem& item);

}  // namespace vantrel::app
