#include "app/identities.h"

#include "app/launch.h"
#include "app/main_form.h"
#include "app/oe_window.h"
#include "app/outlook_express.h"
#include "app/settings.h"

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

}  // namespace

void fillIdentityLists(TMainForm& form) {
  auto& registry = form.platform().registry;
  for (const auto& guid : identityKeys(registry)) {
    const auto name = userNameOf(registry, guid);
    form.tabIdentities.listIdentities.add({name, {}, false, 0});
    form.tabMail.comboIdentities.add(name, 0);
  }
  if (!form.tabIdentities.checkNoIdentities.checked) prepareStartIdentity(form);
}

std::vector<std::string> listIdentityNames(platform::Registry& registry) {
  std::vector<std::string> names;
  for (const auto& guid : identityKeys(registry)) names.push_back(userNameOf(registry, guid));
  return names;
}

std::string findIdentityGuid(platform::Registry& registry, std::string_view userName) {
  for (const auto& guid : identityKeys(registry)) {
    if (userNameOf(registry, guid) == userName) return guid;
  }
  return {};
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
    userName = form.iniFile->readString(kSectionIdentities, "listIdentities", "");
    guid = findIdentityGuid(registry, userName);
  }
  if (!form.tabIdentities.checkNoIdentities.checked) writeLastIdentity(registry, userName, guid);
}

void switchToIdentity(std::string_view userName, TMainForm& form) {
  if (form.oeWatch.launching) return;
  auto& platform = form.platform();
  std::string lastUserName;
  if (const auto key =
          platform.registry.openReadOnly(RegistryRoot::CurrentUser, oe::kIdentitiesKey)) {
    lastUserName = key->readString(oe::kLastUsername).value_or("");
  }
  if (userName == lastUserName) {
    restoreOEWindow(form, form.oeWatch.oeWindow);
    return;
  }
  const auto closingWindow = form.oeWatch.oeWindow;
  platform.desktop.postMessage(closingWindow, platform::kWmSysCommand, platform::kScClose, 0);
  platform.loop.sleep(kLaunchWaitMs);
  writeLastIdentity(platform.registry, userName, findIdentityGuid(platform.registry, userName));
  const auto path = locateOutlookExpress(form);
  if (path.empty()) return;
  // A hot key may come while the configuration window holds the watcher off; it stays off.
  const bool watching = form.timerOE.enabled();
  form.timerOE.setEnabled(false);
  launchOutlookExpress(path, form, true, closingWindow);
  form.timerOE.setEnabled(watching);
}

void mnuTrayIdentityClick(TMainForm& form, const ui::MenuItem& item) {
  switchToIdentity(item.caption, form);
}

}  // namespace vantrel::app
