#pragma once
// The push side of the mail watch: for each IMAP account it looks at, one IDLE session that tells
// of new mail the moment its server does, under every password rule of the check. A session that
// drops is opened again after a growing pause; none is opened, and nothing is checked, while the
// computer has no network, and its return brings a check; sleep closes them, and waking checks
// every account before they open again. What they count is announced as a check announces, and a
// check, a box or a question never starts inside the wait of another.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/checked_accounts.h"
#include "app/network_wait.h"
#include "app/push_status.h"
#include "net/imap_push_session.h"
#include "platform/platform.h"

namespace vantrel::app {

class TMainForm;

class MailPush {
 public:
  // IDLE is renewed this long after it began: servers and home routers drop a silent connection
  // after ten minutes or more.
  static constexpr std::uint32_t kRenewMs = 9 * 60 * 1000;

  MailPush(TMainForm& form, platform::Platform& platform) : form_(form), platform_(platform) {}
  MailPush(const MailPush&) = delete;
  MailPush& operator=(const MailPush&) = delete;
  ~MailPush() { stop(); }

  // The mail watch starts (after the launch, and when the configuration is confirmed): with
  // checks and push on, a session for each IMAP account. What stopped an account's push before
  // is forgotten.
  void start();
  // The configuration window opens, or Vantrel ends: every session closes at once and nothing
  // waits any more; the e-mail tab goes on saying where each push stood.
  void stop();
  // Sleep comes: the sessions close.
  void suspend();
  // Waking: every account is checked as soon as a network answers, then the sessions open again.
  void resume();
  // The accounts the mail watch looks at may be others now (an identity switch): sessions
  // follow them.
  void accountsMayHaveChanged();
  // A check has ended; some account of it found no network.
  void checkEnded(bool withoutNetwork);
  // A question or box of push's is open: a check must not start inside it, but after it.
  bool asking() const { return asking_; }
  void checkWhenFree();
  // The e-mail tab's line about an account's push; none for an account without one.
  std::optional<ResultLine> lineFor(const std::string& keyPath) const;

 private:
  struct Pushed {
    AccountToCheck account;
    std::unique_ptr<net::ImapPushSession> session;
    PushStatus status;
    unsigned drops = 0;  // in a row; the pause before the next try grows with them
    std::optional<std::uint64_t> idleSinceMs;  // the first IDLE of this connection
    std::optional<platform::TimerId> retry;
    bool lines = false;        // the session reads the newest messages' lines
    bool questionDue = false;  // the refused password's question waits its turn
  };

  bool pushOn() const;
  // Sessions for the accounts looked at and not yet pushed (`newAccounts`), or only for those
  // pushed already, anew where their password changed; none for accounts no longer looked at.
  void openSessions(bool newAccounts);
  void open(const std::string& key, Pushed& pushed);
  void close(Pushed& pushed);
  void counted(const std::string& key, const net::ImapPushSession::Count& count);
  void idling(const std::string& key);
  void ended(const std::string& key, const net::ImapPushSession::End& end);
  // The session has logged in, or been refused: what the password rules learn from it.
  void passwordWentOut(Pushed& pushed);
  void retryLater(const std::string& key, Pushed& pushed, AccountResult why);
  void statusChanged();

  // Boxes and questions (mail_push_boxes.cpp), each shown on a free turn.
  void tellSecureFailure(const std::string& key);
  void tellAlerts(const std::string& key, std::vector<std::string> alerts);
  void askPassword(const std::string& key, bool alerted);

  // Free turns, sleep and the network (mail_push_turns.cpp).
  void takeTurnLater();
  void takeTurn();
  void watchNetwork();
  void networkLost();
  void waitForNetwork();
  void announce();

  TMainForm& form_;
  platform::Platform& platform_;
  bool running_ = false;                  // the mail watch runs with checks on
  bool suspended_ = false;                // asleep
  bool resumed_ = false;                  // the wake since the last sleep has been handled
  std::map<std::string, Pushed> pushed_;  // by account key
  std::vector<std::string> lookedAt_;     // the identities whose accounts have sessions
  // What waits for a free turn: no check running, no box of push's open.
  std::vector<std::function<void()>> boxes_;
  bool checkDue_ = false;
  bool announceDue_ = false;
  bool asking_ = false;
  std::optional<platform::TimerId> turn_;
  std::optional<platform::NetworkWatchId> networkWatch_;
  std::unique_ptr<NetworkWait> networkWait_;
};

}  // namespace vantrel::app
