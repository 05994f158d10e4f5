#include "net/url_encoder.h"

#include <exception>

#include "base/hex_text.h"

namespace vantrel::net {

std::string UrlEncode(const std::string& text) {
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
      base::appendHexByte(out, byte);
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
