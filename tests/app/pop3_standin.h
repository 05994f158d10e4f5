#pragma once
// A stand-in POP3 server on the simulated network: mailboxes by user and password, and the ways
// a real server lets a mail check down.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/standin/standin_sockets.h"

namespace vantrel::testing {

enum class Pop3Mode {
  Normal,
  HangUpAfterRefusal,  // closes the connection right after refusing a password
  StatFails,           // logs in, then refuses STAT
  Silent,              // accepts the connection and never says a word
};

// Where the server listens and how it takes a TLS handshake.
struct Pop3Listener {
  std::uint16_t port = 110;
  bool implicitTls = false;  // greets only after the handshake
  std::string tlsRefusal;    // empty: a handshake succeeds (on an implicit-TLS server)
};

class StandinPop3 {
 public:
  // Listens on `listener.port` of `address`, known by the name `host`.
  StandinPop3(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address, Pop3Mode mode = Pop3Mode::Normal, Pop3Listener listener = {});

  void setMailbox(const std::string& user, const std::string& password, int count);
  // Every line received, in order, over all connections.
  const std::vector<std::string>& commands() const { return state_->commands; }
  int connections() const { return state_->connections; }
  // Handshakes asked for, with the server name the client checks the certificate against.
  const std::vector<std::string>& handshakes() const { return state_->handshakes; }

  struct Mailbox {
    std::string password;
    int count = 0;
  };
  struct State {
    Pop3Mode mode;
    Pop3Listener listener;
    std::map<std::string, Mailbox> mailboxes;
    std::vector<std::string> commands;
    std::vector<std::string> handshakes;
    int connections = 0;
  };

 private:
  std::shared_ptr<State> state_;
};

}  // namespace vantrel::testing
