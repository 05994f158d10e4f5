#include "mailtext/utf8_text.h"

namespace vantrel::mailtext {

namespace {

bool isContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// How many bytes a sequence with this lead byte takes, and the smallest and largest second byte
// that keep it well formed; 0 for a byte that leads nothing.
struct Lead {
  std::size_t length;
  unsigned char lowSecond;
  unsigned char highSecond;
};

Lead leadOf(unsigned char byte) {
  if (byte < 0x80) return {1, 0, 0};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
  if (byte == 0xED) return {3, 0x80, 0x9F};  // no surrogates
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};  // nothing past U+10FFFF
  return {0, 0, 0};
}

// How many bytes from `at` on belong to a well-formed sequence, finished or not.
std::size_t wellFormedPrefix(std::string_view text, std::size_t at, const Lead& lead) {
  std::size_t taken = 1;
  while (taken < lead.length && at + taken < text.size()) {
    const auto byte = static_cast<unsigned char>(text[at + taken]);
    const bool fits =
        taken == 1 ? byte >= lead.lowSecond && byte <= lead.highSecond : isContinuation(byte);
    if (!fits) break;
    ++taken;
  }
  return taken;
}

}  // namespace

CodePoint codePointAt(std::string_view text, std::size_t at) {
  const auto first = static_cast<unsigned char>(text[at]);
  const Lead lead = leadOf(first);
  if (lead.length == 1) return {first, 1};
  if (lead.length == 0 || wellFormedPrefix(text, at, lead) < lead.length) {
    return {kReplacementCharacter, 1};
  }
  char32_t value = first & (0xFF >> (lead.length + 1));
  for (std::size_t i = 1; i < lead.length; ++i) {
    value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  }
  return {value, lead.length};
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint point = codePointAt(text, at);
    if (point.value == kReplacementCharacter && point.length == 1) return false;
    at += point.length;
  }
  return true;
}

std::string_view withoutCutSequence(std::string_view text) {
  // A sequence is at most four bytes long, so its lead is among the last three.
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const std::size_t at = text.size() - back;
    const auto byte = static_cast<unsigned char>(text[at]);
    if (isContinuation(byte)) continue;
    const Lead lead = leadOf(byte);
    const bool unfinished = lead.length > back && wellFormedPrefix(text, at, lead) == back;
    return unfinished ? text.substr(0, at) : text;
  }
  return text;
}

void appendUtf8(std::string& out, char32_t value) {
  if ((value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) value = kReplacementCharacter;
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

std::string wellFormedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint point = codePointAt(text, at);
    if (point.length == 1 && point.value == kReplacementCharacter) {
      appendUtf8(out, kReplacementCharacter);
    } else {
      out.append(text.substr(at, point.length));
    }
    at += point.length;
  }
  return out;
}

}  // namespace vantrel::mailtext
