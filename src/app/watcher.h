#pragma once
// Following the Outlook Express window, and what the tray icon and hot keys do with it.

#include <cstdint>

#include "platform/handles.h"
#include "platform/keys.h"

namespace vantrel::app {

class TMainForm;

inline constexpr std::int32_t kMaxMissingTicks = 20;
inline constexpr std::int32_t kHotKeyBaseId = 49151;  // minus the identity's index
inline constexpr std::uint32_t kHotKeyModifiers = platform::kModControl | platform::kModShift;

void toggleOEWindow(TMainForm& form, platform::WindowHandle window);
void restoreOEWindow(TMainForm& form, platform::WindowHandle window);
void putAwayOEWindow(TMainForm& form, platform::WindowHandle window);
// True when Outlook Express was asked to close.
bool closeOutlookExpress(TMainForm& form, platform::WindowHandle window);

void buildTrayProgsMenu(TMainForm& form);
void buildTrayIdentitiesMenu(TMainForm& form);

}  // namespace vantrel::app
