#pragma once
// Character sets read by Windows' own code pages.

#include "platform/text_conversion.h"

namespace vantrel::platform::win32 {

class Win32TextConversion final : public TextConversion {
 public:
  // Nothing for a set without a code page on this system; where the code page can tell, nothing
  // for bytes that are not text in it either.
  std::optional<std::string> toUtf8(std::string_view charset,
                                    std::string_view bytes) const override;
  std::optional<std::string> systemToUtf8(std::string_view bytes) const override;
};

}  // namespace vantrel::platform::win32
