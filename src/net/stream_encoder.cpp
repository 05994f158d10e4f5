#include "net/stream_encoder.h"

#include <algorithm>
#include <array>
#include <iostream>

namespace vantrel::net {

namespace {

constexpr std::size_t kBytesPerLine = 45;

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

std::string encodeLine(const unsigned char* in, std::size_t n, UUMethods method,
                       const std::array<char, 64>& table) {
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

}  // namespace

void TStreamEncoder::Encode() {
  InputStream->clear();
  InputStream->seekg(0);
  if (OnBeginEncode) OnBeginEncode(*this);
  const auto table = alphabet(Method);
  std::array<char, kBytesPerLine> chunk{};
  for (;;) {
    InputStream->read(chunk.data(), chunk.size());
    const auto n = static_cast<std::size_t>(InputStream->gcount());
    if (n == 0) break;
    const std::string line =
        encodeLine(reinterpret_cast<const unsigned char*>(chunk.data()), n, Method, table);
    OutputStream->write(line.data(), static_cast<std::streamsize>(line.size()));
  }
  if (Method == UUMethods::uuCode) *OutputStream << table[0] << "\r\n";
  OutputStream->seekg(0);
  OutputStream->seekp(0);
  if (OnEndEncode) OnEndEncode(*this);
}

}  // namespace vantrel::net
