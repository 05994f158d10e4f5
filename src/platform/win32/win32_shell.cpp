#include "platform/win32/win32_shell.h"

#include <windows.h>
// After windows.h, which they build on.
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/win32/owned_handle.h"
#include "platform/win32/wide_text.h"

namespace vantrel::platform::win32 {
namespace {

static_assert(kNifMessage == NIF_MESSAGE && kNifIcon == NIF_ICON && kNifTip == NIF_TIP);
static_assert(kNotifyTipMax < sizeof(NOTIFYICONDATAA{}.szTip));
static_assert(kBalloonTitleMax < std::size(NOTIFYICONDATAW{}.szInfoTitle) &&
              kBalloonTextMax < std::size(NOTIFYICONDATAW{}.szInfo));

// `text` into `field`, cut to `most` units where no character is split, and ended.
template <std::size_t N>
void copyCut(WCHAR (&field)[N], const std::wstring& text, std::size_t most) {
  std::size_t length = std::min(text.size(), most);
  // A high surrogate alone would show as a box.
  if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
  std::copy_n(text.begin(), length, field);
  field[length] = L'\0';
}

DWORD notifyMessage(NotifyIconAction action) {
  switch (action) {
    case NotifyIconAction::Add:
      return NIM_ADD;
    case NotifyIconAction::Modify:
      return NIM_MODIFY;
    case NotifyIconAction::Delete:
      return NIM_DELETE;
  }
  return NIM_MODIFY;
}

}  // namespace

bool Win32Shell::notifyIcon(NotifyIconAction action, const NotifyIconData& data) {
  NOTIFYICONDATAA icon{};
  // With 64-bit pointers the first layout is larger than its 32-bit size, and the shell would
  // take an unknown size for that one anyway.
  icon.cbSize = data.cbSize == kNotifyIconDataV1Size ? NOTIFYICONDATAA_V1_SIZE : data.cbSize;
  icon.hWnd = reinterpret_cast<HWND>(data.window);
  icon.uID = data.id;
  icon.uFlags = data.flags;
  icon.uCallbackMessage = data.callbackMessage;
  icon.hIcon = reinterpret_cast<HICON>(data.icon);
  const auto tipLength = std::min(data.tip.size(), kNotifyTipMax);
  std::copy_n(data.tip.begin(), tipLength, icon.szTip);
  return Shell_NotifyIconA(notifyMessage(action), &icon) != FALSE;
}

bool Win32Shell::showBalloon(const NotifyIconData& data, const NotifyBalloon& balloon) {
  // The second layout, for this call alone: the icon's own calls keep the first.
  NOTIFYICONDATAW icon{};
  icon.cbSize = NOTIFYICONDATAW_V2_SIZE;
  icon.hWnd = reinterpret_cast<HWND>(data.window);
  icon.uID = data.id;
  icon.uFlags = NIF_INFO;
  icon.dwInfoFlags = NIIF_INFO;
  icon.uTimeout = 10000;  // the least XP shows one for; later Windows go by the user's setting
  copyCut(icon.szInfoTitle, wideText(CP_UTF8, balloon.title), kBalloonTitleMax);
  copyCut(icon.szInfo, wideText(CP_UTF8, balloon.text), kBalloonTextMax);
  return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

std::optional<ShellIcon> Win32Shell::extractSmallIcon(std::string_view path) {
  const std::string file(path);
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ExtractIconExA(file.c_str(), 0, &large, &small, 1);
  // Without an icon extracted the handles are not to be trusted: some systems fill them anyway.
  if (extracted == 0 || extracted == UINT_MAX) return std::nullopt;
  const OwnedIcon unused(large);
  OwnedIcon wanted(small);
  if (!wanted) return std::nullopt;
  return ShellIcon(*this, reinterpret_cast<IconHandle>(wanted.release()));
}

std::optional<ShellIcon> Win32Shell::createIcon(const IconPixels& pixels) {
  const int n = pixels.size;
  if (n <= 0 || pixels.argb.size() != static_cast<std::size_t>(n) * static_cast<std::size_t>(n)) {
    return std::nullopt;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = n;
  info.bmiHeader.biHeight = -n;  // rows from the top, as the pixels come
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const OwnedScreenDC screen(GetDC(nullptr));
  const OwnedBitmap colours(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colours || !bits) return std::nullopt;
  // 0xAARRGGBB in memory is the B, G, R, A of a 32-bit DIB.
  std::memcpy(bits, pixels.argb.data(), pixels.argb.size() * sizeof(pixels.argb[0]));
  // The mask shows the background through where the picture is mostly transparent, for systems
  // that draw icons without their alpha. Its rows are WORD-aligned.
  const auto stride = static_cast<std::size_t>((n + 15) / 16 * 2);
  std::vector<BYTE> mask(stride * static_cast<std::size_t>(n), 0);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      if ((pixels.at(x, y) >> 24) < 0x80) {
        mask[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |=
            static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  const OwnedBitmap maskBitmap(CreateBitmap(n, n, 1, 1, mask.data()));
  if (!maskBitmap) return std::nullopt;
  ICONINFO parts{};
  parts.fIcon = TRUE;
  parts.hbmMask = maskBitmap.get();
  parts.hbmColor = colours.get();
  // The icon has copies of both bitmaps.
  OwnedIcon icon(CreateIconIndirect(&parts));
  if (!icon) return std::nullopt;
  return ShellIcon(*this, reinterpret_cast<IconHandle>(icon.release()));
}

void Win32Shell::destroyIcon(IconHandle icon) {
  DestroyIcon(reinterpret_cast<HICON>(icon));
}

void Win32Shell::openUrl(WindowHandle owner, std::string_view url) {
  const std::string address(url);
  ShellExecuteA(reinterpret_cast<HWND>(owner), nullptr, address.c_str(), nullptr, nullptr,
                SW_SHOWMAXIMIZED);
}

void Win32Shell::playMailSound() {
  sndPlaySoundA("MailBeep", SND_ALIAS | SND_ASYNC | SND_NODEFAULT);
}

std::uint32_t Win32Shell::taskbarCreatedMessage() {
  return RegisterWindowMessageA("TaskbarCreated");
}

}  // namespace vantrel::platform::win32
