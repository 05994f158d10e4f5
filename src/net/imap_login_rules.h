#pragma once
// The rules of an IMAP login, without a connection: what may come before LOGIN on a connection
// that is or is not secured, what a LOGIN's answer comes down to, and the alerts a server wants
// its user to read. Every IMAP client of the program goes by them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/imap_answers.h"
#include "platform/tls_refusal.h"

namespace vantrel::net {

// Whether `capabilities` (in capitals) name `name`.
bool offers(const std::vector<std::string>& capabilities, std::string_view name);

// Where a login stands before LOGIN, and what the server offers there.
struct LoginGround {
  bool secured = false;
  // The server has offered or made TLS, in this run or on this connection.
  bool serverTookTls = false;
  // The password goes only over TLS, whatever the server offers.
  bool passwordOnlyOverTls = false;
};

struct LoginStep {
  enum class What {
    StartTls,       // secure the connection first; the capabilities are asked again after it
    RefuseSecure,   // no password may go here: `refusal` says why
    LoginDisabled,  // a secured server that takes no password by LOGIN
    Login,
  };
  What what = What::Login;
  platform::TlsRefusal refusal = platform::TlsRefusal::Other;
};

LoginStep beforeLogin(const std::vector<std::string>& capabilities, const LoginGround& ground);

// A greeting that lets the mailbox in without a login, on a connection that is not secured, from
// a server that has taken TLS: someone on the way may greet in its name.
std::optional<platform::TlsRefusal> preauthRefusal(const LoginGround& ground);

enum class LoginAnswer {
  Accepted,
  // The password is in question: no code, or one that speaks of it, or an [ALERT] alone, whose
  // words may ask for another password (a provider that now wants an application password).
  PasswordRefused,
  ServerRefused,  // the server's own trouble, for now: a good password is not to be given up
  Unexpected,     // any other answer
};

LoginAnswer loginAnswerOf(const ImapLine& answer);
// A refused LOGIN whose reason the server gave in an [ALERT] alone, which its user reads first.
bool refusedWithAlert(const ImapLine& answer);

// The [ALERT]s a server sends, which its user must read: a few at most, each cut to what a
// message box can show.
class ImapAlerts {
 public:
  void keep(const ImapLine& line);
  std::vector<std::string> take();
  std::size_t kept() const { return alerts_.size(); }
  // Those kept since there were `kept`, said in clear text on a connection that then had to be
  // secured, may have been forged on the way: they go.
  void forgetSince(std::size_t kept);

 private:
  std::vector<std::string> alerts_;
};

}  // namespace vantrel::net
