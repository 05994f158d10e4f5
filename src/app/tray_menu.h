#pragma once
// The tray menu's identities, with their hot keys, and its external programs.

#include <cstdint>

#include "platform/keys.h"

namespace vantrel::app {

class TMainForm;

inline constexpr std::int32_t kHotKeyBaseId = 49151;  // minus the identity's index
inline constexpr std::uint32_t kHotKeyModifiers = platform::kModControl | platform::kModShift;

void buildTrayProgsMenu(TMainForm& form);
void buildTrayIdentitiesMenu(TMainForm& form);

}  // namespace vantrel::app
