#pragma once
// TLS on one non-blocking socket through SChannel, the system's own TLS. The server's
// certificate is checked by checkServerCertificate, not by SChannel (whose automatic check some
// versions skip). The socket is read and written here only, and a would-block is answered only
// once the kernel has nothing more to give, so the caller's wait for the socket is sound.

#include <windows.h>
#include <winsock2.h>
#define SECURITY_WIN32
#include <security.h>

#include <memory>
#include <string>

#include "platform/socket.h"
#include "platform/tls/pending_record.h"
#include "platform/tls/tls_engine.h"

namespace vantrel::platform::win32 {

// An SSPI handle is two numbers, none of which means "no handle": whether it holds one is kept
// beside it. Its one user stays in place, so it does not move either.
template <auto Close>
class OwnedSecHandle {
 public:
  OwnedSecHandle() = default;
  ~OwnedSecHandle() {
    if (held_) Close(&handle_);
  }
  OwnedSecHandle(const OwnedSecHandle&) = delete;
  OwnedSecHandle& operator=(const OwnedSecHandle&) = delete;

  explicit operator bool() const { return held_; }
  SecHandle* get() { return &handle_; }
  const SecHandle* get() const { return &handle_; }
  // Once the call that filled get() in has succeeded.
  void hold() { held_ = true; }

 private:
  SecHandle handle_{};
  bool held_ = false;
};

inline void freeCredentials(CredHandle* credentials) {
  FreeCredentialsHandle(credentials);
}
inline void deleteContext(CtxtHandle* context) {
  DeleteSecurityContext(context);
}

class TlsSession final : public tls::Session {
 public:
  TlsSession(SOCKET socket, const std::string& serverName);
  TlsSession(const TlsSession&) = delete;
  TlsSession& operator=(const TlsSession&) = delete;

  TlsStep step() override;
  long send(const char* data, std::size_t length) override;
  long receive(char* data, std::size_t length, bool peek) override;
  int error() const override { return error_; }
  tls::Shortfall shortfall() const override { return shortfall_; }

 private:
  // Sends what is waiting; false with error_ set when not all of it could go.
  bool flush();
  // Reads what the kernel holds: bytes read, 0 when the peer closed, -1 with error_ set.
  int fill();
  std::string validate() const;
  // Empty when the handshake just made agreed on TLS 1.2 or later.
  std::string protocolRefusal() const;
  TlsStep failed(std::string reason, tls::Shortfall shortfall = tls::Shortfall::None,
                 TlsRefusal refusal = TlsRefusal::Other);

  SOCKET socket_;
  std::string serverName_;
  OwnedSecHandle<freeCredentials> credentials_;
  OwnedSecHandle<deleteContext> context_;  // after the credentials it is made with, so gone first
  SecPkgContext_StreamSizes sizes_{};
  std::string incoming_;  // received, not yet decrypted
  std::string outgoing_;  // encrypted, not yet sent
  std::string plain_;     // decrypted, not yet taken
  std::string setupFailure_;
  tls::PendingRecord pending_;
  tls::Shortfall shortfall_ = tls::Shortfall::None;
  bool withoutClientCertificate_ = false;  // the server asked for one; SChannel goes on without
  bool needInput_ = false;
  bool done_ = false;
  bool renegotiating_ = false;  // the server asked for a new handshake mid-conversation
  bool ownHelloDue_ = false;    // ... and SChannel has not answered it yet
  bool peerClosed_ = false;
  int error_ = 0;
};

class SChannelEngine final : public tls::Engine {
 public:
  std::unique_ptr<tls::Session> start(SocketHandle socket, const std::string& serverName) override {
    return std::make_unique<TlsSession>(static_cast<SOCKET>(socket), serverName);
  }
};

}  // namespace vantrel::platform::win32
