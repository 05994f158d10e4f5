#pragma once
// The notification-area icon: one record and its operations over the shell.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/icon_pixels.h"
#include "platform/shell.h"

namespace vantrel::app {

inline constexpr std::uint32_t kTrayIconId = 1005;
inline constexpr std::uint32_t kTrayIconFlags =
    platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
inline constexpr std::string_view kTrayDefaultTip = "Outlook Express";

// The shell hears of the icon only when what it shows changes: picture, count or tip.
struct TrayIcon {
  platform::IconHandle defaultIcon = platform::kNoIcon;
  platform::NotifyIconData data;  // what the icon is to show
  bool shown = false;  // what the shell last accepted, to add the icon again after a restart
  // The shell refused the last change (a busy Explorer times out): it shows an older one.
  bool behind = false;
  // The new-mail picture with its count, while the icon shows it.
  std::optional<platform::ShellIcon> countIcon;
  std::int32_t count = 0;  // what its badge says
};

void trayIconCreate(platform::Shell& shell, TrayIcon& icon, platform::WindowHandle owner,
                    platform::IconHandle picture, std::uint32_t callbackMessage,
                    std::string_view tip, bool addNow);
bool trayIconAdd(platform::Shell& shell, TrayIcon& icon);
void trayIconDelete(platform::Shell& shell, TrayIcon& icon);
// What the shell has not taken yet, given again: the icon itself, or its last change. No call
// when it has taken everything.
void trayIconCatchUp(platform::Shell& shell, TrayIcon& icon);
void trayIconSetIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture);
void trayIconResetIcon(platform::Shell& shell, TrayIcon& icon);
void trayIconSetTip(platform::Shell& shell, TrayIcon& icon, std::string_view tip);
void trayIconResetTip(platform::Shell& shell, TrayIcon& icon);
// The new-mail picture with `count` drawn on `pixels` (the same picture at the tray's size); the
// plain `picture` where no count can be drawn, as at 0.
void trayIconSetCountIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture,
                          const platform::IconPixels& pixels, std::int32_t count);
// The count it shows drawn anew on `pixels`, the new-mail picture at another size.
void trayIconRedrawCount(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture,
                         const platform::IconPixels& pixels);

}  // namespace vantrel::app
