#pragma once
// A stand-in POP3 server on the simulated network: mailboxes by user and password with the
// headers of their messages (LIST and TOP) and their unique-ids (UIDL), its capabilities (CAPA,
// STLS), and the ways a real server lets a mail check down.

#include <cstdint>
#include <string>

#include "standin_mail_server.h"

namespace vantrel::testing {

enum class Pop3Mode {
  Normal,
  HangUpAfterRefusal,  // closes the connection right after refusing a password
  StatFails,           // logs in, then refuses STAT
  Silent,              // accepts the connection and never says a word
  HangsUp,             // accepts the connection and closes it before a word
};

// Where the server listens and how it takes a TLS handshake.
struct Pop3Listener {
  std::uint16_t port = 110;
  bool implicitTls = false;  // greets only after the handshake
  std::string tlsRefusal{};  // empty: a handshake the server expects succeeds
  bool stls = false;         // offers STLS on a plain connection
  bool uidl = true;          // gives the messages' unique-ids
};

struct Pop3State : StandinMailState<Pop3Listener> {
  Pop3Mode mode = Pop3Mode::Normal;
};

class StandinPop3 : public StandinMailServer<Pop3State> {
 public:
  // Listens on `listener.port` of `address`, known by the name `host`.
  StandinPop3(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address, Pop3Mode mode = Pop3Mode::Normal, Pop3Listener listener = {});
};

}  // namespace vantrel::testing
