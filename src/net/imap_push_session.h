#pragma once
// ImapPushSession: one IMAP account's inbox watched through IDLE (RFC 2177), so that its owner
// hears of new mail the moment the server does. On a LoopConnection it logs in by the rules of
// the check (no password in clear text to a server that takes TLS or demands it), examines the
// inbox read-only, counts its unread messages (with the newest ones' summaries, if asked) and
// waits in IDLE; at each change it counts again. It renews IDLE before servers and routers drop
// a silent connection, and ends, with a reason its owner can act on, when the connection or the
// login fails. Asking for a password, retrying and announcing are the owner's.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/imap_answer_reader.h"
#include "net/imap_login_rules.h"
#include "net/imap_push_answers.h"
#include "net/imap_summary_answers.h"
#include "net/imap_unseen_count.h"
#include "net/loop_connection.h"
#include "net/mail_faults.h"
#include "net/mail_summary.h"
#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::net {

class ImapPushSession {
 public:
  struct Account {
    std::string host;
    std::uint16_t port = 143;
    bool secure = false;  // TLS from the first byte (the account's SSL)
    std::string user;
    std::string password;
    // The server has offered or made TLS before: a password never goes to it in clear text.
    bool knownSecure = false;
    // This password goes only over TLS, whatever the server offers.
    bool passwordOnlyOverTls = false;
    int summaries = 0;  // how many of the newest unread messages' summaries come with a count
  };

  struct Timing {
    std::uint32_t answerMs = 30000;         // for the connection, each answer, each renewal
    std::uint32_t renewMs = 9 * 60 * 1000;  // IDLE is left and taken again this long after
  };

  struct Count {
    int unseen = 0;
    std::vector<TSummary> summaries;  // newest first; those the server gave
  };

  enum class EndReason {
    Dropped,          // the connection failed or the server hung up or said goodbye: try again
    PasswordRefused,  // the server refused the password
    SecureRefused,    // no secure connection where one is due (tlsReason, refusal)
    ServerRefused,    // the server turned the login down for a reason of its own (code, text)
    NoIdle,           // the server does not offer IDLE, or refuses it: the timer's account
  };

  struct End {
    EndReason reason = EndReason::Dropped;
    std::string text;  // the server's line, or what went wrong, as it was said
    // Where the words are the session's own, not the server's: what they come down to.
    std::optional<MailFault> fault;
    std::optional<ConnectionEnd> connection;  // where the connection itself ended it
    std::string code;                         // ServerRefused: the response code, in capitals
    std::string serverText;                   // ServerRefused: what the server says for a person
    std::string tlsReason;                    // SecureRefused
    platform::TlsRefusal refusal = platform::TlsRefusal::Other;
  };

  struct Handlers {
    std::function<void(const Count& count)> onCount;  // at the start, then after each change
    std::function<void()> onIdling;                   // the server took IDLE (again)
    std::function<void(const End& end)> onEnded;      // once, unless the owner closed it
  };

  // Starts at once. The handlers are called from the loop, never from inside this object's own
  // calls; one may drop the session.
  ImapPushSession(platform::EventLoop& loop, platform::Sockets& sockets, Account account,
                  Timing timing, Handlers handlers);
  ImapPushSession(const ImapPushSession&) = delete;
  ImapPushSession& operator=(const ImapPushSession&) = delete;
  ~ImapPushSession();

  // LOGOUT goes out where logged in, without waiting for its answer; the connection is closed.
  void close();

  bool idling() const { return phase_ == Phase::Idling; }
  // This connection's LOGIN put the password on the wire (a PREAUTH greeting sends none).
  bool passwordSent() const { return passwordSent_; }
  // The server offered STARTTLS, or the connection was secured: it takes TLS, and should never
  // be given a password in clear text again.
  bool tlsSeen() const { return tlsSeen_; }
  platform::TlsEngine securedBy() const { return connection_.securedBy(); }
  // The [ALERT]s the server sent since they were last taken: a few at most, each cut short.
  std::vector<std::string> takeAlerts();

 private:
  enum class Phase {
    Greeting,
    Preparing,  // capabilities, STARTTLS, login
    Securing,
    Counting,
    Summaries,
    StartingIdle,
    Idling,
    LeavingIdle,
    Over,
  };
  using Done = std::function<void(const ImapLine& line, const ImapAnswer& answer)>;
  struct Pending {
    std::string tag;
    Done done;
  };

  void connect();
  void received(std::string_view bytes);
  void handle(const ImapAnswer& answer);
  void untagged(const ImapLine& line, const ImapAnswer& answer);
  void greeted(const ImapLine& line, const ImapAnswer& answer);
  void askCapabilities(std::function<void()> then);
  void beforeLogin();
  void secured();
  void login();
  void sendLoginPart();
  void loginAnswered(const ImapLine& line, const ImapAnswer& answer);
  void examine();
  void count();
  void countAnswered(const ImapLine& line, const ImapAnswer& answer);
  void fetchSummaries();
  void report();
  void idle();
  void idleAnswered(const ImapLine& line, const ImapAnswer& answer);
  void changed();
  void leaveIdle();
  void command(const std::string& text, Done done);
  void connectionEnded(const ConnectionEnd& end);
  void sendLogout();
  void drop(std::string text, std::optional<ConnectionEnd> connection = std::nullopt);
  void drop(MailFault fault);
  void refuseSecure(std::string reason, platform::TlsRefusal refusal);
  void refuseSecure(platform::TlsRefusal refusal);
  LoginGround loginGround() const;
  // Closes the connection, LOGOUT first if `logout`, and tells the owner: the last thing done.
  void finish(End end, bool logout = false);

  platform::EventLoop& loop_;
  const Account account_;
  const Timing timing_;
  Handlers handlers_;
  LoopConnection connection_;
  ImapAnswerReader reader_;
  Phase phase_ = Phase::Greeting;
  std::vector<Pending> pending_;         // a few at most
  std::function<void()> continuation_;   // what a "+" answers, when one is due
  std::vector<std::string> loginParts_;  // what follows each "+" of LOGIN's literals
  unsigned tags_ = 0;
  std::vector<std::string> capabilities_;
  bool secured_ = false;
  bool tlsSeen_ = false;
  bool retried_ = false;  // a new connection for the other TLS engine was made
  bool loggedIn_ = false;
  bool passwordSent_ = false;
  bool examined_ = false;
  bool idleOffered_ = false;
  bool changed_ = false;  // a change the last count may not have seen
  int counting_ = 0;      // count commands not yet answered
  std::optional<UnseenCounter> counted_;
  std::optional<int> unseen_;
  std::optional<SummaryCollector> found_;
  std::optional<platform::TimerId> renewal_;
  ImapAlerts alerts_;
  std::size_t alertsBefore_ = 0;  // of the alerts, those from before this connection
  // Cleared when this object goes: a handler may drop it, and nothing of it is touched after.
  // Not make_shared: without run-time type information it brings in libstdc++'s shared-pointer
  // object and its thread-safe statics, some 5 KB of each Windows program.
  std::shared_ptr<bool> alive_{new bool(true)};
};

}  // namespace vantrel::net
