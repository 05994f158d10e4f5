#pragma once
// A recording shell with one notification area that can be made to refuse icons or restart.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace vantrel::platform::standin {

class StandinShell : public Shell {
 public:
  static constexpr std::uint32_t kTaskbarCreated = 0xC123;

  // What the notification area shows now, if anything.
  const std::optional<NotifyIconData>& icon() const { return icon_; }
  std::vector<NotifyIconAction> calls;
  bool ready = true;  // false: the shell refuses every icon
  int timeOuts = 0;   // the next calls refused, as a busy Explorer's: the icon stays as it was
  void restartExplorer() { icon_.reset(); }  // every icon is gone
  void setIcon(std::string path, IconHandle icon) { icons_[std::move(path)] = icon; }
  std::vector<std::string> openedUrls;
  int mailSounds = 0;
  std::vector<NotifyBalloon> balloons;  // those shown
  std::vector<IconHandle> destroyedIcons;
  // The pixels of each icon made from pixels, by handle, from kFirstDrawnIcon on.
  static constexpr IconHandle kFirstDrawnIcon = 0xD000;
  std::map<IconHandle, IconPixels> drawnIcons;

  bool notifyIcon(NotifyIconAction action, const NotifyIconData& data) override;
  bool showBalloon(const NotifyIconData& data, const NotifyBalloon& balloon) override;
  std::optional<ShellIcon> extractSmallIcon(std::string_view path) override;
  std::optional<ShellIcon> createIcon(const IconPixels& pixels) override;
  void openUrl(WindowHandle, std::string_view url) override { openedUrls.emplace_back(url); }
  void playMailSound() override { ++mailSounds; }
  std::uint32_t taskbarCreatedMessage() override { return kTaskbarCreated; }

 private:
  void destroyIcon(IconHandle icon) override { destroyedIcons.push_back(icon); }

  std::optional<NotifyIconData> icon_;
  std::map<std::string, IconHandle> icons_;
};

}  // namespace vantrel::platform::standin
