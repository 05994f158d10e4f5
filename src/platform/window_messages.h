#pragma once
// Window messages and the values they carry, as the program posts and receives them.

#include <cstdint>

namespace vantrel::platform {

inline constexpr std::uint32_t kWmNull = 0x0000;
inline constexpr std::uint32_t kWmSysCommand = 0x0112;
inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uintptr_t kScClose = 0xF060;

// Mouse messages, as the tray icon's callback message carries them in its lParam.
inline constexpr std::intptr_t kWmLButtonUp = 0x0202;
inline constexpr std::intptr_t kWmLButtonDblClk = 0x0203;
inline constexpr std::intptr_t kWmRButtonUp = 0x0205;

// What WM_POWERBROADCAST tells in its wParam: sleep comes, and the computer woke (by itself,
// then again when a user is there).
inline constexpr std::uintptr_t kPbtApmSuspend = 4;
inline constexpr std::uintptr_t kPbtApmResumeSuspend = 7;
inline constexpr std::uintptr_t kPbtApmResumeAutomatic = 0x12;

}  // namespace vantrel::platform
