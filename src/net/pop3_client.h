#pragma once
// TPop3Client: logs in to one POP3 mailbox, reads its message count with STAT and logs out.

#include <string>

#include "net/mail_client.h"

namespace vantrel::net {

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

 private:
  void dialogue(bool& announce) override;

  std::string attachFilePath_;
};

// A POP3 reply is positive when its first field holds "+OK".
bool IsPositive(const std::string& reply);

}  // namespace vantrel::net
