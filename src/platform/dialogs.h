#pragma once
// Modal dialogs. While one is open the program's timers and messages keep being dispatched.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/handles.h"

namespace vantrel::platform {

enum MessageBoxFlags : std::uint32_t {
  MbOk = 0x0,
  MbYesNo = 0x4,
  MbIconError = 0x10,
  MbIconQuestion = 0x20,
  MbIconInformation = 0x40,
  MbSetForeground = 0x10000,
};

enum DialogResult : std::int32_t { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

struct OpenFileRequest {
  WindowHandle owner = kNoWindow;
  std::string title;
  std::string fileName;       // initial file name
  std::string filter;         // "Description|pattern" pairs, empty for none
  std::string initialFolder;  // passed as it is, not expanded
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual std::int32_t messageBox(WindowHandle owner, std::string_view text,
                                  std::string_view caption, std::uint32_t flags) = 0;
  // The one exception to the program's Windows-1252: a box that quotes a server's words has its
  // text in UTF-8, the program's words converted and the server's cleaned (app/server_words.h),
  // so that no byte of the server's is read in the wrong character set. The caption is as above.
  virtual std::int32_t messageBoxWithServerWords(WindowHandle owner, std::string_view utf8Text,
                                                 std::string_view caption, std::uint32_t flags) = 0;
  // The chosen file's full path, or nothing when the user cancels.
  virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
  // A one-line text question; nothing when cancelled. A password's letters are not shown.
  virtual std::optional<std::string> inputQuery(std::string_view caption, std::string_view prompt,
                                                std::string_view initial, bool password) = 0;
};

}  // namespace vantrel::platform
