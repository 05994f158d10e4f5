#pragma once
// Every setting of the options tabs, described once: where it stands in the settings file, what
// a missing or damaged value reads as, and the control it binds to. A new file is written, the
// controls are loaded and OK saves them, all from this one table.

#include <cstdint>
#include <string_view>
#include <variant>

#include "app/form_tabs.h"

namespace vantrel::base {
class IniFile;
}

namespace vantrel::app {

// The pages whose controls hold settings.
struct SettingTabs {
  LaunchTab& launch;
  IdentitiesTab& identities;
  MailTab& mail;
};

// Two radio buttons stored as one flag: set = the first.
struct RadioPair {
  ui::RadioButton LaunchTab::*set;
  ui::RadioButton LaunchTab::*unset;
};

// What a key is bound to. A key without a control (its value in `created`) is written into a new
// file by the table and read and written by its own code.
using SettingControl =
    std::variant<std::monostate, ui::CheckBox LaunchTab::*, RadioPair,
                 ui::CheckBox IdentitiesTab::*, ui::CheckBox MailTab::*, ui::UpDownEdit MailTab::*>;

struct SettingKey {
  std::string_view section;
  std::string_view name;
  std::int32_t fallback;  // a missing key, or a value that is not an integer
  SettingControl control;
  std::string_view created = {};  // a new file's value of a key without a control
  // Other tools compare a new file with the keys it has always held: an option added since stays
  // out of it, reads its default and is written at the first OK.
  bool inNewFile = true;
};

// A new file: its keys, with the controls as designed.
void writeNewSettings(base::IniFile& ini, const SettingTabs& tabs);
// Each bound key into its control.
void loadBoundSettings(const base::IniFile& ini, const SettingTabs& tabs);
// The bound keys of one section, from their controls.
void saveBoundSettings(base::IniFile& ini, const SettingTabs& tabs, std::string_view section);

}  // namespace vantrel::app
