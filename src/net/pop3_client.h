#pragma once
// TPop3Client: logs in to one POP3 mailbox, reads its message count with STAT and logs out.

#include <string>

#include "net/async_socket.h"

namespace vantrel::net {

class TPop3Client : public TAsyncSocket {
 public:
  TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets);
  ~TPop3Client() override;

  std::string UserID;
  std::string Password;
  bool Parse = false;
  bool DeleteOnRead = false;

  // Replaces the socket's own connect notification: raised once the login has succeeded.
  TNotifyEvent OnConnect;
  THandlerEvent OnAuthenticationNeeded;
  THandlerEvent OnAuthenticationFailed;

  void Connect() override;
  void Disconnect() override;
  void Abort() override;

  const std::string& AttachFilePath() const { return attachFilePath_; }
  void SetAttachFilePath(const std::string& path);

  int MessageCount() const { return messageCount_; }
  bool Busy() const { return busy_; }

 private:
  // Whether the reply passed; asks OnAuthenticationFailed at most once per connection.
  bool checkLogin(const std::string& reply, int& attempts);
  void dialogue(bool& loggedIn);

  std::string attachFilePath_;
  int messageCount_ = 0;
  bool busy_ = false;
};

// A POP3 reply is positive when its first field holds "+OK".
bool IsPositive(const std::string& reply);

}  // namespace vantrel::net
