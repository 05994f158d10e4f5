// The tray icon's messages, the hot keys, the shell's restart and the size of its icons, sleep
// and waking, as the main window receives them.

#include "app/identities.h"
#include "app/main_form.h"
#include "app/oe_window.h"

namespace vantrel::app {

void TMainForm::WMTrayNotify(std::intptr_t mouseMessage) {
  auto& shell = platform_.shell;
  switch (mouseMessage) {
    case platform::kWmLButtonUp:
      if (tabLaunch.checkRestoreDblClick.checked) return;
      toggleOEWindow(*this, oeWatch.oeWindow);
      trayIconResetIcon(shell, tray.trayIcon);
      return;
    case platform::kWmLButtonDblClk:
      toggleOEWindow(*this, oeWatch.oeWindow);
      trayIconResetIcon(shell, tray.trayIcon);
      return;
    case platform::kWmRButtonUp: {
      if (visible()) return;
      auto& desktop = platform_.desktop;
      const auto at = desktop.cursorPos();
      desktop.setForegroundWindow(self_);
      // The menu may open in the middle of a check, whose messages flow meanwhile.
      tray.mnuTrayItemCheckMail->enabled = !mailWatch.checking;
      if (view_) view_->popupTrayMenu(at);
      desktop.postMessage(self_, platform::kWmNull, 0, 0);
      return;
    }
    default:
      return;
  }
}

void TMainForm::WMHotKey(std::intptr_t lParam) {
  const auto virtualKey = static_cast<std::uint32_t>((lParam >> 16) & 0xFFFF);
  const ui::Shortcut wanted{ui::Shortcut::kShift | ui::Shortcut::kCtrl, virtualKey};
  if (const auto* item = tray.mnuTray.findShortcut(wanted)) switchToIdentity(item->caption, *this);
}

void TMainForm::trayPicturesResized(const FormPictures& resized) {
  auto& shell = platform_.shell;
  auto& icon = tray.trayIcon;
  const bool usual = icon.data.icon == icon.defaultIcon;
  const bool newMail = icon.data.icon == pictures.mail[3];
  pictures = resized;
  icon.defaultIcon = trayDefaultPicture();
  if (usual) {
    trayIconResetIcon(shell, icon);
  } else if (newMail) {
    trayIconSetIcon(shell, icon, pictures.mail[3]);
  } else {
    trayIconRedrawCount(shell, icon, pictures.mail[3], pictures.newMail);
  }
}

void TMainForm::WMPowerBroadcast(std::uintptr_t event) {
  if (event == platform::kPbtApmSuspend) {
    mailPush.suspend();
  } else if (event == platform::kPbtApmResumeAutomatic || event == platform::kPbtApmResumeSuspend) {
    mailPush.resume();
  }
}

void TMainForm::WMTaskbarCreated() {
  // The shell came back without our icon; a hidden Outlook Express would be out of reach.
  if (tray.trayIcon.shown) trayIconAdd(platform_.shell, tray.trayIcon);
}

}  // namespace vantrel::app
