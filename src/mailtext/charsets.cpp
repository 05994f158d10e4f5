#include "mailtext/charsets.h"

#include <array>
#include <cstddef>
#include <utility>

#include "base/text.h"
#include "mailtext/charset_tables.h"
#include "mailtext/utf8_text.h"

namespace vantrel::mailtext {

namespace {

// Longer names are not character sets.
constexpr std::size_t kMaxCharsetName = 64;

enum class Reading { Utf8OrWindows1252, Table };

struct BuiltIn {
  Reading reading;
  SingleByteCharset table;
};

constexpr BuiltIn table(SingleByteCharset charset) {
  return {Reading::Table, charset};
}

// ISO-8859-1, -9 and -11 are read as the Windows sets that contain them, as Windows mail
// programs do: their senders mostly meant those.
std::optional<BuiltIn> isoPart(int part) {
  using enum SingleByteCharset;
  static constexpr std::array<std::pair<int, SingleByteCharset>, 15> kParts{{
      {1, Windows1252},
      {2, Iso8859_2},
      {3, Iso8859_3},
      {4, Iso8859_4},
      {5, Iso8859_5},
      {6, Iso8859_6},
      {7, Iso8859_7},
      {8, Iso8859_8},
      {9, Windows1254},
      {10, Iso8859_10},
      {11, Windows874},
      {13, Iso8859_13},
      {14, Iso8859_14},
      {15, Iso8859_15},
      {16, Iso8859_16},
  }};
  for (const auto& [number, charset] : kParts) {
    if (number == part) return table(charset);
  }
  return std::nullopt;
}

std::optional<BuiltIn> windowsCodePage(int page) {
  if (page == 874) return table(SingleByteCharset::Windows874);
  if (page < 1250 || page > 1258) return std::nullopt;
  return table(static_cast<SingleByteCharset>(static_cast<int>(SingleByteCharset::Windows1250) +
                                              (page - 1250)));
}

std::optional<BuiltIn> builtIn(std::string_view name) {
  using enum SingleByteCharset;
  const std::string key = base::charsetKey(name);
  if (key.empty()) return std::nullopt;
  // Variants of an ISO-8859 part ("ISO-8859-8-I", "ISO-8859-6-E") read as the part itself.
  for (const std::string_view variant : {"e", "i"}) {
    if (key.starts_with("iso8859") && key.ends_with(variant)) {
      if (const auto part = base::numberAfter(key.substr(0, key.size() - 1), "iso8859")) {
        return isoPart(*part);
      }
    }
  }
  if (const auto part = base::numberAfter(key, "iso8859")) return isoPart(*part);
  for (const std::string_view prefix : {"windows", "xcp", "cp"}) {
    const auto page = base::numberAfter(key, prefix);
    if (const auto found = page ? windowsCodePage(*page) : std::nullopt) return found;
  }
  static constexpr std::pair<std::string_view, BuiltIn> kNames[] = {
      {"utf8", {Reading::Utf8OrWindows1252, Windows1252}},
      {"unknown8bit", {Reading::Utf8OrWindows1252, Windows1252}},
      {"xunknown", {Reading::Utf8OrWindows1252, Windows1252}},
      {"usascii", table(Windows1252)},
      {"ascii", table(Windows1252)},
      {"csascii", table(Windows1252)},
      {"iso646us", table(Windows1252)},
      {"ansix341968", table(Windows1252)},
      {"latin1", table(Windows1252)},
      {"l1", table(Windows1252)},
      {"cp819", table(Windows1252)},
      {"ibm819", table(Windows1252)},
      {"cp367", table(Windows1252)},
      {"csisolatin1", table(Windows1252)},
      {"latin2", table(Iso8859_2)},
      {"l2", table(Iso8859_2)},
      {"latin3", table(Iso8859_3)},
      {"l3", table(Iso8859_3)},
      {"latin4", table(Iso8859_4)},
      {"l4", table(Iso8859_4)},
      {"cyrillic", table(Iso8859_5)},
      {"arabic", table(Iso8859_6)},
      {"greek", table(Iso8859_7)},
      {"greek8", table(Iso8859_7)},
      {"hebrew", table(Iso8859_8)},
      {"latin5", table(Windows1254)},
      {"l5", table(Windows1254)},
      {"latin6", table(Iso8859_10)},
      {"l6", table(Iso8859_10)},
      {"tis620", table(Windows874)},
      {"latin7", table(Iso8859_13)},
      {"latin8", table(Iso8859_14)},
      {"l8", table(Iso8859_14)},
      {"latin9", table(Iso8859_15)},
      {"l9", table(Iso8859_15)},
      {"latin10", table(Iso8859_16)},
      {"l10", table(Iso8859_16)},
      {"koi8r", table(Koi8R)},
      {"koi8", table(Koi8R)},
      {"cskoi8r", table(Koi8R)},
      {"koi8u", table(Koi8U)},
      {"koi8ru", table(Koi8U)},
  };
  for (const auto& [known, reading] : kNames) {
    if (known == key) return reading;
  }
  return std::nullopt;
}

std::string singleByteToUtf8(std::string_view bytes, SingleByteCharset charset) {
  const auto& upper = upperHalf(charset);
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      const char16_t unit = upper[byte - 0x80];
      appendUtf8(out, unit == 0 ? kReplacementCharacter : unit);
    }
  }
  return out;
}

}  // namespace

std::string utf8OrWindows1252(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  return windows1252ToUtf8(bytes);
}

std::string windows1252ToUtf8(std::string_view bytes) {
  return singleByteToUtf8(bytes, SingleByteCharset::Windows1252);
}

bool isUtf8Name(std::string_view charset) {
  return base::charsetKey(charset) == "utf8";
}

std::optional<std::string> charsetToUtf8(std::string_view charset, std::string_view bytes,
                                         const platform::TextConversion* system) {
  if (charset.empty() || charset.size() > kMaxCharsetName) return std::nullopt;
  if (const auto known = builtIn(charset)) {
    if (known->reading == Reading::Utf8OrWindows1252) return utf8OrWindows1252(bytes);
    return singleByteToUtf8(bytes, known->table);
  }
  if (system == nullptr) return std::nullopt;
  auto text = system->toUtf8(charset, bytes);
  if (!text) return std::nullopt;
  return wellFormedUtf8(*text);
}

}  // namespace vantrel::mailtext
