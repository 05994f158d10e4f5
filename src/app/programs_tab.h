#pragma once
// The handlers of the Programs tab of the configuration window.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::app {

class TMainForm;

// A name that survives as a [Progs] key: "=" would split the key, a leading ";" or "[" would
// read as a comment or a section, and outer blanks would be trimmed away on reading.
std::string storableProgramName(std::string_view name);

void bttnExternalProgsAddClick(TMainForm& form);
void bttnExternalProgsDelClick(TMainForm& form);
void bttnExternalProgsModifyClick(TMainForm& form);
// The view has already changed the list's selection; only a selection acts.
void listExternalProgsSelectItem(TMainForm& form, std::size_t index, bool selected);
// The view has already moved the radio buttons' check marks.
void radioExternalProgsStartReducedClick(TMainForm& form);
void radioExternalProgsStartNormalClick(TMainForm& form);

}  // namespace vantrel::app
