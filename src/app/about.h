#pragma once
// What the About tab and the update check build from the system's facts.

#include <string>
#include <string_view>

#include "platform/processes.h"
#include "platform/registry.h"

namespace vantrel::app {

// The installed Outlook Express version with dots ("6.00.2900.5512"), or empty.
std::string outlookExpressVersion(platform::Registry& registry);

// The update check's request target; `servicePack` is already URL-encoded.
std::string updateCheckTarget(std::string_view oeVersion, const platform::SystemVersion& windows,
                              std::string_view servicePack);

}  // namespace vantrel::app
