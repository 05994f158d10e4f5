#pragma once
// Which engine secures each connection of one socket back end. The system's engine comes first:
// it follows the system's updates and policies. Where it cannot make TLS 1.2 connections at all,
// the built-in engine takes that connection and every later one; where it and a server truly
// share no protocol version or cipher suite, the built-in engine tries that server (its host and
// port) on a new connection, and keeps it once it has made a handshake there. The server's word
// that they share nothing comes in clear text, which anyone on the way can forge: until the
// built-in engine has shown it can do better, the system's engine tries again at the next
// connection after. A refused certificate, a broken connection or a garbled answer is never a
// reason to try the other engine, and no engine speaks anything older than TLS 1.2.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/tls/tls_engine.h"

namespace vantrel::platform::tls {

enum class EngineChoice { Automatic, System, BuiltIn };

// The setting of VANTREL_TLS_ENGINE: "schannel" (or "system") forces the system's engine,
// "builtin" the built-in one; unset or anything else chooses automatically.
EngineChoice engineChoice(const char* setting);

// A host name as certificates and the name extension of TLS write it: lower case, without the
// dot that may end a fully qualified name.
std::string canonicalHost(const std::string& name);

class SecureConnections {
 public:
  // Both engines must outlive this object.
  SecureConnections(Engine& system, Engine& builtIn, EngineChoice choice)
      : system_(system), builtIn_(builtIn), choice_(choice) {}

  // As Sockets::startTls and continueTls, for a socket connected to `port`. A step may be
  // Reconnect: the connection has been given up, and a new one to the same server will be
  // secured by the built-in engine.
  TlsStep start(SocketHandle socket, const std::string& serverName, std::uint16_t port);
  TlsStep next(SocketHandle socket);
  // The session of a secured socket, or null for a plain one.
  Session* find(SocketHandle socket);
  // The engine that secures the socket, None for a plain one.
  TlsEngine engineOf(SocketHandle socket) const;
  void forget(SocketHandle socket) { open_.erase(socket); }

 private:
  struct Connection {
    std::unique_ptr<Session> session;
    std::string serverName;  // canonical
    std::uint16_t port = 0;
    bool system = false;
    bool onTrial = false;  // the built-in engine tries where the system's found nothing in common
  };
  using Server = std::pair<std::string, std::uint16_t>;

  bool systemFor(const Server& server) const;
  // The built-in engine takes over where the system's step showed that it cannot go on; a
  // refusal that stands says what it comes down to.
  TlsStep settle(SocketHandle socket, Connection& connection, TlsStep step);

  Engine& system_;
  Engine& builtIn_;
  const EngineChoice choice_;
  std::map<SocketHandle, Connection> open_;
  bool systemLacksTls12_ = false;
  std::set<Server> builtInServers_;  // nothing in common with the system's engine
  std::set<Server> onTrial_;         // ... said so, and the built-in engine tries next
};

}  // namespace vantrel::platform::tls
