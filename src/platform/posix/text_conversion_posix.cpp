#include "platform/posix/text_conversion_posix.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace vantrel::platform::posix {

namespace {

constexpr std::size_t kMaxCharsetName = 64;

// iconv reads options after '/' in a name: only plain names are passed on.
bool isPlainName(std::string_view charset) {
  if (charset.empty() || charset.size() > kMaxCharsetName) return false;
  for (const char c : charset) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == ':' || c == '+';
    if (!plain) return false;
  }
  return true;
}

struct IconvCloser {
  void operator()(iconv_t converter) const { iconv_close(converter); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::optional<std::string> IconvTextConversion::toUtf8(std::string_view charset,
                                                       std::string_view bytes) const {
  if (!isPlainName(charset)) return std::nullopt;
  const std::string name(charset);
  const iconv_t opened = iconv_open("UTF-8", name.c_str());
  if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const Converter converter(opened);

  std::vector<char> input(bytes.begin(), bytes.end());
  char* in = input.data();
  std::size_t inLeft = input.size();
  std::string out;
  std::vector<char> buffer(4 * bytes.size() + 16);
  // The last round, with no input, lets a shifting set (ISO-2022-JP) finish its state.
  for (bool flushing = false;;) {
    char* next = buffer.data();
    std::size_t room = buffer.size();
    const std::size_t done = flushing ? iconv(converter.get(), nullptr, nullptr, &next, &room)
                                      : iconv(converter.get(), &in, &inLeft, &next, &room);
    out.append(buffer.data(), next);
    if (done == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG) return std::nullopt;  // EILSEQ, or EINVAL for a cut character
      continue;
    }
    if (flushing) return out;
    flushing = true;
  }
}

}  // namespace vantrel::platform::posix
