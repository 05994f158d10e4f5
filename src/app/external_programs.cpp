#include "app/external_programs.h"

#include "app/launch.h"
#include "app/main_form.h"
#include "base/ini_file.h"
#include "base/path_text.h"

namespace vantrel::app {
namespace {

void startEntry(TMainForm& form, const ui::ListItem& item) {
  const bool reduced = base::parseInteger(programStartReduced(item)).value_or(0) != 0;
  startProgram(form, programPath(item), "",
               reduced ? platform::SwMinimize : platform::SwShowNormal);
}

}  // namespace

std::string programNameFromPath(std::string_view path) {
  auto name = base::fileNameOfPath(path);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

void addExternalProgram(TMainForm& form, std::string name, std::string path,
                        std::string startReduced, bool active) {
  auto& shell = form.platform().shell;
  std::int32_t picture = kPictureProgram;
  if (auto icon = shell.extractSmallIcon(path)) {
    picture = form.imgListProgsAndTray.add(std::move(*icon));
  }
  ui::ListItem item;
  item.caption = std::move(name);
  item.subItems = {std::move(path), std::move(startReduced)};
  item.checked = active;
  item.imageIndex = picture;
  form.tabProgs.listExternalProgs.add(std::move(item));
}

void startExternalPrograms(TMainForm& form) {
  // A copy: a failure box dispatches messages, and the list must not change under the walk.
  const auto items = form.tabProgs.listExternalProgs.items();
  for (const auto& item : items) {
    if (item.checked) startEntry(form, item);
  }
}

void mnuTrayProgClick(TMainForm& form, const ui::MenuItem& item) {
  const auto index = form.tabProgs.listExternalProgs.findCaption(item.caption);
  if (!index) return;
  const auto entry = form.tabProgs.listExternalProgs.at(*index);
  startEntry(form, entry);
}

}  // namespace vantrel::app
