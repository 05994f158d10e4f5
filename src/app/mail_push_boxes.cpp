// Push's boxes and its question, each shown on a free turn: no check running, no other box of
// push's open. They are the check's own, told once as the check tells them.

#include "app/app_constants.h"
#include "app/mail_push.h"
#include "app/main_form.h"
#include "app/password_question.h"
#include "app/passwords.h"
#include "app/server_words.h"

namespace vantrel::app {

void MailPush::tellSecureFailure(const std::string& key) {
  boxes_.push_back([this, key] {
    const auto found = pushed_.find(key);
    if (found == pushed_.end() || found->second.status.state != PushState::Stopped) return;
    // Once per account until the configuration is confirmed, whether the check or push met it.
    if (!form_.mailWatch.secureFailureTold.insert(key).second) return;
    const auto& texts = form_.langTexts;
    const auto& why = found->second.status.why;
    const auto text =
        replacePlaceholder(replacePlaceholder(texts.msgMailSecureFailed, kPlaceholderHost,
                                              found->second.account.server),
                           kPlaceholderReason, tlsRefusalText(texts, why.refusal, why.detail));
    platform_.dialogs.messageBox(platform_.desktop.desktopWindow(), text, APP_NAME,
                                 platform::MbIconError | platform::MbSetForeground);
  });
  takeTurnLater();
}

void MailPush::tellAlerts(const std::string& key, std::vector<std::string> alerts) {
  if (alerts.empty()) return;
  const auto found = pushed_.find(key);
  if (found == pushed_.end()) return;
  boxes_.push_back([this, key, account = found->second.account, alerts = std::move(alerts)] {
    if (!form_.mailWatch.alertTold.insert(key).second) return;
    // Each alert one clean line: a server's bytes make no fake lines and reorder nothing.
    std::string said;
    for (const auto& alert : alerts) {
      const auto words = serverWords(alert);
      if (!words.empty()) said += (said.empty() ? "" : "\n") + words;
    }
    const auto& texts = form_.langTexts;
    const auto text = quotingServer(
        replacePlaceholder(
            replacePlaceholder(texts.msgMailServerAlert, kPlaceholderAccount, account.accountName),
            kPlaceholderHost, account.server),
        kPlaceholderReason, said);
    platform_.dialogs.messageBoxWithServerWords(platform_.desktop.desktopWindow(), text, APP_NAME,
                                                platform::MbIconError | platform::MbSetForeground);
  });
  takeTurnLater();
}

void MailPush::askPassword(const std::string& key, bool alerted) {
  pushed_[key].questionDue = true;
  boxes_.push_back([this, key, alerted] {
    const auto found = pushed_.find(key);
    if (found == pushed_.end() || !found->second.questionDue) return;
    found->second.questionDue = false;
    // The boxes let messages flow: the account may have gone meanwhile.
    const auto account = found->second.account;
    const auto typed =
        askNewPassword(platform_, form_.langTexts, account.server, account.userName, alerted);
    if (!typed) return;
    writePassword(*form_.iniFile, account.passwordKey, *typed,
                  {account.server, account.userName, account.keyPath});
    // The new password starts the account's push again.
    accountsMayHaveChanged();
  });
  takeTurnLater();
}

}  // namespace vantrel::app
