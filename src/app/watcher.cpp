#include "app/watcher.h"

#include "app/app_constants.h"
#include "app/external_programs.h"
#include "app/identities.h"
#include "app/main_form.h"

namespace vantrel::app {

using platform::ShowCommand;

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
  if (form.checkNotifyReduce.checked) desktop.showWindow(window, platform::SwShow);
  if (desktop.isIconic(window)) desktop.showWindow(window, platform::SwRestore);
  if (form.checkRestoreMaximized.checked) desktop.showWindow(window, platform::SwShowMaximized);
  desktop.setForegroundWindow(window);
  desktop.bringWindowToTop(window);
}

void putAwayOEWindow(TMainForm& form, platform::WindowHandle window) {
  // Hidden only when the tray icon is there to bring it back.
  const bool hide = form.checkNotifyReduce.checked && form.trayIcon.shown;
  form.platform().desktop.showWindow(window, hide ? platform::SwHide : platform::SwMinimize);
}

bool closeOutlookExpress(TMainForm& form, platform::WindowHandle window) {
  auto& platform = form.platform();
  if (form.checkCloseConfirm.checked) {
    const auto answer = platform.dialogs.messageBox(platform.desktop.desktopWindow(),
                                                    form.langTexts.msgOECloseConfirm, APP_NAME,
                                                    platform::MbIconQuestion | platform::MbYesNo);
    if (answer != platform::IdYes) return false;
  }
  platform.desktop.postMessage(window, platform::kWmSysCommand, platform::kScClose, 0);
  prepareStartIdentity(form);
  return true;
}

void TMainForm::WMTrayNotify(std::intptr_t mouseMessage) {
  auto& shell = platform_.shell;
  switch (mouseMessage) {
    case platform::kWmLButtonUp:
      if (checkRestoreDblClick.checked) return;
      toggleOEWindow(*this, oeWindow);
      trayIconResetIcon(shell, trayIcon);
      return;
    case platform::kWmLButtonDblClk:
      toggleOEWindow(*this, oeWindow);
      trayIconResetIcon(shell, trayIcon);
      return;
    case platform::kWmRButtonUp: {
      if (visible()) return;
      auto& desktop = platform_.desktop;
      const auto at = desktop.cursorPos();
      desktop.setForegroundWindow(self_);
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
  if (const auto* item = mnuTray.findShortcut(wanted)) switchToIdentity(item->caption, *this);
}

void TMainForm::WMTaskbarCreated() {
  // The shell came back without our icon; a hidden Outlook Express would be out of reach.
  if (trayIcon.shown) trayIconAdd(platform_.shell, trayIcon);
}

void buildTrayProgsMenu(TMainForm& form) {
  auto& progs = *form.mnuTrayItemProgs;
  if (form.listExternalProgs.empty()) {
    progs.visible = false;
    return;
  }
  progs.visible = true;
  const auto& separator = progs.insert(0, ui::makeSeparator());
  for (const auto& program : form.listExternalProgs.items()) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = program.caption;
    item->imageIndex = program.imageIndex;
    item->onClick = [&form](const ui::MenuItem& clicked) { mnuTrayProgClick(form, clicked); };
    if (program.checked) {
      progs.insert(progs.indexOf(separator), std::move(item));
    } else {
      progs.append(std::move(item));
    }
  }
}

void buildTrayIdentitiesMenu(TMainForm& form) {
  const auto& identities = form.listIdentities.items();
  for (auto i = static_cast<std::int32_t>(identities.size()) - 1; i >= 0; --i) {
    auto item = std::make_unique<ui::MenuItem>();
    item->caption = identities[static_cast<std::size_t>(i)].caption;
    item->imageIndex = kPictureIdentity;
    item->onClick = [&form](const ui::MenuItem& clicked) { mnuTrayIdentityClick(form, clicked); };
    const auto key = platform::kVkF1 + static_cast<std::uint32_t>(i);
    if (form.platform().desktop.registerHotKey(form.handle(), kHotKeyBaseId - i, kHotKeyModifiers,
                                               key)) {
      item->shortcut = ui::Shortcut{ui::Shortcut::kShift | ui::Shortcut::kCtrl, key};
    }
    form.mnuTray.insert(0, std::move(item));
  }
}

}  // namespace vantrel::app
