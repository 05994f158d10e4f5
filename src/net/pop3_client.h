#pragma once
// TPop3Client: logs in to one POP3 mailbox, reads its message count with STAT and logs out.

#include <string>

#include "net/async_socket.h"

namespace vantrel::net {

// With TimeOut set, it also bounds a whole Connect from the lookup to STAT, so that a server
// that drips its replies cannot stretch it; the time the owner's handlers take does not count.
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
  enum class Login { Passed, Refused, TakenOver };
  // Asks OnAuthenticationFailed at most once per connection. TakenOver: the handler ran a
  // whole Connect of its own (the reconnect after a hang-up), which has done the login.
  Login checkLogin(const std::string& reply, int& attempts);
  // False when a nested Connect took the login over.
  bool dialogue(bool& loggedIn);
  void startDeadline();

  std::string attachFilePath_;
  int messageCount_ = 0;
  bool busy_ = false;
  unsigned connects_ = 0;  // tells a handler's own Connect apart
  TThreadTimer deadline_;
};

// A POP3 reply is positive when its first field holds "+OK".
bool IsPositive(const std::string& reply);

}  // namespace vantrel::net
