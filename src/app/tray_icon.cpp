#include "app/tray_icon.h"

#include "ui/count_badge.h"

namespace vantrel::app {

using platform::NotifyIconAction;

namespace {

// An icon the shell does not show (yet) takes the change when it is next added.
void modify(platform::Shell& shell, TrayIcon& icon) {
  if (icon.shown) icon.behind = !shell.notifyIcon(NotifyIconAction::Modify, icon.data);
}

void showCount(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture,
               const platform::IconPixels& pixels, std::int32_t count) {
  auto drawn = ui::countBadgeText(count).empty() || pixels.empty()
                   ? std::nullopt
                   : shell.createIcon(ui::drawCountBadge(pixels, count));
  if (!drawn) {
    trayIconSetIcon(shell, icon, picture);
    return;
  }
  icon.data.icon = drawn->get();
  modify(shell, icon);
  // The picture shown until now goes with `drawn`, now that the shell has let go of it.
  icon.countIcon = std::move(*drawn);
  icon.count = count;
}

}  // namespace

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
  icon.behind = false;  // taken whole, or the next add gives it whole
  return icon.shown;
}

void trayIconDelete(platform::Shell& shell, TrayIcon& icon) {
  shell.notifyIcon(NotifyIconAction::Delete, icon.data);
  icon.shown = false;
  icon.behind = false;
}

void trayIconCatchUp(platform::Shell& shell, TrayIcon& icon) {
  if (!icon.shown) {
    trayIconAdd(shell, icon);
  } else if (icon.behind) {
    modify(shell, icon);
  }
}

void trayIconSetIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture) {
  if (icon.data.icon == picture) return;
  icon.data.icon = picture;
  modify(shell, icon);
  // Given back only once the shell has another picture to show.
  icon.countIcon.reset();
  icon.count = 0;
}

void trayIconResetIcon(platform::Shell& shell, TrayIcon& icon) {
  trayIconSetIcon(shell, icon, icon.defaultIcon);
}

void trayIconSetTip(platform::Shell& shell, TrayIcon& icon, std::string_view tip) {
  const auto cut = tip.substr(0, platform::kNotifyTipMax);
  if (icon.data.tip == cut) return;
  icon.data.tip = std::string(cut);
  modify(shell, icon);
}

void trayIconResetTip(platform::Shell& shell, TrayIcon& icon) {
  trayIconSetTip(shell, icon, kTrayDefaultTip);
}

void trayIconSetCountIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture,
                          const platform::IconPixels& pixels, std::int32_t count) {
  if (icon.countIcon && ui::countBadgeText(icon.count) == ui::countBadgeText(count)) return;
  showCount(shell, icon, picture, pixels, count);
}

void trayIconRedrawCount(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture,
                         const platform::IconPixels& pixels) {
  if (icon.countIcon) showCount(shell, icon, picture, pixels, icon.count);
}

}  // namespace vantrel::app
