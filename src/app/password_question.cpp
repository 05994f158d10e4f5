#include "app/password_question.h"

#include "app/app_constants.h"

namespace vantrel::app {

std::optional<std::string> askNewPassword(platform::Platform& platform, const TLangTexts& texts,
                                          const std::string& host, const std::string& user,
                                          bool alerted) {
  const auto text = replacePlaceholder(
      replacePlaceholder(texts.msgMailBadPass, kPlaceholderHost, host), kPlaceholderLogin, user);
  const auto answer = platform.dialogs.messageBox(
      platform.desktop.desktopWindow(), text, APP_NAME,
      platform::MbYesNo | platform::MbIconQuestion | platform::MbSetForeground);
  if (answer != platform::IdYes) return std::nullopt;
  auto typed = platform.dialogs.inputQuery(APP_NAME, texts.msgMailBadPassRetry, "", true);
  if (alerted && (!typed || typed->empty())) return std::nullopt;
  return typed.value_or("");
}

}  // namespace vantrel::app
