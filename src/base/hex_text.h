#pragma once
// Hexadecimal digits as the program writes them (upper case) and reads them (either case).

#include <string>

namespace vantrel::base {

// Two digits for a byte, appended.
void appendHexByte(std::string& text, unsigned char byte);

// The value of a digit, or -1 for any other character.
int hexDigitValue(char c);

// "0x" and eight digits: a system's error or status code as its documentation writes it.
std::string hexCode(unsigned long code);

}  // namespace vantrel::base
