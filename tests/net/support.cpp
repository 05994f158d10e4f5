#include "support.h"

namespace vantrel::net::testing {

std::string base64Decode(const std::string& text) {
  static const std::string alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const auto value = alphabet.find(c);
    if (value == std::string::npos) continue;
    bits = bits << 6 | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>(bits >> count & 0xff);
    }
  }
  return out;
}

std::string headerLine(const std::string& header, const std::string& name) {
  const std::string key = "\n" + name + ": ";
  const auto at = header.find(key);
  if (at == std::string::npos) return {};
  const auto start = at + key.size();
  return header.substr(start, header.find("\r\n", start) - start);
}

}  // namespace vantrel::net::testing
