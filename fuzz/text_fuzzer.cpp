// NthField, NthCharPos and parseInteger on any text, separator and count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/ini_file.h"
#include "net/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const char separator = static_cast<char>(data[0]);
  const int n = static_cast<std::int8_t>(data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  const std::string field = vantrel::net::NthField(text, separator, n);
  if (field.size() > text.size() || text.find(field) == std::string_view::npos) std::abort();
  const std::size_t pos = vantrel::net::NthCharPos(text, separator, n);
  if (pos < 1 || pos > text.size() + 1) std::abort();
  if (pos <= text.size() && text[pos - 1] != separator) std::abort();
  vantrel::base::parseInteger(text);
  return 0;
}
