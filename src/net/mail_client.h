#pragma once
// TMailClient: what the mail protocols share. One Connect logs in to a mailbox and reads a count:
// the credentials asked for when missing, one password question on a refused login, one time-out
// over the whole Connect, OnConnect once the count may be read, and no password in clear text to a
// server that has been secure before or for a password that has.

#include <memory>
#include <string>

#include "net/async_socket.h"
#include "net/secure_servers.h"

namespace vantrel::net {

// With TimeOut set, it also bounds a whole Connect from the lookup to the count, so that a server
// that drips its replies cannot stretch it; the time the owner's handlers take does not count.
class TMailClient : public TAsyncSocket {
 public:
  // `secureServers`: the memory the owner shares among its mail clients; without one, the client
  // keeps its own.
  TMailClient(platform::EventLoop& loop, platform::Sockets& sockets,
              SecureServers* secureServers = nullptr);
  ~TMailClient() override;

  std::string UserID;
  std::string Password;
  // The password has gone over TLS before: on a connection that cannot be secured it is refused
  // (ETlsError) before a word of the login, whatever the server offers.
  bool PasswordOverTlsOnly = false;

  // Replaces the socket's own connect notification: the protocol says when it is due.
  TNotifyEvent OnConnect;
  THandlerEvent OnAuthenticationNeeded;
  THandlerEvent OnAuthenticationFailed;

  void Connect() override;
  void Abort() override;

  bool Busy() const { return busy_; }
  // Whether the last connection sent the password: a login the server lets in without one
  // (IMAP's PREAUTH) did not.
  bool PasswordSent() const { return passwordSent_; }

 protected:
  enum class Login { Passed, Refused, TakenOver };
  // A refused login asks OnAuthenticationFailed at most once per connection (attempts 0);
  // otherwise it raises "Authentication failed". TakenOver: the handler ran a whole Connect of
  // its own (the reconnect after a hang-up), which has done the login.
  Login checkLogin(bool passed, int& attempts);
  // The conversation on the open connection. Sets `announce` once OnConnect is due, even if it
  // then fails; returns at once when a nested Connect took the login over.
  virtual void dialogue(bool& announce) = 0;
  // Arms the time-out of a whole conversation unless it already runs; true if it armed it.
  bool startDeadline();
  void stopDeadline();
  // Whether this Host and Port have offered TLS or made a TLS session in this run: such a server
  // never again gets a password in clear text, however it greets next.
  bool knownSecure() const;
  void rememberSecure();
  // On a connection that is not secured, before the login: raises ETlsError when no password may
  // go in clear text, because it has gone over TLS before or the server has offered TLS before.
  void refuseLoginInClear() const;

  // The count of this Connect, 0 until the protocol has read it.
  int count_ = 0;
  // Set by the protocol as the password goes out on this connection.
  bool passwordSent_ = false;

 private:
  // One connection from the socket's Connect to the count; a failure closes it politely.
  void session(bool& announce);

  bool busy_ = false;
  unsigned connects_ = 0;  // tells a handler's own Connect apart
  TThreadTimer deadline_;
  std::unique_ptr<SecureServers> ownSecureServers_;
  SecureServers& secureServers_;
};

}  // namespace vantrel::net
