#pragma once
// Text in the character sets the program has no table of its own for (Shift_JIS, GBK, Big5,
// EUC-KR, ISO-2022-JP...), read by the system.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::platform {

class TextConversion {
 public:
  virtual ~TextConversion() = default;
  // The bytes read in the named character set, as UTF-8. Nothing when the system does not know
  // the set, or when the bytes are not text in it and the system can tell.
  virtual std::optional<std::string> toUtf8(std::string_view charset,
                                            std::string_view bytes) const = 0;
};

}  // namespace vantrel::platform
