#include "app/settings_table.h"

#include <array>
#include <type_traits>

#include "app/app_constants.h"
#include "app/lang_texts.h"
#include "app/settings.h"
#include "base/ini_file.h"

namespace vantrel::app {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// In the order of a new file; those added since it was laid down last.
const std::array<SettingKey, 18> kSettingKeys{{
    {kSectionGeneral, kFirstRunKey, 1, {}, "1"},
    {kSectionRun, "ModeMail", 1, RadioPair{&LaunchTab::radioModeMail, &LaunchTab::radioModeNews}},
    {kSectionRun, "ReduceInTray", 1, &LaunchTab::checkNotifyReduce},
    {kSectionRun, "StartReduced", 0, &LaunchTab::checkStartReduced},
    {kSectionRun, "ConfirmClose", 0, &LaunchTab::checkCloseConfirm},
    {kSectionRun, "RestoreMaximized", 0, &LaunchTab::checkRestoreMaximized},
    {kSectionRun, "RestoreDblClk", 0, &LaunchTab::checkRestoreDblClick},
    {kSectionRun, kLangKey, 0, {}, kBuiltinLangName},
    {kSectionIdentities, "checkNoIdentities", 0, &IdentitiesTab::checkNoIdentities},
    {kSectionIdentities, "checkIdentitiesChoice", 0, &IdentitiesTab::checkIdentitiesChoice},
    {kSectionEmail, "checkNoMail", 1, &MailTab::checkNoMail},
    {kSectionEmail, "checkVerifyAllId", 0, &MailTab::checkVerifyAllId},
    {kSectionEmail, "checkMailWindow", 1, &MailTab::checkMailWindow},
    {kSectionEmail, "editMailWindowTime", 10, &MailTab::editMailWindowTime},
    {kSectionEmail, "checkMailSound", 1, &MailTab::checkMailSound},
    {kSectionEmail, "editMailTime", 3, &MailTab::editMailTime},
    {kSectionEmail, "checkMailPreview", 1, &MailTab::checkMailPreview, {}, false},
    {kSectionEmail, "checkMailPush", 1, &MailTab::checkMailPush, {}, false},
}};

template <typename Tab>
Tab& tabOf(const SettingTabs& tabs) {
  if constexpr (std::is_same_v<Tab, LaunchTab>) {
    return tabs.launch;
  } else if constexpr (std::is_same_v<Tab, IdentitiesTab>) {
    return tabs.identities;
  } else {
    return tabs.mail;
  }
}

// The control's value as the file keeps it.
std::int32_t storedValue(const SettingTabs& tabs, const SettingControl& control) {
  return std::visit(Overloaded{
                        [](std::monostate) { return 0; },
                        [&]<typename Tab>(ui::CheckBox Tab::*box) {
                          return flagValue((tabOf<Tab>(tabs).*box).checked);
                        },
                        [&](RadioPair pair) { return flagValue((tabs.launch.*pair.set).checked); },
                        [&]<typename Tab>(ui::UpDownEdit Tab::*edit) {
                          return (tabOf<Tab>(tabs).*edit).position;
                        },
                    },
                    control);
}

}  // namespace

void writeNewSettings(base::IniFile& ini, const SettingTabs& tabs) {
  const base::IniFile::Batch batch(ini);
  for (const auto& key : kSettingKeys) {
    if (!key.inNewFile) continue;
    if (std::holds_alternative<std::monostate>(key.control)) {
      ini.writeString(key.section, key.name, key.created);
    } else {
      ini.writeInteger(key.section, key.name, storedValue(tabs, key.control));
    }
  }
}

void loadBoundSettings(const base::IniFile& ini, const SettingTabs& tabs) {
  for (const auto& key : kSettingKeys) {
    if (std::holds_alternative<std::monostate>(key.control)) continue;
    const auto value = ini.readInteger(key.section, key.name, key.fallback);
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [&]<typename Tab>(ui::CheckBox Tab::*box) {
                     (tabOf<Tab>(tabs).*box).checked = value != 0;
                   },
                   [&](RadioPair pair) {
                     (tabs.launch.*pair.set).checked = value != 0;
                     (tabs.launch.*pair.unset).checked = value == 0;
                   },
                   [&]<typename Tab>(ui::UpDownEdit Tab::*edit) {
                     (tabOf<Tab>(tabs).*edit).setPosition(value);
                   },
               },
               key.control);
  }
}

void saveBoundSettings(base::IniFile& ini, const SettingTabs& tabs, std::string_view section) {
  for (const auto& key : kSettingKeys) {
    if (key.section != section || std::holds_alternative<std::monostate>(key.control)) continue;
    ini.writeInteger(key.section, key.name, storedValue(tabs, key.control));
  }
}

}  // namespace vantrel::app
