#pragma once
// The settings file beside the executable: its name, its creation and the [Progs] section.

#include <memory>
#include <string>
#include <string_view>

#include "base/ini_file.h"

namespace vantrel::app {

class TMainForm;

inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionRun = "Run";
inline constexpr std::string_view kSectionProgs = "Progs";
inline constexpr std::string_view kSectionIdentities = "Identities";
inline constexpr std::string_view kSectionEmail = "Email";
// The keys that code of their own reads and writes; those bound to a control of the options tabs
// stand in the table of settings_table.cpp.
inline constexpr std::string_view kFirstRunKey = "FirstRun";              // [General]
inline constexpr std::string_view kLangKey = "Lang";                      // [Run]
inline constexpr std::string_view kListIdentitiesKey = "listIdentities";  // [Identities]
// [Progs]: each program's key, and its two companions.
inline constexpr std::string_view kActiveSuffix = "_active";
inline constexpr std::string_view kStartReducedSuffix = "_startReduced";

// The executable's path with its extension (after the last "." of the file name) replaced by
// ".ini", or ".ini" appended when the name has none. Plain text work on the system's own path
// text: no conversion may touch its letters.
std::string settingsPathFor(std::string_view executable);

// Opens the settings file; a file that did not exist is created from the form's controls. A file
// that exists but cannot be read is reported and never written: the run goes on with the values
// of a new file, in memory only. The first write that fails is reported once.
std::unique_ptr<base::IniFile> openSettingsFile(const std::string& executable, TMainForm& form);

// `text` with each line break (CR, LF) written as "\" and its two hexadecimal digits, as password
// values escape them: a registry name holding one would otherwise end its line in the settings
// file and start another. Text without one is returned as it is, so that keys and values of
// earlier files keep their meaning.
std::string escapedLineBreaks(std::string_view text);

// [Identities] listIdentities as written: quoted when the profile functions would otherwise trim
// or unquote it, so that any identity name reads back exactly, as escapedLineBreaks gives it.
std::string storableProfileValue(std::string_view value);

void loadProgsSettings(const base::IniFile& iniFile, TMainForm& form);
void saveProgsSettings(base::IniFile& iniFile, const TMainForm& form);

// Whether `key` is `owner` followed by "_active" or "_startReduced", letter case ignored.
bool isFlagKeyOf(std::string_view key, std::string_view owner);

// A [Progs] key is a companion key only when it is another key of the section followed by one of
// the two suffixes; any other key names a program, "_" or not.
bool isCompanionKey(std::string_view key, const std::vector<std::string>& keys);

// A flag is set when its value is any integer other than 0.
inline std::int32_t flagValue(bool set) {
  return set ? 1 : 0;
}

}  // namespace vantrel::app
