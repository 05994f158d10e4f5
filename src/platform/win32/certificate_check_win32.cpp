#include "platform/win32/certificate_check_win32.h"

#include <algorithm>
#include <climits>

#include "base/hex_text.h"
#include "platform/socket.h"
#include "platform/tls/certificate_uses.h"

namespace vantrel::platform::win32 {

namespace {

// From the server's certificates and the local stores only: no download of a missing
// intermediate, no root fetched from Windows Update, nothing else over the network.
constexpr DWORD kChainFlags = CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL | CERT_CHAIN_DISABLE_AIA |
                              CERT_CHAIN_DISABLE_AUTH_ROOT_AUTO_UPDATE;
// Revocation as Windows already knows it, from its stores and its cache: never a list or an
// answer fetched for the purpose.
constexpr DWORD kRevocationFlags =
    CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT | CERT_CHAIN_REVOCATION_CHECK_CACHE_ONLY;

std::string policyFailure(DWORD error) {
  switch (error) {
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
    case static_cast<DWORD>(CERT_E_CHAINING):
    case static_cast<DWORD>(CERT_E_UNTRUSTEDTESTROOT):
    case static_cast<DWORD>(TRUST_E_CERT_SIGNATURE):
      return tls_reason::kUntrusted;
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
      return tls_reason::kOtherName;
    case static_cast<DWORD>(CERT_E_EXPIRED):
    case static_cast<DWORD>(CERT_E_VALIDITYPERIODNESTING):
      return tls_reason::kExpired;
    case static_cast<DWORD>(CERT_E_WRONG_USAGE):
      return tls_reason::kNotForServers;
    default:
      return tlsReasonWith(tls_reason::kCertificateRefused, base::hexCode(error));
  }
}

std::string trustFailure(DWORD status) {
  if (status & CERT_TRUST_IS_NOT_TIME_VALID) return tls_reason::kExpired;
  if (status & CERT_TRUST_IS_NOT_VALID_FOR_USAGE) return tls_reason::kNotForServers;
  if (status & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN |
                CERT_TRUST_IS_NOT_SIGNATURE_VALID | CERT_TRUST_IS_CYCLIC)) {
    return tls_reason::kUntrusted;
  }
  return tlsReasonWith(tls_reason::kChainInvalid, base::hexCode(status));
}

void freeChain(PCCERT_CHAIN_CONTEXT chain) {
  CertFreeCertificateChain(chain);
}
void closeStore(HCERTSTORE store) {
  CertCloseStore(store, 0);
}
using OwnedChain = Owned<PCCERT_CHAIN_CONTEXT, freeChain>;
using OwnedStore = Owned<HCERTSTORE, closeStore>;

// The chain for server authentication from `received` and the local stores; empty when none
// can be built.
OwnedChain serverChain(PCCERT_CONTEXT received, DWORD flags) {
  char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
  LPSTR usages[] = {serverAuth};
  CERT_CHAIN_PARA wanted{};
  wanted.cbSize = sizeof wanted;
  wanted.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  wanted.RequestedUsage.Usage.cUsageIdentifier = 1;
  wanted.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT built = nullptr;
  if (!CertGetCertificateChain(nullptr, received, nullptr, received->hCertStore, &wanted, flags,
                               nullptr, &built)) {
    return OwnedChain();
  }
  return OwnedChain(built);
}

}  // namespace

std::string checkServerCertificate(PCCERT_CONTEXT received, const std::string& serverName) {
  // An empty name would let the SSL policy skip the name check.
  if (serverName.empty()) return tls_reason::kNoServerName;
  const OwnedChain chain = serverChain(received, kChainFlags);
  if (!chain) return tls_reason::kUntrusted;

  const int wideLength = MultiByteToWideChar(CP_ACP, 0, serverName.c_str(), -1, nullptr, 0);
  std::wstring name(static_cast<std::size_t>(std::max(wideLength, 1)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, serverName.c_str(), -1, name.data(), wideLength);
  HTTPSPolicyCallbackData server{};
  server.cbStruct = sizeof server;
  server.dwAuthType = AUTHTYPE_SERVER;
  server.pwszServerName = name.data();
  CERT_CHAIN_POLICY_PARA policy{};
  policy.cbSize = sizeof policy;
  policy.pvExtraPolicyPara = &server;
  CERT_CHAIN_POLICY_STATUS verdict{};
  verdict.cbSize = sizeof verdict;
  if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &verdict)) {
    return tls_reason::kCannotCheck;
  }
  if (verdict.dwError != 0) return policyFailure(verdict.dwError);
  // Some versions pass a chain that ends at an unknown root through the policy.
  if (chain.get()->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR) {
    return trustFailure(chain.get()->TrustStatus.dwErrorStatus);
  }
  // A chain of the server's certificate alone: the user trusts it as a root of its own.
  const bool ownRoot = chain.get()->cChain == 1 && chain.get()->rgpChain[0]->cElement == 1;
  if (std::string refused = tls::serverUseRefusal(
          std::string_view(reinterpret_cast<const char*>(received->pbCertEncoded),
                           received->cbCertEncoded),
          ownRoot);
      !refused.empty()) {
    return refused;
  }
  // Built apart, so that a status Windows cannot tell without the network (offline, unknown)
  // passes, and cannot hide any other fault from the policy above.
  const OwnedChain revocation = serverChain(received, kChainFlags | kRevocationFlags);
  if (revocation && (revocation.get()->TrustStatus.dwErrorStatus & CERT_TRUST_IS_REVOKED)) {
    return tls_reason::kRevoked;
  }
  return {};
}

std::string CryptoApiValidator::validate(const std::vector<std::string>& chain,
                                         const std::string& serverName) {
  if (chain.empty()) return tls_reason::kNoCertificate;
  const OwnedStore store(
      CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, CERT_STORE_CREATE_NEW_FLAG, nullptr));
  if (!store) return tls_reason::kCannotCheck;
  OwnedCertificate first;
  for (const std::string& certificate : chain) {
    PCCERT_CONTEXT added = nullptr;
    if (certificate.size() > UINT_MAX ||
        !CertAddEncodedCertificateToStore(store.get(), X509_ASN_ENCODING,
                                          reinterpret_cast<const BYTE*>(certificate.data()),
                                          static_cast<DWORD>(certificate.size()),
                                          CERT_STORE_ADD_ALWAYS, first ? nullptr : &added)) {
      if (!first) return tls_reason::kUnreadable;
      continue;  // an extra the chain may do without
    }
    if (!first) first.reset(added);
  }
  return checkServerCertificate(first.get(), serverName);
}

CryptoRandom::~CryptoRandom() {
  if (provider_ != 0) CryptReleaseContext(provider_, 0);
}

bool CryptoRandom::fill(unsigned char* data, std::size_t length) {
  if (provider_ == 0 && !CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_FULL,
                                              CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
    provider_ = 0;
    return false;
  }
  return length <= UINT_MAX && CryptGenRandom(provider_, static_cast<DWORD>(length), data);
}

}  // namespace vantrel::platform::win32
