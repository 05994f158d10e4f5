#pragma once
// The notification-area icon: one record and its operations over the shell.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace vantrel::app {

inline constexpr std::uint32_t kTrayIconId = 1005;
inline constexpr std::uint32_t kTrayIconFlags =
    platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
inline constexpr std::string_view kTrayDefaultTip = "Outlook Express";

struct TrayIcon {
  platform::IconHandle defaultIcon = platform::kNoIcon;
  platform::NotifyIconData data;
  bool shown = false;  // what the shell last accepted, to add the icon again after a restart
};

void trayIconCreate(platform::Shell& shell, TrayIcon& icon, platform::WindowHandle owner,
                    platform::IconHandle picture, std::uint32_t callbackMessage,
                    std::string_view tip, bool addNow);
bool trayIconAdd(platform::Shell& shell, TrayIcon& icon);
void trayIconDelete(platform::Shell& shell, TrayIcon& icon);
void trayIconSetIcon(platform::Shell& shell, TrayIcon& icon, platform::IconHandle picture);
void trayIconResetIcon(platform::Shell& shell, TrayIcon& icon);
void trayIconSetTip(platform::Shell& shell, TrayIcon& icon, std::string_view tip);
void trayIconResetTip(platform::Shell& shell, TrayIcon& icon);

}  // namespace vantrel::app
