#include "app/oe_window.h"

#include "app/app_constants.h"
#include "app/identities.h"
#include "app/main_form.h"

namespace vantrel::app {

void toggleOEWindow(TMainForm& form, platform::WindowHandle window) {
  const auto& desktop = form.platform().desktop;
  if (desktop.isVisible(window) && !desktop.isIconic(window)) {
    putAwayOEWindow(form, window);
  } else {
    restoreOEWindow(form, window);
  }
}

void restoreOEWindow(TMainForm& form, platform::WindowHandle window) {
  auto& desktop = form.platform().desktop;
  if (form.tabLaunch.checkNotifyReduce.checked) desktop.showWindow(window, platform::SwShow);
  if (desktop.isIconic(window)) desktop.showWindow(window, platform::SwRestore);
  if (form.tabLaunch.checkRestoreMaximized.checked)
    desktop.showWindow(window, platform::SwShowMaximized);
  desktop.setForegroundWindow(window);
  desktop.bringWindowToTop(window);
}

void putAwayOEWindow(TMainForm& form, platform::WindowHandle window) {
  // Hidden only when the tray icon is there to bring it back.
  const bool hide = form.tabLaunch.checkNotifyReduce.checked && form.tray.trayIcon.shown;
  form.platform().desktop.showWindow(window, hide ? platform::SwHide : platform::SwMinimize);
}

bool closeOutlookExpress(TMainForm& form, platform::WindowHandle window) {
  auto& platform = form.platform();
  if (form.tabLaunch.checkCloseConfirm.checked) {
    const auto answer = platform.dialogs.messageBox(platform.desktop.desktopWindow(),
                                                    form.langTexts.msgOECloseConfirm, APP_NAME,
                                                    platform::MbIconQuestion | platform::MbYesNo);
    if (answer != platform::IdYes) return false;
  }
  platform.desktop.postMessage(window, platform::kWmSysCommand, platform::kScClose, 0);
  prepareStartIdentity(form);
  return true;
}

}  // namespace vantrel::app
