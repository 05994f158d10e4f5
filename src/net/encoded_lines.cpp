#include "net/encoded_lines.h"

#include <algorithm>
#include <array>

namespace vantrel::net {

namespace {

std::array<char, 64> alphabet(UUMethods method) {
  std::array<char, 64> table{};
  static constexpr char kBase64[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (method == UUMethods::uuMime) {
      table[i] = kBase64[i];
    } else {
      table[i] = i == 0 ? '`' : static_cast<char>(32 + i);
    }
  }
  return table;
}

}  // namespace

std::string EncodeLine(std::string_view bytes, UUMethods method) {
  const auto table = alphabet(method);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = std::min(bytes.size(), kBytesPerLine);
  const bool mime = method == UUMethods::uuMime;
  std::string line;
  if (!mime) line += table[n];
  std::size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const unsigned bits = in[i] << 16 | in[i + 1] << 8 | in[i + 2];
    line += table[bits >> 18 & 63];
    line += table[bits >> 12 & 63];
    line += table[bits >> 6 & 63];
    line += table[bits & 63];
  }
  if (n - i == 1) {
    line += table[in[i] >> 2];
    line += table[(in[i] & 3) << 4];
    if (mime) line += "==";
  } else if (n - i == 2) {
    line += table[in[i] >> 2];
    line += table[(in[i] & 3) << 4 | in[i + 1] >> 4];
    line += table[(in[i + 1] & 15) << 2];
    if (mime) line += '=';
  }
  return line + "\r\n";
}

std::string UUEndLine() {
  return std::string(1, alphabet(UUMethods::uuCode)[0]) + "\r\n";
}

std::string Base64OneLine(std::string_view bytes) {
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
    auto line = EncodeLine(bytes.substr(at, kBytesPerLine), UUMethods::uuMime);
    line.resize(line.size() - 2);
    text += line;
  }
  return text;
}

}  // namespace vantrel::net
