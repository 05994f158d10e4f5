#pragma once
// Vantrel's own TLS 1.2 client (BearSSL), for where the system's TLS cannot make the connection,
// as on Windows XP. TLS 1.2 only, ECDHE suites only; the server's chain is judged by the
// injected validator before the server's key is taken from it, so no byte of the conversation
// can leave before the certificate passed.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/tls/certificate_validator.h"
#include "platform/tls/tls_engine.h"

namespace vantrel::platform::tls {

// The system's source of unpredictable bytes.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // False when no such bytes could be had.
  virtual bool fill(unsigned char* data, std::size_t length) = 0;
};

class BuiltInEngine final : public Engine {
 public:
  // All three must outlive the engine and its sessions.
  BuiltInEngine(PlainIo& io, CertificateValidator& validator, RandomSource& random)
      : io_(io), validator_(validator), random_(random) {}

  std::unique_ptr<Session> start(SocketHandle socket, const std::string& serverName) override;

 private:
  PlainIo& io_;
  CertificateValidator& validator_;
  RandomSource& random_;
};

}  // namespace vantrel::platform::tls
