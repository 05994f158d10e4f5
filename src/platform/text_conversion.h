#pragma once
// Text in the character sets the program has no table of its own for (Shift_JIS, GBK, Big5,
// EUC-KR, ISO-2022-JP...), and in the system's own, read by the system.

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
  // A name as Windows gives it (the registry's, a window's), in the system's own code page, as
  // UTF-8; nothing when the system cannot tell.
  virtual std::optional<std::string> systemToUtf8(std::string_view bytes) const = 0;
};

}  // namespace vantrel::platform
