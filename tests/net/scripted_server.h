#pragma once
// A scripted TCP server on 127.0.0.1 for what no real server does on purpose. It runs on its own
// thread, plays a script on each of a bounded number of connections, records what the client
// sent, and gives up by itself after a few seconds of silence.

#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/posix/fd.h"

namespace vantrel::net::testing {

struct Act {
  enum Kind {
    Send,         // the text at once
    SendBytes,    // the text one byte per packet
    Pause,        // `count` milliseconds, so that what follows arrives in a packet of its own
    ExpectLine,   // read one line of the client
    ReadRequest,  // read up to and including an empty line
    Hold,         // say nothing until the client goes away
    Flood,        // send `text` over and over until the client goes away
    Close,        // end the connection now
  };
  Act(Kind kind, std::string text = {}, int count = 0)
      : kind(kind), text(std::move(text)), count(count) {}

  Kind kind;
  std::string text;
  int count;
};

// Each of `lines` in turn, each but the last answered by a line of the client, then `end`.
std::vector<Act> replies(const std::vector<std::string>& lines, Act::Kind end = Act::Hold);

// A script of its own for each connection, in turn.
struct ScriptsInTurn {
  std::vector<std::vector<Act>> each;
};

class ScriptedServer {
 public:
  // The same script on each connection.
  explicit ScriptedServer(std::vector<Act> script, int connections = 1);
  explicit ScriptedServer(ScriptsInTurn scripts);
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;
  ~ScriptedServer();

  int port() const { return port_; }
  // What the clients sent, connection after connection.
  std::string received() const;
  int accepted() const;

 private:
  void serve();
  void play(int client, const std::vector<Act>& script);
  bool readLine(int client, const std::string& until);
  bool waitReadable(int fd, int timeoutMs);

  std::vector<std::vector<Act>> scripts_;
  platform::posix::Fd listener_;
  platform::posix::Fd stop_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::string received_;
  int accepted_ = 0;
  std::thread thread_;
};

// A port that refuses: a listener closed again at once.
int refusingPort();

}  // namespace vantrel::net::testing
