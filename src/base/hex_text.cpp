#include "base/hex_text.h"

#include <array>
#include <cstdio>

namespace vantrel::base {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

void appendHexByte(std::string& text, unsigned char byte) {
  text += kHexDigits[byte >> 4];
  text += kHexDigits[byte & 0xF];
}

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string hexCode(unsigned long code) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%08lX", code);
  return text.data();
}

}  // namespace vantrel::base
