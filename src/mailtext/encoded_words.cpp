#include "mailtext/encoded_words.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "base/text.h"
#include "mailtext/charsets.h"
#include "mailtext/header_fields.h"
#include "mailtext/utf8_text.h"

namespace vantrel::mailtext {

namespace {

// A charset name (with its language) longer than this is no encoded word's.
constexpr std::size_t kMaxCharsetToken = 80;
// What stands for the part of a cut value that is missing.
constexpr char32_t kEllipsis = 0x2026;

struct EncodedWord {
  std::size_t begin = 0;  // where "=?" stands
  std::size_t end = 0;    // just past "?=" (or the value's end, when open)
  std::string_view charset;
  std::string bytes;
  bool open = false;  // cut short before its "?="
};

// RFC 2047's token, and the dots and colons of names such as "ANSI_X3.4-1968" that senders
// write although it leaves them out.
bool isCharsetChar(char c) {
  return c > ' ' && c < 0x7F &&
         std::string_view("()<>@,;\"/[]?=").find(c) == std::string_view::npos;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// Missing padding is forgiven, as most readers do; anything else out of place is not. An open
// word loses an unfinished last character.
std::optional<std::string> decodeB(std::string_view text, bool open) {
  std::size_t padding = 0;
  while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') {
    ++padding;
  }
  std::string_view data = text.substr(0, text.size() - padding);
  if (data.size() % 4 == 1) {
    if (!open) return std::nullopt;
    data.remove_suffix(1);
  }
  std::string bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (const char c : data) {
    const int value = base64Value(c);
    if (value < 0) return std::nullopt;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>((bits >> count) & 0xFF);
    }
  }
  return bytes;
}

std::optional<std::string> decodeQ(std::string_view text, bool open) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '_') {
      bytes += ' ';
    } else if (text[i] != '=') {
      bytes += text[i];
    } else if (i + 2 >= text.size()) {
      if (!open) return std::nullopt;
      break;  // an escape the cut left unfinished
    } else if (hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return bytes;
}

// An encoded word's parts as written, before any decoding.
struct WordSyntax {
  std::string_view charset;  // without a language
  char encoding = 0;
  std::string_view text;
  std::size_t end = 0;
  bool open = false;
};

// The encoded word at `at` ("=?" stands there), if one is written there.
std::optional<WordSyntax> wordSyntaxAt(std::string_view value, std::size_t at, bool cut) {
  WordSyntax word;
  std::size_t i = at + 2;
  const std::size_t charsetBegin = i;
  while (i < value.size() && i - charsetBegin <= kMaxCharsetToken && isCharsetChar(value[i])) ++i;
  if (i == charsetBegin || i - charsetBegin > kMaxCharsetToken) return std::nullopt;
  // A language after '*' says nothing of the bytes.
  word.charset = value.substr(charsetBegin, i - charsetBegin);
  word.charset = word.charset.substr(0, word.charset.find('*'));
  if (word.charset.empty()) return std::nullopt;
  if (i + 2 >= value.size() || value[i] != '?' || value[i + 2] != '?') return std::nullopt;
  word.encoding = value[i + 1];
  i += 3;
  const std::size_t textBegin = i;
  while (i < value.size() && value[i] > ' ' && value[i] < 0x7F && value[i] != '?') ++i;
  word.text = value.substr(textBegin, i - textBegin);
  if (i + 1 < value.size() && value[i] == '?' && value[i + 1] == '=') {
    word.end = i + 2;
  } else if (cut && (i == value.size() || (value[i] == '?' && i + 1 == value.size()))) {
    word.end = value.size();
    word.open = true;
  } else {
    return std::nullopt;
  }
  return word;
}

// The encoded word at `at` ("=?" stands there), if one is and it decodes.
std::optional<EncodedWord> encodedWordAt(std::string_view value, std::size_t at, bool cut) {
  const auto syntax = wordSyntaxAt(value, at, cut);
  if (!syntax) return std::nullopt;
  std::optional<std::string> bytes;
  if (syntax->encoding == 'B' || syntax->encoding == 'b')
    bytes = decodeB(syntax->text, syntax->open);
  if (syntax->encoding == 'Q' || syntax->encoding == 'q')
    bytes = decodeQ(syntax->text, syntax->open);
  if (!bytes) return std::nullopt;
  return EncodedWord{at, syntax->end, syntax->charset, std::move(*bytes), syntax->open};
}

// The bytes of an open word, less what the cut may have left of a last character: a UTF-8
// sequence is seen for what it is; in another set up to three bytes are let go.
std::optional<std::string> cutBytesToUtf8(std::string_view charset, std::string_view bytes,
                                          const platform::TextConversion* system) {
  if (isUtf8Name(charset)) return charsetToUtf8(charset, withoutCutSequence(bytes), system);
  for (std::size_t dropped = 0; dropped <= 3 && dropped <= bytes.size(); ++dropped) {
    if (auto text = charsetToUtf8(charset, bytes.substr(0, bytes.size() - dropped), system)) {
      return text;
    }
  }
  return std::nullopt;
}

// Encoded words with nothing but blanks between them.
class WordRun {
 public:
  WordRun(std::string_view value, const platform::TextConversion* system)
      : value_(value), system_(system) {}

