#include "app/settings.h"

#include <algorithm>

#include "app/app_constants.h"
#include "app/external_programs.h"
#include "app/lang_texts.h"
#include "app/main_form.h"
#include "app/settings_table.h"
#include "base/hex_text.h"
#include "base/path_text.h"
#include "base/text.h"

namespace vantrel::app {

namespace {

void reportSettingsFile(TMainForm& form, const std::string& text, const std::string& path) {
  form.platform().dialogs.messageBox(form.handle(),
                                     replacePlaceholder(text, kPlaceholderFile, path), APP_NAME,
                                     platform::MbIconError);
}

}  // namespace

std::string settingsPathFor(std::string_view executable) {
  const auto nameStart = executable.size() - base::fileNameOfPath(executable).size();
  const auto dot = executable.rfind('.');
  const auto stem =
      dot != std::string_view::npos && dot >= nameStart ? executable.substr(0, dot) : executable;
  return std::string(stem) + ".ini";
}

std::unique_ptr<base::IniFile> openSettingsFile(const std::string& executable, TMainForm& form) {
  const auto path = settingsPathFor(executable);
  const auto& files = form.platform().processes.files();
  const bool existed = files.exists(path);
  auto iniFile = std::make_unique<base::IniFile>(path, files);
  // A path the ANSI code page could not write names no file: the first write (the new file's)
  // fails, and the message says why rather than only that it failed.
  const auto& notSaved = form.platform().processes.executablePathUsable()
                             ? form.langTexts.msgSettingsNotSaved
                             : form.langTexts.msgSettingsFolderUnusable;
  iniFile->onFirstWriteFailure(
      [&form, &notSaved, path] { reportSettingsFile(form, notSaved, path); });
  if (existed && !iniFile->readFailed()) return iniFile;

  if (iniFile->readFailed()) {
    reportSettingsFile(form, form.langTexts.msgSettingsUnreadable, path);
    // What a new file would hold, past its first run: the user's file is there, only unreadable.
    writeNewSettings(*iniFile, form.settingTabs());
    iniFile->writeInteger(kSectionGeneral, kFirstRunKey, 0);
  } else {
    writeNewSettings(*iniFile, form.settingTabs());
  }
  return iniFile;
}

std::string escapedLineBreaks(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      escaped += '\\';
      base::appendHexByte(escaped, static_cast<unsigned char>(c));
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string storableProfileValue(std::string_view text) {
  const auto value = escapedLineBreaks(text);
  const bool trimmed = base::trimProfileBlanks(value).size() != value.size();
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (!trimmed && !quoted) return value;
  return "\"" + value + "\"";
}

bool isFlagKeyOf(std::string_view key, std::string_view owner) {
  for (const auto suffix : {kActiveSuffix, kStartReducedSuffix}) {
    if (!owner.empty() && key.size() == owner.size() + suffix.size() &&
        base::equalsIgnoreCase(key.substr(0, owner.size()), owner) &&
        base::equalsIgnoreCase(key.substr(owner.size()), suffix)) {
      return true;
    }
  }
  return false;
}

bool isCompanionKey(std::string_view key, const std::vector<std::string>& keys) {
  return std::any_of(keys.begin(), keys.end(),
                     [&](const auto& other) { return isFlagKeyOf(key, other); });
}

void loadProgsSettings(const base::IniFile& iniFile, TMainForm& form) {
  const auto keys = iniFile.sectionKeys(kSectionProgs);
  for (const auto& key : keys) {
    if (isCompanionKey(key, keys)) continue;
    const auto path = iniFile.readString(kSectionProgs, key, "");
    const auto startReduced =
        iniFile.readInteger(kSectionProgs, key + std::string(kStartReducedSuffix), 1);
    const bool active =
        iniFile.readInteger(kSectionProgs, key + std::string(kActiveSuffix), 0) != 0;
    addExternalProgram(form, key, path, std::to_string(startReduced), active);
  }
}

void saveProgsSettings(base::IniFile& iniFile, const TMainForm& form) {
  for (const auto& key : iniFile.sectionKeys(kSectionProgs)) {
    iniFile.deleteKey(kSectionProgs, key);
  }
  for (const auto& item : form.tabProgs.listExternalProgs.items()) {
    const auto& name = item.caption;
    iniFile.writeString(kSectionProgs, name, programPath(item));
    iniFile.writeInteger(kSectionProgs, name + std::string(kActiveSuffix), flagValue(item.checked));
    iniFile.writeInteger(kSectionProgs, name + std::string(kStartReducedSuffix),
                         base::parseInteger(programStartReduced(item)).value_or(0));
  }
}

}  // namespace vantrel::app
