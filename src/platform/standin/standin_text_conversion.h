#pragma once
// The stand-in system knows no character set: words in sets without a built-in table stay as
// they are written, and names are taken as the program's own Windows-1252.

#include "platform/text_conversion.h"

namespace vantrel::platform::standin {

class StandinTextConversion final : public TextConversion {
 public:
  std::optional<std::string> toUtf8(std::string_view, std::string_view) const override {
    return std::nullopt;
  }
  std::optional<std::string> systemToUtf8(std::string_view) const override { return std::nullopt; }
};

}  // namespace vantrel::platform::standin
