#pragma once
// TPop3Client: logs in to one POP3 mailbox, reads its message count with STAT and logs out; on
// request, between the two, the summaries of its newest messages.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "net/mail_client.h"
#include "net/mail_summary.h"

namespace vantrel::net {

using TListEvent = std::function<void(int msg, int size)>;

// OnConnect follows the login: also a STAT that then failed, after the connection is closed.
class TPop3Client : public TMailClient {
 public:
  TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets);

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
  // None when the server refused TOP; raises when the connection can no longer be trusted.
  std::optional<TSummary> retrieveSummary(int number);
  // The lines of a multi-line answer up to its terminating dot, dot-stuffing undone, into the
  // reader; raises, the connection closed, when the answer runs past its bound.
  void readMultiLine(THeaderReader& reader);

  std::string attachFilePath_;
};

// A POP3 reply is positive when its first field holds "+OK".
bool IsPositive(const std::string& reply);

}  // namespace vantrel::net
