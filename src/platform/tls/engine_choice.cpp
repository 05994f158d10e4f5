#include "platform/tls/engine_choice.h"

#include <cstring>
#include <utility>

namespace vantrel::platform::tls {

EngineChoice engineChoice(const char* setting) {
  if (setting == nullptr) return EngineChoice::Automatic;
  if (std::strcmp(setting, "schannel") == 0 || std::strcmp(setting, "system") == 0) {
    return EngineChoice::System;
  }
  if (std::strcmp(setting, "builtin") == 0) return EngineChoice::BuiltIn;
  return EngineChoice::Automatic;
}

std::string canonicalHost(const std::string& name) {
  std::string host = name;
  if (!host.empty() && host.back() == '.') host.pop_back();
  for (char& letter : host) {
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
  }
  return host;
}

bool SecureConnections::systemFor(const Server& server) const {
  switch (choice_) {
    case EngineChoice::System:
      return true;
    case EngineChoice::BuiltIn:
      return false;
    case EngineChoice::Automatic:
      break;
  }
  return !systemLacksTls12_ && builtInServers_.count(server) == 0 && onTrial_.count(server) == 0;
}

TlsStep SecureConnections::start(SocketHandle socket, const std::string& serverName,
                                 std::uint16_t port) {
  Connection& connection = open_[socket];
  connection.serverName = canonicalHost(serverName);
  connection.port = port;
  const Server server{connection.serverName, port};
  connection.system = systemFor(server);
  // One try: the system's engine comes back unless this one makes its handshake.
  connection.onTrial = !connection.system && onTrial_.erase(server) > 0;
  connection.session =
      (connection.system ? system_ : builtIn_).start(socket, connection.serverName);
  return settle(socket, connection, connection.session->step());
}

TlsStep SecureConnections::next(SocketHandle socket) {
  const auto it = open_.find(socket);
  if (it == open_.end()) {
    return {TlsStep::State::Failed, tls_reason::kUnusable, TlsRefusal::Unusable};
  }
  return settle(socket, it->second, it->second.session->step());
}

Session* SecureConnections::find(SocketHandle socket) {
  const auto it = open_.find(socket);
  return it != open_.end() ? it->second.session.get() : nullptr;
}

TlsEngine SecureConnections::engineOf(SocketHandle socket) const {
  const auto it = open_.find(socket);
  if (it == open_.end()) return TlsEngine::None;
  return it->second.system ? TlsEngine::System : TlsEngine::BuiltIn;
}

namespace {

TlsStep refused(TlsStep step, Shortfall shortfall) {
  if (step.refusal != TlsRefusal::Other) return step;
  switch (shortfall) {
    case Shortfall::None:
      step.refusal = tlsRefusalOf(step.reason);
      break;
    case Shortfall::NoTls12:
      step.refusal = TlsRefusal::NoTls12;
      break;
    case Shortfall::NothingInCommon:
      step.refusal = TlsRefusal::NothingInCommon;
      break;
  }
  return step;
}

}  // namespace

TlsStep SecureConnections::settle(SocketHandle socket, Connection& connection, TlsStep step) {
  if (step.state == TlsStep::State::Done && connection.onTrial) {
    builtInServers_.insert({connection.serverName, connection.port});
    connection.onTrial = false;
  }
  if (step.state != TlsStep::State::Failed) return step;
  const Shortfall shortfall = connection.session->shortfall();
  if (!connection.system || choice_ != EngineChoice::Automatic) {
    return refused(std::move(step), shortfall);
  }
  switch (shortfall) {
    case Shortfall::None:
      return refused(std::move(step), shortfall);
    case Shortfall::NoTls12:
      // Nothing has been sent yet: the built-in engine goes on over this very connection.
      systemLacksTls12_ = true;
      connection.system = false;
      connection.session = builtIn_.start(socket, connection.serverName);
      return settle(socket, connection, connection.session->step());
    case Shortfall::NothingInCommon:
      onTrial_.insert({connection.serverName, connection.port});
      open_.erase(socket);
      return {TlsStep::State::Reconnect, std::move(step.reason), TlsRefusal::NothingInCommon};
  }
  return step;
}

}  // namespace vantrel::platform::tls
