#include "app/settings_table.h"

#include <array>

#include "app/app_constants.h"
#include "app/lang_texts.h"
#include "app/main_form.h"
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

const std::array<SettingKey, 16> kSettingKeys{{
    {kSectionGeneral, "FirstRun", 1, {}, "1"},
    {kSectionRun, "ModeMail", 1, RadioPair{&TMainForm::radioModeMail, &TMainForm::radioModeNews}},
    {kSectionRun, "ReduceInTray", 1, &TMainForm::checkNotifyReduce},
    {kSectionRun, "StartReduced", 0, &TMainForm::checkStartReduced},
    {kSectionRun, "ConfirmClose", 0, &TMainForm::checkCloseConfirm},
    {kSectionRun, "RestoreMaximized", 0, &TMainForm::checkRestoreMaximized},
    {kSectionRun, "RestoreDblClk", 0, &TMainForm::checkRestoreDblClick},
    {kSectionRun, "Lang", 0, {}, BUILTIN_LANG_NAME},
    {kSectionIdentities, "checkNoIdentities", 0, &TMainForm::checkNoIdentities},
    {kSectionIdentities, "checkIdentitiesChoice", 0, &TMainForm::checkIdentitiesChoice},
    {kSectionEmail, "checkNoMail", 1, &TMainForm::checkNoMail},
    {kSectionEmail, "checkVerifyAllId", 0, &TMainForm::checkVerifyAllId},
    {kSectionEmail, "checkMailWindow", 1, &TMainForm::checkMailWindow},
    {kSectionEmail, "editMailWindowTime", 10, &TMainForm::editMailWindowTime},
    {kSectionEmail, "checkMailSound", 1, &TMainForm::checkMailSound},
    {kSectionEmail, "editMailTime", 3, &TMainForm::editMailTime},
}};

// The control's value as the file keeps it.
std::int32_t storedValue(const TMainForm& form, const SettingControl& control) {
  return std::visit(
      Overloaded{
          [](std::monostate) { return 0; },
          [&](ui::CheckBox TMainForm::*box) { return flagValue((form.*box).checked); },
          [&](RadioPair pair) { return flagValue((form.*pair.set).checked); },
          [&](ui::UpDownEdit TMainForm::*edit) { return (form.*edit).position; },
      },
      control);
}

}  // namespace

std::span<const SettingKey> settingKeys() {
  return kSettingKeys;
}

void writeNewSettings(base::IniFile& ini, const TMainForm& form) {
  const base::IniFile::Batch batch(ini);
  for (const auto& key : kSettingKeys) {
    if (std::holds_alternative<std::monostate>(key.control)) {
      ini.writeString(key.section, key.name, key.created);
    } else {
      ini.writeInteger(key.section, key.name, storedValue(form, key.control));
    }
  }
}

void loadBoundSettings(const base::IniFile& ini, TMainForm& form) {
  for (const auto& key : kSettingKeys) {
    if (std::holds_alternative<std::monostate>(key.control)) continue;
    const auto value = ini.readInteger(key.section, key.name, key.fallback);
    std::visit(Overloaded{
                   [](std::monostate) {},
                   [&](ui::CheckBox TMainForm::*box) { (form.*box).checked = value != 0; },
                   [&](RadioPair pair) {
                     (form.*pair.set).checked = value != 0;
                     (form.*pair.unset).checked = value == 0;
                   },
                   [&](ui::UpDownEdit TMainForm::*edit) { (form.*edit).setPosition(value); },
               },
               key.control);
  }
}

void saveBoundSettings(base::IniFile& ini, const TMainForm& form, std::string_view section) {
  for (const auto& key : kSettingKeys) {
    if (key.section != section || std::holds_alternative<std::monostate>(key.control)) continue;
    ini.writeInteger(key.section, key.name, storedValue(form, key.control));
  }
}

}  // namespace vantrel::app
