#include "app/watcher.h"

#include "app/external_programs.h"
#include "app/identities.h"
#include "app/main_form.h"
#include "app/oe_window.h"

namespace vantrel::app {

void TMainForm::timerOETimer() {
  auto& desktop = platform_.desktop;
  auto& shell = platform_.shell;
  if (oeWatch.oeWindow == platform::kNoWindow || !desktop.isWindow(oeWatch.oeWindow)) {
    trayIconDelete(shell, tray.trayIcon);
    if (++oeWatch.oeMissingTicks > kMaxMissingTicks) {
      prepareStartIdentity(*this);
      terminate();
    }
    return;
  }
  if (oeWatch.externalProgsPending) {
    oeWatch.externalProgsPending = false;  // before the starts: a failure box lets ticks through
    startExternalPrograms(*this);
    // Ticks inside a failure box may have seen Outlook Express go; theirs is the last word.
    if (!desktop.isWindow(oeWatch.oeWindow)) return;
  }
  if (oeWatch.oeMissingTicks > 0) {
    oeWatch.oeMissingTicks = 0;
    trayIconAdd(shell, tray.trayIcon);
  }
  // The icon may not be in place yet (no shell at log-on), or a busy shell may have refused its
  // last change: keep trying. Meanwhile a window is put away by minimising, so that it can always
  // be found again.
  trayIconCatchUp(shell, tray.trayIcon);
  if (tabLaunch.checkNotifyReduce.checked && desktop.isIconic(oeWatch.oeWindow) &&
      desktop.isVisible(oeWatch.oeWindow)) {
    putAwayOEWindow(*this, oeWatch.oeWindow);
  }
  if (desktop.foregroundWindow() == oeWatch.oeWindow) {
    trayIconResetIcon(shell, tray.trayIcon);
    trayIconResetTip(shell, tray.trayIcon);
    // In the middle of a check the total is still being counted: its outcome is announced anew.
    if (mailWatch.checking) {
      mailWatch.previousTotal = 0;
    } else {
      mailWatch.newMailTotal = 0;
    }
  }
}

}  // namespace vantrel::app
