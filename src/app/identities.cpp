#include "app/identities.h"

#include <optional>

#include "app/launch.h"
#include "app/main_form.h"
#include "app/oe_window.h"
#include "app/outlook_express.h"
#include "app/settings.h"
#include "base/text.h"

namespace vantrel::app {
namespace {

using platform::RegistryRoot;

std::vector<std::string> identityKeys(platform::Registry& registry) {
  const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, oe::kIdentitiesKey);
  return key ? key->subkeyNames() : std::vector<std::string>{};
}

std::string userNameOf(platform::Registry& registry, std::string_view guid) {
  const auto path = std::string(oe::kIdentitiesKey) + "\\" + std::string(guid);
  const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, path);
  return key ? key->readString(oe::kUsername).value_or("") : std::string();
}

// Without a GUID: the first identity of that name, and whether it runs is told by the name alone.
void switchTo(std::string_view userName, std::optional<std::string_view> guid, TMainForm& form) {
  if (form.oeWatch.launching) return;
  auto& platform = form.platform();
  const auto last = lastIdentity(platform.registry);
  // Of two identities with one name, the GUID tells which runs, when one was written.
  const bool running = userName == last.userName &&
                       (!guid || last.guid.empty() || base::equalsIgnoreCase(last.guid, *guid));
  if (running) {
    restoreOEWindow(form, form.oeWatch.oeWindow);
    return;
  }
  const auto closingWindow = form.oeWatch.oeWindow;
  platform.desktop.postMessage(closingWindow, platform::kWmSysCommand, platform::kScClose, 0);
  platform.loop.sleep(kLaunchWaitMs);
  writeLastIdentity(platform.registry, userName,
                    guid ? std::string(*guid) : findIdentityGuid(platform.registry, userName));
  // Where only the current identity's accounts are checked, push follows it.
  form.mailPush.accountsMayHaveChanged();
  const auto path = locateOutlookExpress(form);
  if (path.empty()) return;
  // A hot key may come while the configuration window holds the watcher off; it stays off.
  const bool watching = form.timerOE.enabled();
  form.timerOE.setEnabled(false);
  launchOutlookExpress(path, form, true, closingWindow);
  form.timerOE.setEnabled(watching);
}

}  // namespace

void fillIdentityLists(TMainForm& form) {
  for (const auto& identity : enumerateIdentities(form.platform().registry)) {
    form.tabIdentities.listIdentities.add({identity.userName, {}, false, 0, {}});
    form.tabMail.comboIdentities.add(identity.userName, 0, identity.guid);
  }
  if (!form.tabIdentities.checkNoIdentities.checked) prepareStartIdentity(form);
}

std::vector<Identity> enumerateIdentities(platform::Registry& registry) {
  std::vector<Identity> identities;
  for (auto& guid : identityKeys(registry)) {
    auto userName = userNameOf(registry, guid);
    identities.push_back({std::move(guid), std::move(userName)});
  }
  return identities;
}

std::string findIdentityGuid(platform::Registry& registry, std::string_view userName) {
  for (const auto& guid : identityKeys(registry)) {
    if (userNameOf(registry, guid) == userName) return guid;
  }
  return {};
}

Identity lastIdentity(platform::Registry& registry) {
  const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, oe::kIdentitiesKey);
  if (!key) return {};
  return {key->readString(oe::kLastUserId).value_or(""),
          key->readString(oe::kLastUsername).value_or("")};
}

void writeLastIdentity(platform::Registry& registry, std::string_view userName,
                       std::string_view guid) {
  auto key = registry.openForWriting(RegistryRoot::CurrentUser, oe::kIdentitiesKey, true);
  if (!key) return;
  key->writeString(oe::kLastUsername, userName);
  key->writeString(oe::kLastUserId, guid);
  key->writeString(oe::kStartAs, guid);
}

void prepareStartIdentity(TMainForm& form) {
  auto& registry = form.platform().registry;
  std::string userName;
  std::string guid;
  if (form.tabIdentities.checkIdentitiesChoice.enabled &&
      form.tabIdentities.checkIdentitiesChoice.checked) {
    guid = oe::kNullIdentityGuid;
  } else {
    userName = form.iniFile->readString(kSectionIdentities, kListIdentitiesKey, "");
    // The file holds the name with its line breaks escaped; Outlook Express gets it as it is.
    for (const auto& identity : enumerateIdentities(registry)) {
      if (escapedLineBreaks(identity.userName) != userName) continue;
      userName = identity.userName;
      guid = identity.guid;
      break;
    }
  }
  if (!form.tabIdentities.checkNoIdentities.checked) writeLastIdentity(registry, userName, guid);
}

void switchToIdentity(std::string_view userName, TMainForm& form) {
  switchTo(userName, std::nullopt, form);
}

void switchToIdentity(const Identity& identity, TMainForm& form) {
  switchTo(identity.userName, identity.guid, form);
}

void mnuTrayIdentityClick(TMainForm& form, const ui::MenuItem& item) {
  switchToIdentity(item.caption, form);
}

}  // namespace vantrel::app
