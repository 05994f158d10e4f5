// The periodic mail check: every chosen account of the identities to check is asked for its
// message count (POP3) or its unread messages (IMAP), and new mail shows in the tray icon, its tip,
// a sound and the notification window.

#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "app/account_results.h"
#include "app/accounts.h"
#include "app/app_constants.h"
#include "app/checked_accounts.h"
#include "app/identities.h"
#include "app/lang_texts.h"
#include "app/mail_findings.h"
#include "app/main_form.h"
#include "app/message_lines.h"
#include "app/password_question.h"
#include "app/passwords.h"
#include "app/server_words.h"
#include "base/scope_exit.h"
#include "net/errors.h"

namespace vantrel::app {
namespace {

// Without a network: the account's last count stands, as if read again.
AccountResult lastCountStands(MailWatch& watch, const std::string& accountKey) {
  AccountResult result;
  result.outcome = CheckOutcome::NoNetwork;
  const auto last = watch.results.find(accountKey);
  if (last != watch.results.end()) result.count = last->second.count;
  watch.accountCounted = true;
  watch.accountCount = result.count;
  watch.newMailTotal = saturatedSum(watch.newMailTotal, result.count);
  return result;
}

}  // namespace

void TMainForm::timerMailTimer() {
  // Messages flow while a client waits: a tick that comes meanwhile (the configuration confirmed in
  // the middle of a check) would reset the total and reuse the component under the running check.
  if (mailWatch.checking) return;
  // Nor inside a question of push's: it comes once that is answered.
  if (mailPush.asking()) {
    mailPush.checkWhenFree();
    return;
  }
  const bool asked = std::exchange(mailWatch.asked, false);
  mailWatch.checking = true;
  const base::ScopeExit running([this] { mailWatch.checking = false; });
  auto& registry = platform_.registry;
  auto& loop = platform_.loop;

  const auto identities = identitiesToCheck(registry, tabMail.checkVerifyAllId.checked);
  mailWatch.previousTotal = mailWatch.newMailTotal;
  mailWatch.newMailTotal = 0;
  // Lines only the window shows: without it, or without them, no server hears a word more.
  mailWatch.messageLines = tabMail.checkMailPreview.checked && tabMail.checkMailWindow.checked;
  if (!mailWatch.messageLines) mailWatch.messagesByAccount.clear();
  // The count's own search names the newest messages too: no second one for their lines.
  imap.NewestWanted = mailWatch.messageLines ? kNewestMessages : 0;
  timerMail.setEnabled(false);
  // Built aside: the window shows the last check's rows until this one's replace them at once.
  std::vector<IdentityFound> found;
  bool withoutNetwork = false;
  for (const auto& identity : identities) {
    if (loop.quitting()) break;
    IdentityFound identityFound{identity.guid, identity.userName, {}};
    for (auto& account : accountsToCheck(registry, *iniFile, identity)) {
      // The program is ending: no more servers, and no more boxes about them.
      if (loop.quitting()) break;
      mailWatch.currentPassKey = account.passwordKey;
      mailWatch.currentAccountKey = account.keyPath;
      mailWatch.currentAccountName = account.accountName;
      // Without a network no server can answer, and nobody is asked anything: the account keeps
      // its last count until the network is back.
      const bool offline = !platform_.network.connected();
      withoutNetwork = withoutNetwork || offline;
      if (account.password.empty() && account.ownerChanged && !offline) {
        account.password =
            askPasswordForNewServer(account.accountName, account.passwordKey,
                                    {account.server, account.userName, account.keyPath});
        // A password just typed has gone nowhere yet, and is this account's own.
        account.passwordOverTlsOnly = account.passwordUnbound = false;
      }
      net::TMailClient& client =
          account.kind == AccountKind::Imap ? static_cast<net::TMailClient&>(imap) : pop;
      client.Host = account.server;
      client.Port = account.port;
      // Set before every Connect, also the one a refused password leads to: a secure account's
      // password never leaves the machine but over a validated TLS connection.
      client.Secure = account.secure;
      client.PasswordOverTlsOnly = account.passwordOverTlsOnly;
      client.UserID = account.userName;
      client.Password = account.password;
      mailWatch.bindOnLogin = account.passwordUnbound;
      mailWatch.accountCount = 0;
      mailWatch.accountCounted = false;
      // The client would refuse to start without them; the tab tells which is missing.
      AccountResult result;
      if (offline) {
        result = lastCountStands(mailWatch, account.keyPath);
      } else if (account.password.empty()) {
        result.outcome =
            account.ownerChanged ? CheckOutcome::ServerChanged : CheckOutcome::NoPassword;
      } else if (account.userName.empty()) {
        result.outcome = CheckOutcome::NoUserName;
      } else {
        result = connectMailClient(client);
      }
      result.at = loop.localTime();
      // The user who asked learns of every account that could not be read.
      if (asked && result.outcome != CheckOutcome::Counted) {
        identityFound.accounts.push_back({account.accountName, 0, {}, result});
      }
      mailWatch.results[account.keyPath] = std::move(result);
      showAccountResult();
      if (visible()) changed();
      if (account.kind == AccountKind::Imap)
        mailServerAlert(account.accountName, imap.TakeAlerts());
      // Whatever this account showed is no longer known: its next count is news.
      if (!mailWatch.accountCounted) mailWatch.messagesByAccount.erase(account.keyPath);
      // The client's OnConnect adds only a count that was read, also one made by the re-login
      // of a refused password, after which the first connection fails.
      if (mailWatch.accountCount > 0) {
        const auto remembered = mailWatch.messagesByAccount.find(account.keyPath);
        identityFound.accounts.push_back({account.accountName, mailWatch.accountCount,
                                          remembered == mailWatch.messagesByAccount.end()
                                              ? std::vector<MessageLine>{}
                                              : remembered->second.lines,
                                          std::nullopt});
      }
    }
    if (!identityFound.accounts.empty()) found.push_back(std::move(identityFound));
  }
  mailWatch.found = std::move(found);
  if (NotifyWindowForm) {
    NotifyWindowForm->replaceTree(notifyTree(mailWatch.found, langTexts, platform_.textConversion));
  }
  // The configuration may have been opened, or mail checking switched off, while this check ran.
  timerMail.setEnabled(!tabMail.checkNoMail.checked && !visible());
  if (loop.quitting()) return;
  announceNewMail(asked);
  mailPush.checkEnded(withoutNetwork);
}

void TMainForm::announceNewMail(bool asked) {
  auto& shell = platform_.shell;
  const std::int32_t total = mailWatch.newMailTotal;
  const bool news = total > 0 && total != mailWatch.previousTotal;
  if (news) {
    trayIconSetCountIcon(shell, tray.trayIcon, pictures.mail[3], pictures.newMail, total);
    mailWatch.tipTotal = total;
    mailWatch.tipIdentities = identitiesWithMail(mailWatch.found);
    trayIconSetTip(shell, tray.trayIcon,
                   newMailTip(langTexts, mailWatch.tipTotal, mailWatch.tipIdentities));
    if (tabMail.checkMailSound.checked) shell.playMailSound();
  } else if (tray.trayIcon.countIcon) {
    // Nothing to announce, yet a number on the icon says this total: none at 0.
    trayIconSetCountIcon(shell, tray.trayIcon, pictures.mail[3], pictures.newMail, total);
  }
  if (!news && !asked) return;
  const std::string caption = notifyCaption(notifyWindowTitle, langTexts, total);
  if (tabMail.checkMailWindow.checked && NotifyWindowForm) {
    mailWatch.captionTotal = total;
    NotifyWindowForm->showAtCorner(caption);
  } else if (asked) {
    shell.showBalloon(
        tray.trayIcon.data,
        checkBalloon(caption, notifyTree(mailWatch.found, langTexts, platform_.textConversion),
                     platform_.textConversion));
  }
}

AccountResult TMainForm::connectMailClient(net::TMailClient& client) {
  mailWatch.newPasswordUntried = false;
  mailWatch.accountCounted = false;
  mailWatch.failureSigns = {};
  std::exception_ptr failure;
  bool connectionLost = false;
  try {
    client.Connect();
  } catch (const net::ETlsError& error) {
    failure = std::current_exception();
    secureConnectionFailed(client.Host, error);
  } catch (const net::ESockError&) {
    failure = std::current_exception();
    connectionLost = true;
  } catch (const std::exception&) {
    failure = std::current_exception();
  }
  // A server that hung up after refusing the password is noticed only when the new one is sent:
  // that password gets a connection of its own.
  if (connectionLost && mailWatch.newPasswordUntried && !platform_.loop.quitting()) {
    mailWatch.newPasswordUntried = false;
    mailWatch.failureSigns = {};
    failure = nullptr;
    try {
      client.Connect();
    } catch (const net::ETlsError& error) {
      failure = std::current_exception();
      secureConnectionFailed(client.Host, error);
    } catch (const std::exception&) {
      failure = std::current_exception();
    }
  }
  mailWatch.newPasswordUntried = false;

  AccountResult result;
  // A count read by the re-login of a refused password stands, though the first connection fails.
  if (!mailWatch.accountCounted && failure) {
    mailWatch.failureSigns.timedOut = client.TimedOut();
    result = failedCheck(failure, mailWatch.failureSigns);
  }
  result.count = mailWatch.accountCount;
  result.securedBy = client.SecuredBy();
  if (result.securedBy == platform::TlsEngine::System) {
    result.systemEngine = platform_.sockets.systemTlsEngineName();
  }
  return result;
}

void TMainForm::popConnect(net::TAsyncSocket&) {
  mailClientConnect(
      pop, pop.MessageCount(), [this] { return pop.Uidl(pop.MessageCount()); },
      [this](int newest) { return pop.RetrieveSummaries(newest); });
}

void TMainForm::imapConnect(net::TAsyncSocket&) {
  mailClientConnect(
      imap, imap.UnseenCount(), [this] { return imap.NewestMark(); },
      [this](int newest) { return imap.RetrieveUnseenSummaries(newest); });
}

void TMainForm::mailClientConnect(net::TMailClient& client, std::int32_t count,
                                  const NewestMark& mark, const RetrieveSummaries& retrieve) {
  // Only a login that sent the password tells anything of it: one the server let in without it
  // (IMAP's PREAUTH) has not checked it, nor put it on the wire.
  if (client.PasswordSent()) {
    // A password of an earlier version that the server took is this account's from now on.
    if (mailWatch.bindOnLogin) {
      mailWatch.bindOnLogin = false;
      bindPassword(*iniFile, mailWatch.currentPassKey,
                   {client.Host, client.UserID, mailWatch.currentAccountKey});
    }
    passwordWentOut(client);
  }
  // After a STAT that failed the POP3 client has already hung up, and its count is still that of
  // an earlier mailbox: only a connection still open has just counted this one.
  if (!client.Connected()) return;
  mailWatch.accountCounted = true;
  if (count > 0) {
    mailWatch.newMailTotal = saturatedSum(mailWatch.newMailTotal, count);
    mailWatch.accountCount = saturatedSum(mailWatch.accountCount, count);
  }
  if (mailWatch.messageLines) readMessageLines(count, mark, retrieve);
  try {
    client.Disconnect();
  } catch (const std::exception&) {
    // A refused goodbye changes nothing about the count; the connection is closed all the same.
  }
}

void TMainForm::readMessageLines(std::int32_t count, const NewestMark& newestMark,
                                 const RetrieveSummaries& retrieve) {
  const std::string key = mailWatch.currentAccountKey;  // the server's answers let messages flow
  const bool asking = count > 0 && !platform_.loop.quitting();
  AccountMessages found{count, asking ? newestMark() : std::string(), {}};
  const auto remembered = mailWatch.messagesByAccount.find(key);
  if (remembered != mailWatch.messagesByAccount.end() && remembered->second.count == count &&
      remembered->second.mark == found.mark && remembered->second.whole()) {
    return;
  }
  // The client gives what it got before any failure of the server's, and raises nothing for it:
  // lines read in part show this time and are read again at the next check.
  if (asking && !platform_.loop.quitting()) {
    for (const auto& summary : retrieve(kNewestMessages)) {
      found.lines.push_back(messageLineOf(summary, platform_.textConversion));
    }
  }
  mailWatch.messagesByAccount[key] = std::move(found);
}

void TMainForm::popInvalidHost(bool& handled) {
  mailClientInvalidHost(pop, handled);
}

void TMainForm::imapInvalidHost(bool& handled) {
  mailClientInvalidHost(imap, handled);
}

void TMainForm::mailClientInvalidHost(const net::TMailClient& client, bool& handled) {
  handled = false;
  mailWatch.failureSigns.hostNotFound = true;
  if (platform_.loop.quitting()) return;
  platform_.dialogs.messageBox(
      platform_.desktop.desktopWindow(),
      replacePlaceholder(langTexts.msgMailInvalidHost, kPlaceholderHost, client.Host), APP_NAME,
      platform::MbIconError | platform::MbSetForeground);
}

void TMainForm::popConnectionFailed(net::TAsyncSocket&) {
  mailClientConnectionFailed(pop);
}

void TMainForm::imapConnectionFailed(net::TAsyncSocket&) {
  mailClientConnectionFailed(imap);
}

void TMainForm::mailClientConnectionFailed(const net::TMailClient& client) {
  mailWatch.failureSigns.connectionFailed = true;
  if (platform_.loop.quitting()) return;
  platform_.dialogs.messageBox(platform_.desktop.desktopWindow(),
                               langTexts.msgMailConnectionFailed + client.Host, APP_NAME,
                               platform::MbIconError | platform::MbSetForeground);
}

void TMainForm::secureConnectionFailed(const std::string& host, const net::ETlsError& error) {
  if (platform_.loop.quitting()) return;
  // A home server with a certificate Windows does not trust would otherwise raise it every check.
  if (!mailWatch.secureFailureTold.insert(mailWatch.currentAccountKey).second) return;
  const auto text = replacePlaceholder(
      replacePlaceholder(langTexts.msgMailSecureFailed, kPlaceholderHost, host), kPlaceholderReason,
      tlsRefusalText(langTexts, error.Refusal(), error.Reason()));
  platform_.dialogs.messageBox(platform_.desktop.desktopWindow(), text, APP_NAME,
                               platform::MbIconError | platform::MbSetForeground);
}

std::string TMainForm::askPasswordForNewServer(const std::string& accountName,
                                               const std::string& key, const PasswordOwner& owner) {
  if (platform_.loop.quitting() || !mailWatch.passwordAskedAgain.insert(owner.account).second) {
    return {};
  }
  const auto typed = platform_.dialogs.inputQuery(
      APP_NAME, std::string(kAskPasswordPrompt) + accountName, "", true);
  // Cancel keeps what is stored, and the tab goes on saying that the server has changed.
  if (!typed || typed->empty()) return {};
  writePassword(*iniFile, key, *typed, owner);
  return *typed;
}

void TMainForm::mailServerAlert(const std::string& accountName,
                                const std::vector<std::string>& alerts) {
  if (alerts.empty() || platform_.loop.quitting()) return;
  if (!mailWatch.alertTold.insert(mailWatch.currentAccountKey).second) return;
  // Each alert one clean line: a server's bytes make no fake lines and reorder nothing.
  std::string said;
  for (const auto& alert : alerts) {
    const auto words = serverWords(alert);
    if (!words.empty()) said += (said.empty() ? "" : "\n") + words;
  }
  const auto text = quotingServer(
      replacePlaceholder(
          replacePlaceholder(langTexts.msgMailServerAlert, kPlaceholderAccount, accountName),
          kPlaceholderHost, imap.Host),
      kPlaceholderReason, said);
  platform_.dialogs.messageBoxWithServerWords(platform_.desktop.desktopWindow(), text, APP_NAME,
                                              platform::MbIconError | platform::MbSetForeground);
}

void TMainForm::popAuthenticationFailed(bool& handled) {
  mailClientAuthenticationFailed(pop, handled, false);
}

void TMainForm::imapAuthenticationFailed(bool& handled) {
  // The user reads what the server says before the question it may lead to.
  const bool alerted = imap.LoginRefusedWithAlert();
  if (alerted) mailServerAlert(mailWatch.currentAccountName, imap.TakeAlerts());
  mailClientAuthenticationFailed(imap, handled, alerted);
}

void TMainForm::passwordWentOut(const net::TMailClient& client) {
  if (client.SecuredBy() != platform::TlsEngine::None) {
    markPasswordSentOverTls(*iniFile, mailWatch.currentPassKey);
  }
}

void TMainForm::mailClientAuthenticationFailed(net::TMailClient& client, bool& handled,
                                               bool alerted) {
  handled = false;
  // Refused or not, a password that went over TLS never goes in clear text again.
  if (client.PasswordSent()) passwordWentOut(client);
  if (platform_.loop.quitting()) return;
  const auto typed = askNewPassword(platform_, langTexts, client.Host, client.UserID, alerted);
  if (!typed) return;
  client.Password = *typed;
  writePassword(*iniFile, mailWatch.currentPassKey, client.Password,
                {client.Host, client.UserID, mailWatch.currentAccountKey});
  client.PasswordOverTlsOnly = false;
  mailWatch.bindOnLogin = false;
  if (platform_.loop.quitting()) return;
  if (client.Connected()) {
    mailWatch.newPasswordUntried = true;
  } else {
    client.Connect();
  }
  handled = true;
}

}  // namespace vantrel::app
