#pragma once
// The tray menu's identities, with their hot keys, and its external programs.

#include <cstdint>
#include <functional>

#include "app/tray_icon.h"
#include "platform/desktop.h"
#include "platform/keys.h"
#include "ui/list_view.h"
#include "ui/menu.h"

namespace vantrel::app {

// Pictures of imgListProgsAndTray as designed.
enum TrayPicture : std::int32_t {
  kPictureQuit = 0,
  kPictureConfig = 1,
  kPictureIdentity = 2,
  kPicturePrograms = 3,
  kPictureProgram = 4,
};

inline constexpr std::int32_t kHotKeyBaseId = 49151;  // minus the identity's index
inline constexpr std::uint32_t kHotKeyModifiers = platform::kModControl | platform::kModShift;

// The notification-area icon and its menu.
struct Tray {
  TrayIcon trayIcon;
  ui::MenuItem mnuTray;
  ui::MenuItem* mnuTrayItemProgs = nullptr;
  ui::MenuItem* mnuTrayItemCheckMail = nullptr;  // shown while mail is checked
  ui::MenuItem* mnuTrayItemConfig = nullptr;
  ui::MenuItem* mnuTrayItemQuit = nullptr;
};

using MenuClick = std::function<void(const ui::MenuItem&)>;

// The programs of the list under `progs`: the active ones above a separator, the others below.
// Hidden when the list is empty.
void buildTrayProgsMenu(ui::MenuItem& progs, const ui::ListView& listExternalProgs,
                        const MenuClick& onClick);
// The identities at the top of `mnuTray`, each with Ctrl+Shift+F1, F2... when the hot key could
// be had.
void buildTrayIdentitiesMenu(ui::MenuItem& mnuTray, const ui::ListView& listIdentities,
                             platform::Desktop& desktop, platform::WindowHandle owner,
                             const MenuClick& onClick);

}  // namespace vantrel::app
