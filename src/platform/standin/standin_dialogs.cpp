#include "platform/standin/standin_dialogs.h"

namespace vantrel::platform::standin {

std::vector<ShownDialog> StandinDialogs::messageBoxes() const {
  std::vector<ShownDialog> boxes;
  for (const auto& d : shown_) {
    if (d.kind == ShownDialog::Kind::MessageBox) boxes.push_back(d);
  }
  return boxes;
}

std::int32_t StandinDialogs::messageBox(WindowHandle owner, std::string_view text,
                                        std::string_view caption, std::uint32_t flags) {
  return answerBox(
      {ShownDialog::Kind::MessageBox, owner, std::string(text), std::string(caption), flags, {}});
}

std::int32_t StandinDialogs::messageBoxWithServerWords(WindowHandle owner,
                                                       std::string_view utf8Text,
                                                       std::string_view caption,
                                                       std::uint32_t flags) {
  ShownDialog box{ShownDialog::Kind::MessageBox, owner, std::string(utf8Text),
                  std::string(caption),          flags, {}};
  box.serverWords = true;
  return answerBox(std::move(box));
}

std::int32_t StandinDialogs::answerBox(ShownDialog box) {
  const std::uint32_t flags = box.flags;
  shown_.push_back(std::move(box));
  BoxAnswer answer{(flags & MbYesNo) ? IdYes : IdOk, 0};
  if (!boxAnswers_.empty()) {
    answer = boxAnswers_.front();
    boxAnswers_.pop_front();
  }
  if (answer.openForMs > 0) loop_.runFor(answer.openForMs);  // a modal loop dispatches
  return answer.result;
}

std::optional<std::string> StandinDialogs::openFile(const OpenFileRequest& request) {
  shown_.push_back({ShownDialog::Kind::OpenFile, request.owner, {}, request.title, 0, request});
  if (fileAnswers_.empty()) return std::nullopt;
  auto answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

std::optional<std::string> StandinDialogs::inputQuery(std::string_view caption,
                                                      std::string_view prompt,
                                                      std::string_view initial, bool password) {
  shown_.push_back({ShownDialog::Kind::InputQuery,
                    kNoWindow,
                    std::string(prompt),
                    std::string(caption),
                    0,
                    {},
                    password});
  if (inputAnswers_.empty()) return std::string(initial);
  auto answer = inputAnswers_.front();
  inputAnswers_.pop_front();
  return answer;
}

}  // namespace vantrel::platform::standin
