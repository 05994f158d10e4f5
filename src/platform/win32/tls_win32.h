#pragma once
// TLS on one non-blocking socket through SChannel, the system's own TLS. The server's
// certificate is checked here, not by SChannel (whose automatic check some versions skip): a
// chain to a trusted root, the server name, the dates. The socket is read and written here only,
// and a would-block is answered only once the kernel has nothing more to give, so the caller's
// wait for the socket is sound.

#include <windows.h>
#include <winsock2.h>
#define SECURITY_WIN32
#include <security.h>

#include <string>

#include "platform/socket.h"

namespace vantrel::platform::win32 {

class TlsSession {
 public:
  TlsSession(SOCKET socket, const std::string& serverName);
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;
  ~TlsSession();

  TlsStep step();
  // As Sockets::send and receive; -1 leaves the Winsock code in error().
  long send(const char* data, std::size_t length);
  long receive(char* data, std::size_t length, bool peek);
  int error() const { return error_; }

 private:
  // Sends what is waiting; false with error_ set when not all of it could go.
  bool flush();
  // Reads what the kernel holds: bytes read, 0 when the peer closed, -1 with error_ set.
  int fill();
  std::string validate() const;

  SOCKET socket_;
  std::string serverName_;
  CredHandle credentials_{};
  CtxtHandle context_{};
  bool haveCredentials_ = false;
  bool haveContext_ = false;
  SecPkgContext_StreamSizes sizes_{};
  std::string incoming_;  // received, not yet decrypted
  std::string outgoing_;  // encrypted, not yet sent
  std::string plain_;     // decrypted, not yet taken
  std::string setupFailure_;
  long acceptedPlain_ = 0;  // a sent record whose bytes are still on their way
  bool needInput_ = false;
  bool done_ = false;
  bool peerClosed_ = false;
  int error_ = 0;
};

}  // namespace vantrel::platform::win32
