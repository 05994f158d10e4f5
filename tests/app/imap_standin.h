#pragma once
// A stand-in IMAP server on the simulated network: mailboxes by user and password with their
// unread messages, and the ways a server may offer or demand a secure connection.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/standin/standin_sockets.h"

namespace vantrel::testing {

// Where the server listens, and what it says of security.
struct ImapListener {
  std::uint16_t port = 143;
  bool implicitTls = false;    // greets only after the handshake
  bool startTls = false;       // offers STARTTLS on a plain connection
  bool loginDisabled = false;  // takes no LOGIN before the connection is secure
  std::string tlsRefusal;      // empty: a handshake the server expects succeeds
};

class StandinImap {
 public:
  // Listens on `listener.port` of `address`, known by the name `host`.
  StandinImap(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address, ImapListener listener = {});

  void setMailbox(const std::string& user, const std::string& password, int unseen);
  // Every command received, without its tag, in order, over all connections.
  const std::vector<std::string>& commands() const { return state_->commands; }
  int connections() const { return state_->connections; }
  // Handshakes asked for, with the server name the client checks the certificate against.
  const std::vector<std::string>& handshakes() const { return state_->handshakes; }

  struct Mailbox {
    std::string password;
    int unseen = 0;
  };
  struct State {
    ImapListener listener;
    std::map<std::string, Mailbox> mailboxes;
    std::vector<std::string> commands;
    std::vector<std::string> handshakes;
    int connections = 0;
  };

 private:
  std::shared_ptr<State> state_;
};

}  // namespace vantrel::testing
