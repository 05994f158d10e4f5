#pragma once
// What the periodic mail check keeps between its steps and from one check to the next.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/account_results.h"
#include "app/mail_findings.h"
#include "app/message_lines.h"

namespace vantrel::app {

// An account's count as a check read it, what identified its newest messages then (empty where
// the server tells nothing that does), and the lines of those messages.
struct AccountMessages {
  std::int32_t count = 0;
  std::string mark;
  std::vector<MessageLine> lines;

  // Every line the count calls for was read: fewer, and the next check reads them again.
  bool whole() const {
    return static_cast<std::int32_t>(lines.size()) == std::min(count, kNewestMessages);
  }
};

// Per wait of `pop` and `imap`, and per answer of a push session: a server that accepts and then
// says nothing ends the account's turn well within a minute, and the check goes on.
inline constexpr int kMailTimeOutMs = 30000;

// Counts of 0 and above that stop at the largest value instead of wrapping.
inline std::int32_t saturatedSum(std::int32_t total, std::int32_t count) {
  constexpr auto kLargest = std::numeric_limits<std::int32_t>::max();
  return count > kLargest - total ? kLargest : total + count;
}

struct MailWatch {
  // Stops at the largest value: a wrapped total would hide the mail of the next check.
  std::int32_t newMailTotal = 0;
  std::int32_t previousTotal = 0;  // newMailTotal before the check that is running or last ran
  std::int32_t accountCount = 0;   // the messages of the account being checked
  std::string currentPassKey;
  bool accountCounted = false;  // the count of the account being checked was read
  // The password of the account being checked says not whose it is (an earlier version stored
  // it): the first login it gets through binds it to that account.
  bool bindOnLogin = false;
  std::string currentAccountKey;   // the registry key of the account being checked
  std::string currentAccountName;  // and its name
  // Accounts, by registry key, whose refused secure connection the user has been told of since
  // the configuration was last confirmed: a server that stays so does not raise a box every check.
  std::set<std::string> secureFailureTold;
  // Accounts whose server's alert the user has read in this run.
  std::set<std::string> alertTold;
  // Accounts whose server was changed, asked for the new server's password in this run.
  std::set<std::string> passwordAskedAgain;
  bool checking = false;
  // The running check was asked for by the user, who gets an answer whatever it finds.
  bool asked = false;
  // A new password was given while the connection seemed open, and goes out on it.
  bool newPasswordUntried = false;
  // The running check shows who wrote and about what.
  bool messageLines = false;
  // By account key, what the last check that read each account's count found, while message
  // lines are shown: an account whose count and newest messages are the same keeps its whole
  // lines without fetching them again. An account whose last check failed has none.
  std::map<std::string, AccountMessages> messagesByAccount;
  // What the events of the account being checked have told of its failure.
  FailureSigns failureSigns;
  // The last result of each account checked in this run, by registry key.
  std::map<std::string, AccountResult> results;
  // What the last check found, as the window lists it.
  std::vector<IdentityFound> found;
  // What the tray's new-mail tip tells of, and the total the window's caption tells of (0: no new
  // message), to tell them again in another language.
  std::int32_t tipTotal = 0;
  std::vector<std::string> tipIdentities;
  std::int32_t captionTotal = 0;
};

}  // namespace vantrel::app
