#pragma once
// TImapClient: logs in to one IMAP mailbox, reads the number of unread messages of its inbox
// with STATUS and logs out. A plain connection to a server that offers STARTTLS is secured
// before the login; one to a server that refuses passwords in clear text, or that has offered TLS
// before, never sends one.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "net/imap_answers.h"
#include "net/mail_client.h"

namespace vantrel::net {

// OnConnect follows a STATUS that succeeded, with the connection still open.
class TImapClient : public TMailClient {
 public:
  TImapClient(platform::EventLoop& loop, platform::Sockets& sockets);

  // LOGOUT, read up to its answer; a server that says goodbye and hangs up is fine.
  void Disconnect() override;

  int UnseenCount() const { return count_; }
  // The [ALERT]s the server sent since they were last taken, which its user must read: a few at
  // most, each cut to what a message box can show.
  std::vector<std::string> TakeAlerts();

 private:
  struct Reply {
    ImapLine line;
    std::string text;
  };
  using Untagged = std::function<void(const ImapAnswer& answer, const ImapLine& line)>;

  void dialogue(bool& announce) override;
  std::vector<std::string> askCapabilities();
  void upgrade();
  Login login();
  // Sends LOGIN, its user name and password as literals where quoting cannot carry them.
  Reply sendLogin();
  void sendLiteral(const std::string& bytes);
  Reply command(const std::string& text, const Untagged& untagged = {});
  // The next answer with its literals read; none when the server hung up.
  std::optional<ImapAnswer> readAnswer();
  // Reads up to the answer tagged `tag` (or a continuation, if asked), handing the untagged
  // ones to `untagged`; none when the server hung up first.
  std::optional<Reply> readUpTo(const std::string& tag, const Untagged& untagged,
                                bool continuation);
  // As readUpTo, but a goodbye or a hang-up ends the conversation with an ESockError.
  Reply expect(const std::string& tag, const Untagged& untagged = {}, bool continuation = false);
  std::string nextTag();
  // The server has said its last word: closes without a goodbye of ours and raises ESockError.
  [[noreturn]] void leave(const std::string& why);

  void keepAlert(const std::string& answer);

  unsigned tags_ = 0;
  std::vector<std::string> alerts_;
};

}  // namespace vantrel::net
