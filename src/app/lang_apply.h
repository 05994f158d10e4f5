#pragma once

namespace vantrel::app {

class TMainForm;

// Puts the form's current texts on its controls, menus and dialogs.
void applyLangTexts(TMainForm& form);

}  // namespace vantrel::app
