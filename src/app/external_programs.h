#pragma once
// The external programs: entries of listExternalProgs and how they are started.

#include <string>
#include <string_view>

#include "ui/list_view.h"
#include "ui/menu.h"

namespace vantrel::app {

class TMainForm;

// An entry is a list item: caption = name, sub-items = path and the start-reduced flag as text.
inline const std::string& programPath(const ui::ListItem& item) {
  return item.subItems.at(0);
}
inline const std::string& programStartReduced(const ui::ListItem& item) {
  return item.subItems.at(1);
}

// The file name of the path without its last extension: C:\Tools\my.app.exe gives "my.app".
std::string programNameFromPath(std::string_view path);

// Adds an entry with the executable's own small icon, or picture 4 when it has none.
void addExternalProgram(TMainForm& form, std::string name, std::string path,
                        std::string startReduced, bool active);

void startExternalPrograms(TMainForm& form);

// Starts the first entry named like the item (letter case ignored), active or not.
void mnuTrayProgClick(TMainForm& form, const ui::MenuItem& item);

}  // namespace vantrel::app
