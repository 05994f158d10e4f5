#include "app/mail_push.h"

#include <algorithm>
#include <set>
#include <utility>

#include "app/account_results.h"
#include "app/main_form.h"
#include "app/passwords.h"
#include "net/retry_pause.h"

namespace vantrel::app {

bool MailPush::pushOn() const {
  return running_ && !suspended_ && form_.tabMail.checkMailPush.checked;
}

void MailPush::start() {
  stop();
  pushed_.clear();
  suspended_ = false;
  running_ = !form_.tabMail.checkNoMail.checked;
  if (!running_) return;
  watchNetwork();
  // Started without a network (at log-on, or the configuration confirmed offline), the watch
  // checks as soon as one comes, not an interval later.
  if (!platform_.network.connected()) waitForNetwork();
  openSessions(true);
}

void MailPush::stop() {
  running_ = false;
  for (auto& [key, pushed] : pushed_) close(pushed);
  boxes_.clear();
  checkDue_ = announceDue_ = false;
  if (turn_) platform_.loop.stopTimer(*std::exchange(turn_, std::nullopt));
  if (networkWatch_) platform_.network.unwatchChanges(*std::exchange(networkWatch_, std::nullopt));
  networkWait_.reset();
}

void MailPush::accountsMayHaveChanged() {
  if (running_ && !suspended_) openSessions(true);
}

void MailPush::checkEnded(bool withoutNetwork) {
  if (!running_) return;
  for (auto& [key, pushed] : pushed_) {
    // The check has just asked about the same refused password.
    const auto result = form_.mailWatch.results.find(key);
    if (result != form_.mailWatch.results.end() &&
        result->second.outcome == CheckOutcome::PasswordRefused) {
      pushed.questionDue = false;
    }
  }
  if (withoutNetwork) waitForNetwork();
  // Another identity now, or a new password typed in the check's question.
  const auto identities =
      identitiesToCheck(platform_.registry, form_.tabMail.checkVerifyAllId.checked);
  std::vector<std::string> guids;
  for (const auto& identity : identities) guids.push_back(identity.guid);
  if (!suspended_) openSessions(guids != lookedAt_);
  takeTurnLater();
}

std::optional<ResultLine> MailPush::lineFor(const std::string& keyPath) const {
  const auto found = pushed_.find(keyPath);
  if (found == pushed_.end()) return std::nullopt;
  return pushStatusText(form_.langTexts, found->second.status);
}

void MailPush::openSessions(bool newAccounts) {
  auto& registry = platform_.registry;
  std::set<std::string> wanted;
  lookedAt_.clear();
  for (const auto& identity : identitiesToCheck(registry, form_.tabMail.checkVerifyAllId.checked)) {
    lookedAt_.push_back(identity.guid);
    if (!pushOn()) continue;
    for (auto& account : accountsToCheck(registry, *form_.iniFile, identity)) {
      // Without a password it may send, the check says why; push has nothing to add.
      if (account.kind != AccountKind::Imap || account.password.empty() ||
          account.userName.empty()) {
        continue;
      }
      wanted.insert(account.keyPath);
      const auto found = pushed_.find(account.keyPath);
      if (found == pushed_.end() && !newAccounts) continue;
      auto& pushed = pushed_[account.keyPath];
      const bool newPassword = pushed.account.password != account.password;
      const auto state = pushed.status.state;
      const bool waiting = pushed.session || pushed.retry || state == PushState::Stopped ||
                           state == PushState::WithoutIdle;
      if (found != pushed_.end() && waiting && !newPassword) continue;
      const std::string key = account.keyPath;
      pushed.account = std::move(account);
      open(key, pushed);
    }
  }
  for (auto at = pushed_.begin(); at != pushed_.end();) {
    if (wanted.contains(at->first)) {
      ++at;
      continue;
    }
    close(at->second);
    at = pushed_.erase(at);
  }
  statusChanged();
}

void MailPush::open(const std::string& key, Pushed& pushed) {
  close(pushed);
  pushed.questionDue = false;
  pushed.idleSinceMs.reset();
  if (!platform_.network.connected()) {
    pushed.status = {PushState::NoNetwork, {}, {}};
    waitForNetwork();
    return;
  }
  pushed.status = {PushState::Opening, {}, {}};
  const auto& account = pushed.account;
  net::ImapPushSession::Account session;
  session.host = account.server;
  session.port = static_cast<std::uint16_t>(account.port);
  session.secure = account.secure;
  session.user = account.userName;
  session.password = account.password;
  session.knownSecure = form_.secureServers.contains(account.server, account.port);
  session.passwordOnlyOverTls = account.passwordOverTlsOnly;
  // Lines only the window shows, as the check reads them.
  pushed.lines = form_.tabMail.checkMailPreview.checked && form_.tabMail.checkMailWindow.checked;
  session.summaries = pushed.lines ? kNewestMessages : 0;
  pushed.session = std::make_unique<net::ImapPushSession>(
      platform_.loop, platform_.sockets, std::move(session),
      net::ImapPushSession::Timing{kMailTimeOutMs, kRenewMs},
      net::ImapPushSession::Handlers{
          [this, key](const net::ImapPushSession::Count& count) { counted(key, count); },
          [this, key] { idling(key); },
          [this, key](const net::ImapPushSession::End& end) { ended(key, end); }});
}

void MailPush::close(Pushed& pushed) {
  if (pushed.retry) platform_.loop.stopTimer(*std::exchange(pushed.retry, std::nullopt));
  // LOGOUT goes out, nothing is waited for.
  pushed.session.reset();
}

void MailPush::passwordWentOut(Pushed& pushed) {
  auto& session = *pushed.session;
  auto& account = pushed.account;
  if (session.tlsSeen()) form_.secureServers.add(account.server, account.port);
  if (!session.passwordSent()) return;
  const PasswordOwner owner{account.server, account.userName, account.keyPath};
  // A password of an earlier version that the server took is this account's from now on.
  if (account.passwordUnbound) {
    account.passwordUnbound = false;
    bindPassword(*form_.iniFile, account.passwordKey, owner);
  }
  if (session.securedBy() != platform::TlsEngine::None && !account.passwordOverTlsOnly) {
    account.passwordOverTlsOnly = true;
    markPasswordSentOverTls(*form_.iniFile, account.passwordKey);
  }
}

void MailPush::counted(const std::string& key, const net::ImapPushSession::Count& count) {
  const auto found = pushed_.find(key);
  if (found == pushed_.end() || !found->second.session) return;
  auto& pushed = found->second;
  passwordWentOut(pushed);
  AccountResult result;
  result.at = platform_.loop.localTime();
  result.count = count.unseen;
  result.securedBy = pushed.session->securedBy();
  if (result.securedBy == platform::TlsEngine::System) {
    result.systemEngine = platform_.sockets.systemTlsEngineName();
  }
  form_.mailWatch.results[key] = std::move(result);
  if (pushed.lines) {
    AccountMessages messages{count.unseen, {}, {}};
    for (const auto& summary : count.summaries) {
      messages.lines.push_back(messageLineOf(summary, platform_.textConversion));
    }
    form_.mailWatch.messagesByAccount[key] = std::move(messages);
  }
  tellAlerts(key, pushed.session->takeAlerts());
  announceDue_ = true;
  takeTurnLater();
  statusChanged();
}

void MailPush::idling(const std::string& key) {
  const auto found = pushed_.find(key);
  if (found == pushed_.end() || !found->second.session) return;
  auto& pushed = found->second;
  // Renewals and changes leave it waiting since it first did.
  if (pushed.status.state == PushState::Idling) return;
  auto& loop = platform_.loop;
  pushed.status = {PushState::Idling, loop.localTime(), {}};
  pushed.idleSinceMs = loop.nowMs();
  statusChanged();
}

void MailPush::ended(const std::string& key, const net::ImapPushSession::End& end) {
  using Reason = net::ImapPushSession::EndReason;
  const auto found = pushed_.find(key);
  if (found == pushed_.end() || !found->second.session) return;
  auto& pushed = found->second;
  passwordWentOut(pushed);
  // The user reads what the server says before the question it may lead to.
  tellAlerts(key, pushed.session->takeAlerts());
  pushed.session.reset();
  switch (end.reason) {
    case Reason::Dropped:
      retryLater(key, pushed, endedPush(end));
      break;
    case Reason::ServerRefused:
      // An alert may be a provider asking for another password, as the check takes it.
      if (end.code == "ALERT") {
        AccountResult refused;
        refused.outcome = CheckOutcome::PasswordRefused;
        pushed.status = {PushState::Stopped, {}, std::move(refused)};
        askPassword(key, true);
      } else {
        retryLater(key, pushed, endedPush(end));
      }
      break;
    case Reason::PasswordRefused:
      pushed.status = {PushState::Stopped, {}, endedPush(end)};
      askPassword(key, false);
      break;
    case Reason::SecureRefused:
      pushed.status = {PushState::Stopped, {}, endedPush(end)};
      tellSecureFailure(key);
      break;
    case Reason::NoIdle:
      pushed.status = {PushState::WithoutIdle, {}, {}};
      break;
  }
  statusChanged();
}

void MailPush::retryLater(const std::string& key, Pushed& pushed, AccountResult why) {
  if (!platform_.network.connected()) {
    pushed.status = {PushState::NoNetwork, {}, {}};
    waitForNetwork();
    return;
  }
  // A connection that held as long as the longest pause starts the pauses anew.
  const bool held = pushed.idleSinceMs &&
                    platform_.loop.nowMs() - *pushed.idleSinceMs >= net::kLongestRetryPauseMs;
  pushed.drops = held ? 1 : pushed.drops + 1;
  const auto pause = net::retryPauseMs(pushed.drops);
  pushed.status = {PushState::Retrying, timeAfter(platform_.loop.localTime(), pause),
                   std::move(why)};
  pushed.retry = platform_.loop.startTimer(pause, [this, key] {
    const auto found = pushed_.find(key);
    if (found == pushed_.end()) return;
    auto& again = found->second;
    platform_.loop.stopTimer(*std::exchange(again.retry, std::nullopt));
    if (pushOn()) open(key, again);
  });
}

void MailPush::statusChanged() {
  form_.showAccountResult();
  if (form_.visible()) form_.changed();
}

}  // namespace vantrel::app