  bool empty() const { return words_.empty(); }
  void add(EncodedWord word) { words_.push_back(std::move(word)); }

  // The run as text at the end of `out`, then empty again.
  void flushInto(std::string& out) {
    for (std::size_t first = 0; first < words_.size();) {
      std::size_t last = first + 1;
      while (last < words_.size() &&
             base::equalsIgnoreCase(words_[last].charset, words_[first].charset)) {
        ++last;
      }
      if (isUtf8Name(words_[first].charset)) {
        appendUtf8Group(out, first, last);
      } else {
        appendGroup(out, first, last);
      }
      first = last;
    }
    words_.clear();
    previousLiteral_ = false;
  }

 private:
  std::optional<std::string> decoded(std::size_t first, std::size_t last) const {
    std::string bytes;
    for (std::size_t i = first; i < last; ++i) bytes += words_[i].bytes;
    const std::string_view charset = words_[first].charset;
    if (words_[last - 1].open) return cutBytesToUtf8(charset, bytes, system_);
    return charsetToUtf8(charset, bytes, system_);
  }

  // Words [first, last) in UTF-8: those well-formed together are read together (a character may
  // be split between them), and a word holding a byte that starts no well-formed sequence alone,
  // so that only that word is read as Windows-1252.
  void appendUtf8Group(std::string& out, std::size_t first, std::size_t last) {
    std::string bytes;
    std::vector<std::size_t> starts;
    for (std::size_t i = first; i < last; ++i) {
      starts.push_back(bytes.size());
      bytes += words_[i].bytes;
    }
    std::string_view joined = bytes;
    if (words_[last - 1].open) joined = withoutCutSequence(joined);
    std::vector<bool> alone(last - first, false);
    for (std::size_t at = 0; at < joined.size();) {
      const CodePoint point = codePointAt(joined, at);
      if (point.length == 1 && point.value == kReplacementCharacter) {
        const auto holder = std::upper_bound(starts.begin(), starts.end(), at) - starts.begin() - 1;
        alone[static_cast<std::size_t>(holder)] = true;
      }
      at += point.length;
    }
    std::size_t runBegin = first;
    for (std::size_t i = first; i < last; ++i) {
      if (!alone[i - first]) continue;
      if (runBegin < i) appendGroup(out, runBegin, i);
      appendGroup(out, i, i + 1);
      runBegin = i + 1;
    }
    if (runBegin < last) appendGroup(out, runBegin, last);
  }

  // Words [first, last) in one set: read together, or else one by one.
  void appendGroup(std::string& out, std::size_t first, std::size_t last) {
    if (auto text = decoded(first, last)) {
      appendDecoded(out, first, *text, words_[last - 1].open);
      return;
    }
    for (std::size_t i = first; i < last; ++i) {
      if (auto text = last - first > 1 ? decoded(i, i + 1) : std::nullopt) {
        appendDecoded(out, i, *text, words_[i].open);
      } else if (words_[i].open) {
        appendDecoded(out, i, "", true);
      } else {
        // A word that stays as written keeps the blanks around it.
        if (i > 0) out += gapBefore(i);
        out += value_.substr(words_[i].begin, words_[i].end - words_[i].begin);
        previousLiteral_ = true;
      }
    }
  }

  void appendDecoded(std::string& out, std::size_t word, std::string_view text, bool open) {
    if (previousLiteral_) out += gapBefore(word);
    out += text;
    if (open) appendUtf8(out, kEllipsis);
    previousLiteral_ = false;
  }

  std::string_view gapBefore(std::size_t word) const {
    const std::size_t from = words_[word - 1].end;
    return value_.substr(from, words_[word].begin - from);
  }

  std::string_view value_;
  const platform::TextConversion* system_;
  std::vector<EncodedWord> words_;
  bool previousLiteral_ = false;
};

}  // namespace

std::size_t encodedWordEnd(std::string_view value, std::size_t at) {
  if (value.substr(at, 2) != "=?") return std::string_view::npos;
  const auto word = wordSyntaxAt(value, at, false);
  return word ? word->end : std::string_view::npos;
}

std::string decodeHeaderText(std::string_view value, const platform::TextConversion* system,
                             bool cut) {
  if (cut) value = withoutCutSequence(value);
  const bool rawIsUtf8 = isValidUtf8(value);
  const auto appendRaw = [rawIsUtf8](std::string& out, std::string_view bytes) {
    out += rawIsUtf8 ? std::string(bytes) : windows1252ToUtf8(bytes);
  };
  std::string out;
  WordRun run(value, system);
  std::size_t textBegin = 0;
  for (std::size_t at = value.find("=?"); at != std::string_view::npos; at = value.find("=?", at)) {
    auto word = encodedWordAt(value, at, cut);
    if (!word) {
      ++at;
      continue;
    }
    const std::string_view between = value.substr(textBegin, at - textBegin);
    if (run.empty() || !isHeaderBlankText(between)) {
      run.flushInto(out);
      appendRaw(out, between);
    }
    textBegin = at = word->end;
    run.add(std::move(*word));
  }
  run.flushInto(out);
  appendRaw(out, value.substr(textBegin));
  return out;
}

}  // namespace vantrel::mailtext
