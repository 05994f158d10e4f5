#pragma once
// Scripted dialogs: each answers from a queue the test filled and records what it showed.
// A dialog may stay open for some virtual time, during which the program's timers fire.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/standin/standin_event_loop.h"

namespace vantrel::platform::standin {

struct ShownDialog {
  enum class Kind { MessageBox, OpenFile, InputQuery } kind;
  WindowHandle owner = kNoWindow;
  std::string text;     // message, or the input prompt
  std::string caption;  // caption, or the open dialog's title
  std::uint32_t flags = 0;
  OpenFileRequest request;
  bool password = false;     // an input query that hides what is typed
  bool serverWords = false;  // a box whose text is UTF-8: it quotes a server's words
};

class StandinDialogs : public Dialogs {
 public:
  explicit StandinDialogs(StandinEventLoop& loop) : loop_(loop) {}

  // Answers in order; an unanswered message box gives its first button, an open dialog cancels.
  void answerMessageBox(std::int32_t result, std::uint64_t openForMs = 0) {
    boxAnswers_.push_back({result, openForMs});
  }
  void answerOpenFile(std::optional<std::string> path) { fileAnswers_.push_back(std::move(path)); }
  void answerInput(std::optional<std::string> text) { inputAnswers_.push_back(std::move(text)); }
  const std::vector<ShownDialog>& shown() const { return shown_; }
  std::vector<ShownDialog> messageBoxes() const;

  std::int32_t messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                          std::uint32_t flags) override;
  std::int32_t messageBoxWithServerWords(WindowHandle owner, std::string_view utf8Text,
                                         std::string_view caption, std::uint32_t flags) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  std::optional<std::string> inputQuery(std::string_view caption, std::string_view prompt,
                                        std::string_view initial, bool password) override;

 private:
  struct BoxAnswer {
    std::int32_t result;
    std::uint64_t openForMs;
  };
  StandinEventLoop& loop_;
  std::deque<BoxAnswer> boxAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<std::optional<std::string>> inputAnswers_;
  std::int32_t answerBox(ShownDialog box);

  std::vector<ShownDialog> shown_;
};

}  // namespace vantrel::platform::standin
