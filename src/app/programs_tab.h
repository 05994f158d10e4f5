#pragma once
// The handlers of the Programs tab of the configuration window.

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/list_view.h"

namespace vantrel::app {

class TMainForm;

// A name that survives as a key of the settings file ([Progs], and the [Email] keys made of
// identity and account names): "=" would split the key, a leading ";" or "[" would read as a
// comment or a section, outer blanks would be trimmed away on reading, and a line break inside
// would start a new line (it is escaped).
std::string storableProgramName(std::string_view name);

// True when the two names are one [Progs] key (letter case ignored), or when one name followed by
// "_active" or "_startReduced" is the other: in [Progs] the one would overwrite, or be read as,
// the other's keys.
bool keysClash(std::string_view name, std::string_view other);
// `name`, or `name` followed by "-2", "-3", ... when it would clash with an entry of the list.
std::string unclashedProgramName(const ui::ListView& list, const std::string& name);

void bttnExternalProgsAddClick(TMainForm& form);
void bttnExternalProgsDelClick(TMainForm& form);
void bttnExternalProgsModifyClick(TMainForm& form);
// The view has already changed the list's selection; only a selection acts.
void listExternalProgsSelectItem(TMainForm& form, std::size_t index, bool selected);
// The view has already moved the radio buttons' check marks.
void radioExternalProgsStartReducedClick(TMainForm& form);
void radioExternalProgsStartNormalClick(TMainForm& form);

}  // namespace vantrel::app
