#include "net/url_encoder.h"

#include <exception>

namespace vantrel::net {

std::string UrlEncode(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      out += '+';
    } else if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
               (byte >= 'a' && byte <= 'z')) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xf];
    }
  }
  return out;
}

std::string TUrlEncoder::Encode() {
  try {
    return UrlEncode(InputString);
  } catch (const std::exception& e) {
    if (OnError) OnError(*this, "Error during encode", e.what());
    return InputString;
  }
}

}  // namespace vantrel::net
