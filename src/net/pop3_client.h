#pragma once
// TPop3Client: logs in to one POP3 mailbox, reads its message count with STAT and logs out; on
// request, between the two, the summaries of its newest messages.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/mail_client.h"
#include "net/mail_summary.h"

namespace vantrel::net {

using TListEvent = std::function<void(int msg, int size)>;

// OnConnect follows the login: also a STAT that then failed, after the connection is closed. A
// plain connection asks CAPA after the greeting and, where STLS is offered, is secured before the
// login (RFC 2595, RFC 2449); a server without CAPA is spoken to in clear text, unless it or the
// password has been secure before.
class TPop3Client : public TMailClient {
 public:
  TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets,
              SecureServers* secureServers = nullptr);

  bool Parse = false;
  bool DeleteOnRead = false;

  // A user name or password holding CR, LF or a zero byte is refused before connecting: sent as
  // it stands, it would end the line early and carry a command of its own.
  void Connect() override;
  void Disconnect() override;

  const std::string& AttachFilePath() const { return attachFilePath_; }
  void SetAttachFilePath(const std::string& path);

  int MessageCount() const { return count_; }

  // For the owner's OnConnect, the connection still open after the count: the summaries of the
  // newest `newest` messages (the highest numbers), newest first, each asked with LIST n (OnList)
  // and TOP n 0, between OnRetrieveStart and OnRetrieveEnd, within one TimeOut. Raises nothing for
  // the server's sake, and gives what it had when it stopped: a refused TOP (servers need not
  // offer it) leaves the connection as it was; an answer past its bound, a hang-up or the
  // time-out leave it closed.
  std::vector<TSummary> RetrieveSummaries(int newest);
  // For the owner's OnConnect: the unique-id the server keeps for message `number` (UIDL n), the
  // same for that message at every connection, within one TimeOut. Empty when the server has
  // none to give (UIDL is optional) or gives one that is no unique-id; raises nothing for the
  // server's sake, and a hang-up or the time-out leave the connection closed.
  std::string Uidl(int number);

  TListEvent OnList;
  TNotifyEvent OnRetrieveStart;
  TNotifyEvent OnRetrieveEnd;

 private:
  void dialogue(bool& announce) override;
  // On a plain connection, before the login: STLS where CAPA offers it, else the refusal of a
  // login in clear text that may not be.
  void secure();
  // CAPA: whether the server offers STLS. A server without CAPA offers nothing.
  bool offersStls();
  // None when the server refused TOP; raises when the connection can no longer be trusted.
  std::optional<TSummary> retrieveSummary(int number);
  // Each line of a multi-line answer up to its terminating dot, its line end removed and
  // dot-stuffing undone; raises, the connection closed, when the answer runs past its bound.
  void readMultiLine(const std::function<void(std::string_view)>& line);

  std::string attachFilePath_;
};

// A POP3 reply is positive when its first field holds "+OK".
bool IsPositive(const std::string& reply);

}  // namespace vantrel::net
