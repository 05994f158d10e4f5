#pragma once
// The seam between a socket back end and the TLS engines that secure its connections: SChannel
// or OpenSSL (the system's own), and the built-in one. An engine starts one session per socket;
// the session reads and writes the socket itself and hands plain text back.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/socket.h"

namespace vantrel::platform::tls {

// A socket's bytes as the kernel moves them, below any TLS: what the built-in engine reads and
// writes. Errors are Winsock codes, as everywhere under the network components.
class PlainIo {
 public:
  virtual ~PlainIo() = default;
  // Bytes moved (0 from receive: the peer closed), or -1 with the code in lastError().
  virtual long send(SocketHandle socket, const char* data, std::size_t length) = 0;
  virtual long receive(SocketHandle socket, char* data, std::size_t length) = 0;
  virtual int lastError() const = 0;
};

// Why a handshake failed when another engine might succeed where this one did not.
enum class Shortfall {
  None,             // nothing another engine could mend (a refused certificate among others)
  NoTls12,          // this engine cannot make TLS 1.2 connections at all; nothing was sent
  NothingInCommon,  // the server and this engine share no protocol version or cipher suite
};

// One secured connection, as Sockets::startTls, continueTls, send and receive describe them.
class Session {
 public:
  virtual ~Session() = default;
  virtual TlsStep step() = 0;
  // -1 leaves the Winsock code in error().
  virtual long send(const char* data, std::size_t length) = 0;
  virtual long receive(char* data, std::size_t length, bool peek) = 0;
  virtual int error() const = 0;
  // After a step that failed.
  virtual Shortfall shortfall() const { return Shortfall::None; }
};

class Engine {
 public:
  virtual ~Engine() = default;
  // A session for a connected socket whose server certificate must be valid for serverName.
  // It has made no step yet.
  virtual std::unique_ptr<Session> start(SocketHandle socket, const std::string& serverName) = 0;
};

}  // namespace vantrel::platform::tls
