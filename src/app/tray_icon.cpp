#include "app/tray_icon.h"

namespace vantrel::app {

using platform::NotifyIconAction;

void trayIconCreate(platform::Shell& shell, TrayIcon& icon, platform::WindowHandle owner,
                    platform::IconHandle picture, std::uint32_t callbackMessage,
                    std::string_view tip, bool addNow) {
  icon.defaultIcon = picture;
  icon.data = platform::NotifyIconData{};
  icon.data.window = owner;
  icon.data.id = kTrayIconId;
  icon.data.flags = kTrayIconFlags;
  icon.data.callbackMessage = callbackMessage;
  icon.data.icon = picture;
  icon.data.tip = std::string(tip.substr(0, platform::kNotifyTipMax));
  if (addNow) trayIconAdd(shell, icon);
}

bool trayIconAdd(platform::Shell& shell, TrayIcon& icon) {
  // The shell refuses to add an icon it still shows; a modify that takes tells it is there.
  icon.shown = shell.notifyIcon(NotifyIconAction::Add, icon.data) ||
               shell.notifyIcon(NotifyIconAction::Modify, icon.data);
  return icon.shown;
}

void trayIconDelete(platform::Shell& shell, TrayIcon& icon) {
  shell.notifyIcon(NotifyIconAction::Delete, icon.data);
  icon.shown = false;
}

void trayIconSetIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture) {
  icon.data.icon = picture;
  shell.notifyIcon(NotifyIconAction::Modify, icon.data);
}

void trayIconResetIcon(platform::Shell& shell, TrayIcon& icon) {
  trayIconSetIcon(shell, icon, icon.defaultIcon);
}

void trayIconSetTip(platform::Shell& shell, TrayIcon& icon, std::string_view tip) {
  icon.data.tip = std::string(tip.substr(0, platform::kNotifyTipMax));
  shell.notifyIcon(NotifyIconAction::Modify, icon.data);
}

void trayIconResetTip(platform::Shell& shell, TrayIcon& icon) {
  trayIconSetTip(shell, icon, kTrayDefaultTip);
}

}  // namespace vantrel::app
