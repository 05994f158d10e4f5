#include "app/programs_tab.h"

#include "app/external_programs.h"
#include "app/main_form.h"
#include "app/settings.h"
#include "base/ini_file.h"
#include "base/path_text.h"
#include "base/text.h"

namespace vantrel::app {
namespace {

constexpr std::string_view kStartReduced = "1";
constexpr std::string_view kStartNormal = "0";

void storeStartReduced(TMainForm& form) {
  const auto selected = form.tabProgs.listExternalProgs.selected();
  if (!selected) return;
  auto& item = form.tabProgs.listExternalProgs.at(*selected);
  item.subItems.at(1) =
      form.tabProgs.radioExternalProgsStartReduced.checked ? kStartReduced : kStartNormal;
  form.changed();
}

}  // namespace

std::string storableProgramName(std::string_view name) {
  auto stored = std::string(base::trimProfileBlanks(base::replaceAll(name, "=", "-")));
  if (stored.empty()) return "_";
  if (stored.front() == ';' || stored.front() == '[') stored.insert(0, "_");
  // Escaped after the trimming, which has always taken the breaks at the ends.
  return escapedLineBreaks(stored);
}

bool keysClash(std::string_view name, std::string_view other) {
  // The file's keys ignore letter case: "Notes" and "notes" would be one entry after a restart.
  return base::equalsIgnoreCase(name, other) || isFlagKeyOf(name, other) ||
         isFlagKeyOf(other, name);
}

std::string unclashedProgramName(const ui::ListView& list, const std::string& name) {
  const auto clashes = [&](const std::string& candidate) {
    for (const auto& item : list.items()) {
      if (keysClash(candidate, item.caption)) return true;
    }
    return false;
  };
  auto candidate = name;
  for (int n = 2; clashes(candidate); ++n) candidate = name + "-" + std::to_string(n);
  return candidate;
}

void bttnExternalProgsAddClick(TMainForm& form) {
  const auto chosen = form.platform().dialogs.openFile(form.tabProgs.dlgOpen);
  if (!chosen) return;
  const auto name = unclashedProgramName(form.tabProgs.listExternalProgs,
                                         storableProgramName(programNameFromPath(*chosen)));
  addExternalProgram(form, name, *chosen, std::string(kStartReduced), true);
  form.changed();
}

void bttnExternalProgsDelClick(TMainForm& form) {
  const auto selected = form.tabProgs.listExternalProgs.selected();
  if (!selected) return;
  form.imgListProgsAndTray.drop(form.tabProgs.listExternalProgs.at(*selected).imageIndex);
  form.tabProgs.listExternalProgs.remove(*selected);
  form.changed();
}

void bttnExternalProgsModifyClick(TMainForm& form) {
  const auto selected = form.tabProgs.listExternalProgs.selected();
  if (!selected) return;
  const auto path = programPath(form.tabProgs.listExternalProgs.at(*selected));
  auto dialog = form.tabProgs.dlgOpen;
  dialog.initialFolder = base::folderOfPath(path);
  dialog.fileName = base::fileNameOfPath(path);
  const auto chosen = form.platform().dialogs.openFile(dialog);
  if (!chosen) return;
  form.tabProgs.listExternalProgs.at(*selected).subItems.at(0) = *chosen;
  form.changed();
}

void listExternalProgsSelectItem(TMainForm& form, std::size_t index, bool selected) {
  if (!selected) return;
  const bool reduced =
      base::parseInteger(programStartReduced(form.tabProgs.listExternalProgs.at(index)))
          .value_or(0) != 0;
  form.tabProgs.radioExternalProgsStartReduced.enabled = true;
  form.tabProgs.radioExternalProgsStartNormal.enabled = true;
  form.tabProgs.radioExternalProgsStartReduced.checked = reduced;
  form.tabProgs.radioExternalProgsStartNormal.checked = !reduced;
  form.changed();
}

void radioExternalProgsStartReducedClick(TMainForm& form) {
  storeStartReduced(form);
}

void radioExternalProgsStartNormalClick(TMainForm& form) {
  storeStartReduced(form);
}

}  // namespace vantrel::app
