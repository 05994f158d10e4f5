#include "platform/win32/wide_text.h"

namespace vantrel::platform::win32 {

std::wstring wideText(UINT codePage, std::string_view bytes) {
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), units);
  return wide;
}

}  // namespace vantrel::platform::win32
