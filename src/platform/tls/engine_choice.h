#pragma once
// Which engine secures each connection of one socket back end. The system's engine comes first:
// it follows the system's updates and policies. Where it cannot make TLS 1.2 connections at all,
// the built-in engine takes that connection and every later one; where it finds nothing in
// common with a server, the built-in engine takes that server, on a new connection. A refused
// certificate is never a reason to try the other engine, and no engine speaks anything older
// than TLS 1.2.

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/tls/tls_engine.h"

namespace vantrel::platform::tls {

enum class EngineChoice { Automatic, System, BuiltIn };

// The setting of VANTREL_TLS_ENGINE: "schannel" (or "system") forces the system's engine,
// "builtin" the built-in one; unset or anything else chooses automatically.
EngineChoice engineChoice(const char* setting);

class SecureConnections {
 public:
  // Both engines must outlive this object.
  SecureConnections(Engine& system, Engine& builtIn, EngineChoice choice)
      : system_(system), builtIn_(builtIn), choice_(choice) {}

  // As Sockets::startTls and continueTls. A step may be Reconnect: the connection has been given
  // up, and a new one to the same server will be secured by the built-in engine.
  TlsStep start(SocketHandle socket, const std::string& serverName);
  TlsStep next(SocketHandle socket);
  // The session of a secured socket, or null for a plain one.
  Session* find(SocketHandle socket);
  void forget(SocketHandle socket) { open_.erase(socket); }

 private:
  struct Connection {
    std::unique_ptr<Session> session;
    std::string serverName;
    bool system = false;
  };

  bool systemFor(const std::string& serverName) const;
  // The built-in engine takes over where the system's step showed that it cannot go on.
  TlsStep settle(SocketHandle socket, Connection& connection, TlsStep step);

  Engine& system_;
  Engine& builtIn_;
  const EngineChoice choice_;
  std::map<SocketHandle, Connection> open_;
  bool systemLacksTls12_ = false;
  std::set<std::string> builtInServers_;  // nothing in common with the system's engine
};

}  // namespace vantrel::platform::tls
