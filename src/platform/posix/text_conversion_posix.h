#pragma once
// Character sets read by the C library's iconv.

#include "platform/text_conversion.h"

namespace vantrel::platform::posix {

class IconvTextConversion final : public TextConversion {
 public:
  // Strict: a byte that is not text in the set, or a character cut at the end, gives nothing.
  std::optional<std::string> toUtf8(std::string_view charset,
                                    std::string_view bytes) const override;
  // Names here come from the tests' western Windows: Windows-1252.
  std::optional<std::string> systemToUtf8(std::string_view bytes) const override {
    return toUtf8("WINDOWS-1252", bytes);
  }
};

}  // namespace vantrel::platform::posix
