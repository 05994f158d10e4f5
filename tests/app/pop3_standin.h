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

class StandinPop3 {
 public:
  // Listens on port 110 of `address`, known by the name `host`.
  StandinPop3(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address, Pop3Mode mode = Pop3Mode::Normal);

  void setMailbox(const std::string& user, const std::string& password, int count);
  // Every line received, in order, over all connections.
  const std::vector<std::string>& commands() const { return state_->commands; }
  int connections() const { return state_->connections; }

  struct Mailbox {
    std::string password;
    int count = 0;
  };
  struct State {
    Pop3Mode mode;
    std::map<std::string, Mailbox> mailboxes;
    std::vector<std::string> commands;
    int connections = 0;
  };

 private:
  std::shared_ptr<State> state_;
};

}  // namespace vantrel::testing
