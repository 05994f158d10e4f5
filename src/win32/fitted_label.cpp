#include "win32/fitted_label.h"

#include "platform/win32/owned_handle.h"

namespace vantrel::win32 {

std::wstring fittedToLabel(HWND label, const std::wstring& text) {
  RECT room{};
  GetClientRect(label, &room);
  const platform::win32::OwnedDC measure(CreateCompatibleDC(nullptr));
  SelectObject(measure.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  // As a static control wraps its text; a word wider than a line counts as too long.
  const auto fits = [&](const std::wstring& tried) {
    RECT box{0, 0, room.right, 0};
    DrawTextW(measure.get(), tried.data(), static_cast<int>(tried.size()), &box,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return box.bottom <= room.bottom && box.right <= room.right;
  };
  if (fits(text)) return text;
  const auto cut = [&](std::size_t length) {
    auto shown = text.substr(0, length);
    // Never half of a character beyond the basic plane.
    if (!shown.empty() && IS_HIGH_SURROGATE(shown.back())) shown.pop_back();
    while (!shown.empty() && shown.back() == L' ') shown.pop_back();
    return shown + L"...";
  };
  std::size_t fitting = 0;  // characters that fit with the ellipsis
  std::size_t tooMany = text.size();
  while (tooMany - fitting > 1) {
    const std::size_t middle = fitting + (tooMany - fitting) / 2;
    (fits(cut(middle)) ? fitting : tooMany) = middle;
  }
  return cut(fitting);
}

}  // namespace vantrel::win32
