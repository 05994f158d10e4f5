#include "platform/win32/win32_text_conversion.h"

#include <windows.h>

#include <climits>
#include <string>

#include "base/text.h"

namespace vantrel::platform::win32 {

namespace {

// The code page Windows reads a mail character set with: the names mail uses for the sets of
// East Asia and the old PC and Macintosh pages, and "cp", "windows", "ibm" followed by a number.
std::optional<UINT> codePageOf(std::string_view charset) {
  static constexpr std::pair<std::string_view, UINT> kNames[] = {
      {"shiftjis", 932},    {"sjis", 932},          {"xsjis", 932},          {"mskanji", 932},
      {"windows31j", 932},  {"csshiftjis", 932},    {"eucjp", 20932},        {"xeucjp", 20932},
      {"iso2022jp", 50220}, {"csiso2022jp", 50220}, {"gb2312", 936},         {"gbk", 936},
      {"xgbk", 936},        {"euccn", 936},         {"xeuccn", 936},         {"csgb2312", 936},
      {"chinese", 936},     {"gb18030", 54936},     {"hzgb2312", 52936},     {"big5", 950},
      {"csbig5", 950},      {"xxbig5", 950},        {"big5hkscs", 950},      {"euckr", 949},
      {"cseuckr", 949},     {"ksc56011987", 949},   {"ksc5601", 949},        {"uhc", 949},
      {"korean", 949},      {"iso2022kr", 50225},   {"iso2022cn", 50227},    {"utf7", 65000},
      {"macintosh", 10000}, {"xmacroman", 10000},   {"xmaccyrillic", 10007},
  };
  const std::string key = base::charsetKey(charset);
  for (const auto& [name, page] : kNames) {
    if (name == key) return page;
  }
  for (const std::string_view prefix : {"windows", "xcp", "cp", "ibm"}) {
    // Below 37 are the pseudo pages (CP_ACP, CP_OEMCP...), which would read as this machine's.
    const auto page = base::numberAfter(key, prefix);
    if (page && *page >= 37) return page;
  }
  return std::nullopt;
}

// Code pages that refuse MB_ERR_INVALID_CHARS (and so cannot tell bad bytes).
bool takesNoFlags(UINT page) {
  return page == 42 || page == 65000 || page == 52936 || page == 54936 ||
         (page >= 50220 && page <= 50229) || (page >= 57002 && page <= 57011);
}

// The bytes read in code page `page`, as UTF-8.
std::optional<std::string> pageToUtf8(UINT page, DWORD flags, std::string_view bytes) {
  if (bytes.size() > INT_MAX / 4) return std::nullopt;
  if (bytes.empty()) return std::string();
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(page, flags, bytes.data(), length, nullptr, 0);
  if (units <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(page, flags, bytes.data(), length, wide.data(), units);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, text.data(), size, nullptr, nullptr);
  return text;
}

}  // namespace

std::optional<std::string> Win32TextConversion::toUtf8(std::string_view charset,
                                                       std::string_view bytes) const {
  const auto page = codePageOf(charset);
  if (!page || !IsValidCodePage(*page)) return std::nullopt;
  return pageToUtf8(*page, takesNoFlags(*page) ? 0 : MB_ERR_INVALID_CHARS, bytes);
}

std::optional<std::string> Win32TextConversion::systemToUtf8(std::string_view bytes) const {
  return pageToUtf8(CP_ACP, 0, bytes);
}

}  // namespace vantrel::platform::win32
