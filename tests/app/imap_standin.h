#pragma once
// A stand-in IMAP server on the simulated network: mailboxes by user and password with their
// unread messages and their headers (STATUS, EXAMINE, UID SEARCH with or without ESEARCH, UID
// FETCH, IDLE), and the ways a server may offer or demand a secure connection.

#include <cstdint>
#include <set>
#include <string>

#include "standin_mail_server.h"

namespace vantrel::testing {

// Where the server listens, and what it says of security.
struct ImapListener {
  std::uint16_t port = 143;
  bool implicitTls = false;    // greets only after the handshake
  bool startTls = false;       // offers STARTTLS on a plain connection
  bool loginDisabled = false;  // takes no LOGIN before the connection is secure
  std::string tlsRefusal{};    // empty: a handshake the server expects succeeds
  std::string loginAnswer{};   // after the tag, to every LOGIN; empty: by the mailboxes
  std::string preauth{};       // greets with PREAUTH, this user's mailbox open; empty: OK
  bool esearch = false;        // offers ESEARCH once logged in, told with the login's OK
  bool idle = false;           // offers IDLE, and tells an idling connection of new mail
};

struct ImapState : StandinMailState<ImapListener> {
  std::set<platform::standin::StandinConnection*> open;  // the connections not yet closed
};

// A mailbox's count is its unread messages; the commands are kept without their tags.
class StandinImap : public StandinMailServer<ImapState> {
 public:
  // Listens on `listener.port` of `address`, known by the name `host`.
  StandinImap(platform::standin::StandinSockets& sockets, const std::string& host,
              std::uint32_t address, ImapListener listener = {});

  // A new unread message for `user`, newest of all, with this header if one is given; each
  // connection idling on that mailbox is told at once.
  void deliver(const std::string& user, const std::string& header = {});
  // Another program marked a message of `user`'s read and another unread: the count stays, and
  // each connection idling on that mailbox is told.
  void flagsChanged(const std::string& user);
  // Every open connection is closed by the server.
  void hangUp();
  // The connections waiting in IDLE now.
  int idling() const;
};

}  // namespace vantrel::testing
