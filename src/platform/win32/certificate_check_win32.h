#pragma once
// Windows judges every server certificate, whichever TLS engine made the handshake: the chain is
// built by CryptoAPI from what the server sent and the local stores only (never a fetch over
// the network, which could freeze the program for as long as a server cares to stall), and
// checked with the SSL policy for the server name, so both engines trust exactly the roots the
// user's Windows trusts, the user's own among them. The server's own certificate must be made
// out for a server (though one the user trusts as a root itself may be marked an authority's),
// and must not be one Windows already knows to be revoked.

#include <windows.h>
// After windows.h, which it builds on.
#include <wincrypt.h>

#include <string>
#include <vector>

#include "platform/tls/builtin_engine.h"
#include "platform/tls/certificate_validator.h"
#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {

inline void freeCertificate(PCCERT_CONTEXT certificate) {
  CertFreeCertificateContext(certificate);
}
using OwnedCertificate = Owned<PCCERT_CONTEXT, freeCertificate>;

// Empty when the server's certificate is valid for serverName; otherwise why not, in the words
// of tls_reason. `received` is the server's own certificate, its context's store holding the
// rest of what the server sent.
std::string checkServerCertificate(PCCERT_CONTEXT received, const std::string& serverName);

// The check above for the chain the built-in engine collected.
class CryptoApiValidator final : public tls::CertificateValidator {
 public:
  std::string validate(const std::vector<std::string>& chain,
                       const std::string& serverName) override;
};

// CryptGenRandom, which every Windows from XP on has.
class CryptoRandom final : public tls::RandomSource {
 public:
  CryptoRandom() = default;
  CryptoRandom(const CryptoRandom&) = delete;
  CryptoRandom& operator=(const CryptoRandom&) = delete;
  ~CryptoRandom() override;
  bool fill(unsigned char* data, std::size_t length) override;

 private:
  HCRYPTPROV provider_ = 0;  // acquired by the first fill
};

}  // namespace vantrel::platform::win32
