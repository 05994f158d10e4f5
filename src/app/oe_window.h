#pragma once
// Putting the Outlook Express window away, bringing it back and closing it.

#include "platform/handles.h"

namespace vantrel::app {

class TMainForm;

void toggleOEWindow(TMainForm& form, platform::WindowHandle window);
void restoreOEWindow(TMainForm& form, platform::WindowHandle window);
void putAwayOEWindow(TMainForm& form, platform::WindowHandle window);
// True when Outlook Express was asked to close.
bool closeOutlookExpress(TMainForm& form, platform::WindowHandle window);

}  // namespace vantrel::app
