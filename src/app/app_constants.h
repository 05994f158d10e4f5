#pragma once
// The program's own names and addresses.

#include <cstdint>
#include <string_view>

#include "app/version.h"
#include "platform/window_messages.h"

namespace vantrel::app {

inline constexpr std::string_view APP_NAME = "Vantrel";
inline constexpr std::string_view APP_VERSION = VANTREL_VERSION_STRING;
inline constexpr std::string_view APP_COPYRIGHT = "\xA9 2002-2026 Korvane";
inline constexpr std::string_view APP_URL = "http://www.korvane.example/Korvane/Vantrel/";
inline constexpr std::string_view FAQ_URL = "http://www.oe-faq.example/";
inline constexpr std::string_view UPDATE_HOST = "www.korvane.example";

// The tray icon's callback message; it carries a mouse message in its lParam.
inline constexpr std::uint32_t WM_TRAYNOTIFY = platform::kWmUser + 1001;

// The class of Vantrel's own main window: with APP_NAME as its caption, a running copy is found by
// it.
inline constexpr std::string_view kVantrelWindowClass = "TMainForm";
inline constexpr std::string_view kConfigSwitch = "/config";

}  // namespace vantrel::app
