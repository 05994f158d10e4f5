#pragma once
// Outlook Express identities in the registry: listing, lookup, the start identity and switching.

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "ui/menu.h"

namespace vantrel::app {

class TMainForm;

void fillIdentityLists(TMainForm& form);
std::vector<std::string> listIdentityNames(platform::Registry& registry);
// The GUID of the first identity, in enumeration order, whose user name is exactly `userName`.
std::string findIdentityGuid(platform::Registry& registry, std::string_view userName);
void writeLastIdentity(platform::Registry& registry, std::string_view userName,
                       std::string_view guid);
void prepareStartIdentity(TMainForm& form);
void switchToIdentity(std::string_view userName, TMainForm& form);
void mnuTrayIdentityClick(TMainForm& form, const ui::MenuItem& item);

}  // namespace vantrel::app
