#pragma once
// Modal dialogs of Windows: message box, open-file dialog and a one-line question. Their modal
// loops keep dispatching the thread's messages, so the program's timers go on firing.

#include "platform/dialogs.h"

namespace vantrel::platform::win32 {

class Win32Dialogs : public Dialogs {
 public:
  std::int32_t messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                          std::uint32_t flags) override;
  std::int32_t messageBoxWithServerWords(WindowHandle owner, std::string_view utf8Text,
                                         std::string_view caption, std::uint32_t flags) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  // Owned by the thread's active window, if any, so that the window waits for the answer;
  // brought to the foreground, as a question from a program in the tray would go unseen.
  std::optional<std::string> inputQuery(std::string_view caption, std::string_view prompt,
                                        std::string_view initial, bool password) override;
};

}  // namespace vantrel::platform::win32
