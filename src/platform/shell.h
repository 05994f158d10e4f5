#pragma once
// The shell: the notification-area icon, icons of executables, web pages and the mail sound.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/handles.h"
#include "platform/icon_pixels.h"

namespace vantrel::platform {

enum class NotifyIconAction { Add, Modify, Delete };

// NotifyIconData::flags: which of its members the shell is to take.
inline constexpr std::uint32_t kNifMessage = 0x1;
inline constexpr std::uint32_t kNifIcon = 0x2;
inline constexpr std::uint32_t kNifTip = 0x4;
// The first layout holds 64 characters of tip, the terminating zero included.
inline constexpr std::size_t kNotifyTipMax = 63;
// The first layout's size as 32-bit Windows counts it.
inline constexpr std::uint32_t kNotifyIconDataV1Size = 88;

// What Shell_NotifyIconA is given (the first layout of NOTIFYICONDATAA).
struct NotifyIconData {
  std::uint32_t cbSize = kNotifyIconDataV1Size;
  WindowHandle window = kNoWindow;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  IconHandle icon = kNoIcon;
  std::string tip;  // at most kNotifyTipMax characters
};

// A balloon from the notification-area icon: what the second layout of NOTIFYICONDATA adds
// (NIF_INFO), in UTF-8, at most these many characters of each.
inline constexpr std::size_t kBalloonTitleMax = 63;
inline constexpr std::size_t kBalloonTextMax = 255;
struct NotifyBalloon {
  std::string title;
  std::string text;
  bool operator==(const NotifyBalloon&) const = default;
};

class ShellIcon;

class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool notifyIcon(NotifyIconAction action, const NotifyIconData& data) = 0;
  // Shows a balloon from the icon `data` names, which the shell shows already; its other members
  // are left as they are.
  virtual bool showBalloon(const NotifyIconData& data, const NotifyBalloon& balloon) = 0;
  // The first small icon of an executable.
  virtual std::optional<ShellIcon> extractSmallIcon(std::string_view path) = 0;
  // An icon of these pixels; none when the system could not make it.
  virtual std::optional<ShellIcon> createIcon(const IconPixels& pixels) = 0;
  // The shell's default action on an address, shown maximised, owned by `owner`.
  virtual void openUrl(WindowHandle owner, std::string_view url) = 0;
  virtual void playMailSound() = 0;
  // The message number of the shell's "TaskbarCreated" broadcast.
  virtual std::uint32_t taskbarCreatedMessage() = 0;

 private:
  friend class ShellIcon;
  virtual void destroyIcon(IconHandle icon) = 0;
};

// An icon the shell made, given back to it when its owner goes. Its shell must outlive it.
class ShellIcon {
 public:
  ShellIcon(Shell& shell, IconHandle icon) : shell_(&shell), icon_(icon) {}
  ~ShellIcon() {
    if (icon_ != kNoIcon) shell_->destroyIcon(icon_);
  }
  ShellIcon(ShellIcon&& other) noexcept
      : shell_(other.shell_), icon_(std::exchange(other.icon_, kNoIcon)) {}
  ShellIcon& operator=(ShellIcon&& other) noexcept {
    std::swap(shell_, other.shell_);
    std::swap(icon_, other.icon_);
    return *this;
  }
  ShellIcon(const ShellIcon&) = delete;
  ShellIcon& operator=(const ShellIcon&) = delete;

  IconHandle get() const { return icon_; }

 private:
  Shell* shell_;
  IconHandle icon_;
};

}  // namespace vantrel::platform
