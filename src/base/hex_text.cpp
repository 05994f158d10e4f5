#include "base/hex_text.h"

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

// Written by hand: the C library's formatting would bring its whole printf, floating point
// included, into the program for this one use.
std::string hexCode(unsigned long code) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[code & 0xF]);
    code >>= 4;
  } while (code != 0);
  return "0x" + std::string(digits.size() < 8 ? 8 - digits.size() : 0, '0') + digits;
}

}  // namespace vantrel::base
