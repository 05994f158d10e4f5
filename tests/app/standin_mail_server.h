#pragma once
// What the stand-in POP3 and IMAP servers share: where they listen, their mailboxes, and what
// they heard over all their connections.

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/standin/standin_sockets.h"

namespace vantrel::testing {

struct StandinMailbox {
  std::string password;
  int count = 0;  // of the messages a check counts, numbered (POP3) 1 to count
  // The headers of the newest of them, newest first, lines ended by CR LF; any other message is
  // from "sender<uid>@example.com" about "note <uid>".
  std::vector<std::string> newest;
  // Message n's UID (IMAP) and unique-id (POP3 UIDL) is uidBase + n: a mailbox whose oldest
  // message went as a new one came keeps its count and moves its base up.
  int uidBase = 0;
  int uidValidity = 1;
  // How many headers a connection gives before the server falls silent and hangs up; -1: all.
  int headersGiven = -1;
  bool examineRefused = false;

  std::string header(int number) const {
    const auto fromNewest = static_cast<std::size_t>(count - number);
    if (fromNewest < newest.size()) return newest[fromNewest];
    const auto uid = std::to_string(uidBase + number);
    return "From: sender" + uid + "@example.com\r\nSubject: note " + uid + "\r\n";
  }
  bool holds(const std::string& number) const {
    const auto n = std::atoi(number.c_str());
    return n >= 1 && n <= count && std::to_string(n) == number;
  }
};

// What a client sent, cut into its CR LF lines; a line still coming waits for the next bytes.
class StandinCommandLines {
 public:
  std::vector<std::string> add(std::string_view bytes) {
    pending_ += bytes;
    std::vector<std::string> lines;
    for (auto end = pending_.find("\r\n"); end != std::string::npos; end = pending_.find("\r\n")) {
      lines.push_back(pending_.substr(0, end));
      pending_.erase(0, end + 2);
    }
    return lines;
  }

 private:
  std::string pending_;
};

// A line's first word and what follows the space after it.
inline std::pair<std::string, std::string> firstWord(const std::string& line) {
  const auto space = line.find(' ');
  return {line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1)};
}

template <typename Listener>
struct StandinMailState {
  Listener listener;
  std::map<std::string, StandinMailbox> mailboxes;  // by user
  std::vector<std::string> commands;
  std::vector<std::string> handshakes;
  int connections = 0;
};

template <typename State>
class StandinMailServer {
 public:
  void setMailbox(const std::string& user, const std::string& password, int count,
                  std::vector<std::string> newest = {}) {
    state_->mailboxes[user] = {password, count, std::move(newest)};
  }
  StandinMailbox& mailbox(const std::string& user) { return state_->mailboxes.at(user); }
  // Every command received, in order, over all connections.
  const std::vector<std::string>& commands() const { return state_->commands; }
  int connections() const { return state_->connections; }
  // Handshakes asked for, with the server name the client checks the certificate against.
  const std::vector<std::string>& handshakes() const { return state_->handshakes; }

 protected:
  // Listens on the listener's port of `address`, known by the name `host`: each connection a new
  // `Connection` on the shared state.
  template <typename Connection>
  void listen(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address) {
    sockets.addHost(host, address);
    sockets.listen(address, state_->listener.port, [state = state_]() {
      ++state->connections;
      return std::make_unique<Connection>(state);
    });
  }

  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace vantrel::testing
