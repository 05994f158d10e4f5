#pragma once
// The Windows shell: notification-area icon, icons of executables, web pages, the mail sound.

#include "platform/shell.h"

namespace vantrel::platform::win32 {

class Win32Shell : public Shell {
 public:
  bool notifyIcon(NotifyIconAction action, const NotifyIconData& data) override;
  bool showBalloon(const NotifyIconData& data, const NotifyBalloon& balloon) override;
  std::optional<ShellIcon> extractSmallIcon(std::string_view path) override;
  std::optional<ShellIcon> createIcon(const IconPixels& pixels) override;
  void openUrl(WindowHandle owner, std::string_view url) override;
  void playMailSound() override;
  std::uint32_t taskbarCreatedMessage() override;

 private:
  void destroyIcon(IconHandle icon) override;
};

}  // namespace vantrel::platform::win32
