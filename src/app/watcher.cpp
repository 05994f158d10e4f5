#include "app/watcher.h"

#include "app/external_programs.h"
#include "app/identities.h"
#include "app/main_form.h"
#include "app/oe_window.h"

namespace vantrel::app {

void TMainForm::timerOETimer() {
  auto& desktop = platform_.desktop;
  auto& shell = platform_.shell;
  if (oeWindow == platform::kNoWindow || !desktop.isWindow(oeWindow)) {
    trayIconDelete(shell, trayIcon);
    if (++oeMissingTicks > kMaxMissingTicks) {
      prepareStartIdentity(*this);
      terminate();
    }
    return;
  }
  if (externalProgsPending) {
    externalProgsPending = false;  // before the starts: a failure box lets ticks through
    startExternalPrograms(*this);
    // Ticks inside a failure box may have seen Outlook Express go; theirs is the last word.
    if (!desktop.isWindow(oeWindow)) return;
  }
  if (oeMissingTicks > 0) {
    oeMissingTicks = 0;
    trayIconAdd(shell, trayIcon);
  }
  // The icon may not be in place yet (no shell at log-on): keep trying, and meanwhile put the
  // window away by minimising, so that it can always be found again.
  if (!trayIcon.shown) trayIconAdd(shell, trayIcon);
  if (checkNotifyReduce.checked && desktop.isIconic(oeWindow) && desktop.isVisible(oeWindow)) {
    putAwayOEWindow(*this, oeWindow);
  }
  if (desktop.foregroundWindow() == oeWindow) {
    trayIconResetIcon(shell, trayIcon);
    trayIconResetTip(shell, trayIcon);
    // In the middle of a check the total is still being counted: its outcome is announced anew.
    if (checkingMail_) {
      previousTotal = 0;
    } else {
      newMailTotal = 0;
    }
  }
}

}  // namespace vantrel::app
