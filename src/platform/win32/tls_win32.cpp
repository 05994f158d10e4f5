#include "platform/win32/tls_win32.h"

#include <schannel.h>
#include <wincrypt.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {

namespace {

constexpr ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                ISC_REQ_MANUAL_CRED_VALIDATION;

// Windows before Vista SP2 with its TLS 1.2 update knows no TLS 1.2 and says so in these words.
constexpr char kNoTls12[] =
    "this version of Windows cannot make TLS 1.2 connections (Windows Vista SP2 with the TLS 1.2 "
    "update, or a later Windows, is needed)";

std::string hex(unsigned long code) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "0x%08lX", code);
  return text.data();
}

std::string handshakeFailure(SECURITY_STATUS status) {
  switch (status) {
    case SEC_E_ALGORITHM_MISMATCH:
    case SEC_E_UNSUPPORTED_FUNCTION:
      return "the server and this computer have no TLS version in common: the server may need "
             "TLS 1.2, which needs Windows Vista SP2 with its update or a later Windows";
    case SEC_E_ILLEGAL_MESSAGE:
    case SEC_E_DECRYPT_FAILURE:
    case SEC_E_MESSAGE_ALTERED:
      return "the server broke off the TLS handshake";
    default:
      return "the TLS handshake failed (SChannel error " + hex(static_cast<unsigned long>(status)) +
             ")";
  }
}

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
    case static_cast<DWORD>(CERT_E_REVOKED):
      return tls_reason::kRevoked;
    default:
      return "the server's certificate is refused (error " + hex(error) + ")";
  }
}

std::string trustFailure(DWORD status) {
  if (status & CERT_TRUST_IS_NOT_TIME_VALID) return tls_reason::kExpired;
  if (status & CERT_TRUST_IS_REVOKED) return tls_reason::kRevoked;
  if (status & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN |
                CERT_TRUST_IS_NOT_SIGNATURE_VALID | CERT_TRUST_IS_CYCLIC)) {
    return tls_reason::kUntrusted;
  }
  return "the server's certificate chain is not valid (status " + hex(status) + ")";
}

void freeCertificate(PCCERT_CONTEXT certificate) {
  CertFreeCertificateContext(certificate);
}
void freeChain(PCCERT_CHAIN_CONTEXT chain) {
  CertFreeCertificateChain(chain);
}
void freeContextBuffer(void* buffer) {
  FreeContextBuffer(buffer);
}
using OwnedCertificate = Owned<PCCERT_CONTEXT, freeCertificate>;
using OwnedChain = Owned<PCCERT_CHAIN_CONTEXT, freeChain>;
using OwnedContextBuffer = Owned<void*, freeContextBuffer>;

}  // namespace

TlsSession::TlsSession(SOCKET socket, const std::string& serverName)
    : socket_(socket), serverName_(serverName) {
  SCHANNEL_CRED wanted{};
  wanted.dwVersion = SCHANNEL_CRED_VERSION;
  wanted.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
  wanted.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
  TimeStamp expiry{};
  std::string package = UNISP_NAME_A;
  const SECURITY_STATUS status =
      AcquireCredentialsHandleA(nullptr, package.data(), SECPKG_CRED_OUTBOUND, nullptr, &wanted,
                                nullptr, nullptr, credentials_.get(), &expiry);
  if (status == SEC_E_OK) {
    credentials_.hold();
  } else {
    setupFailure_ = kNoTls12;
  }
}

bool TlsSession::flush() {
  while (!outgoing_.empty()) {
    const int n = ::send(socket_, outgoing_.data(),
                         static_cast<int>(std::min<std::size_t>(outgoing_.size(), 1 << 20)), 0);
    if (n == SOCKET_ERROR) {
      error_ = WSAGetLastError();
      return false;
    }
    outgoing_.erase(0, static_cast<std::size_t>(n));
  }
  return true;
}

int TlsSession::fill() {
  std::array<char, 16384> chunk{};
  const int n = ::recv(socket_, chunk.data(), static_cast<int>(chunk.size()), 0);
  if (n == SOCKET_ERROR) {
    error_ = WSAGetLastError();
    return -1;
  }
  incoming_.append(chunk.data(), static_cast<std::size_t>(n));
  if (n > 0) needInput_ = false;
  return n;
}

std::string TlsSession::validate() const {
  PCCERT_CONTEXT received = nullptr;
  if (QueryContextAttributesA(const_cast<CtxtHandle*>(context_.get()),
                              SECPKG_ATTR_REMOTE_CERT_CONTEXT, &received) != SEC_E_OK ||
      received == nullptr) {
    return "the server sent no certificate";
  }
  const OwnedCertificate certificate(received);

  char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
  LPSTR usages[] = {serverAuth};
  CERT_CHAIN_PARA wanted{};
  wanted.cbSize = sizeof wanted;
  wanted.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
  wanted.RequestedUsage.Usage.cUsageIdentifier = 1;
  wanted.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
  PCCERT_CHAIN_CONTEXT built = nullptr;
  if (!CertGetCertificateChain(nullptr, certificate.get(), nullptr, certificate.get()->hCertStore,
                               &wanted, 0, nullptr, &built) ||
      built == nullptr) {
    return tls_reason::kUntrusted;
  }
  const OwnedChain chain(built);

  const int wideLength = MultiByteToWideChar(CP_ACP, 0, serverName_.c_str(), -1, nullptr, 0);
  std::wstring name(static_cast<std::size_t>(std::max(wideLength, 1)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, serverName_.c_str(), -1, name.data(), wideLength);
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
    return "the server's certificate cannot be checked";
  }
  if (verdict.dwError != 0) return policyFailure(verdict.dwError);
  // Some SChannel versions pass a chain that ends at an unknown root through the policy.
  if (chain.get()->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR) {
    return trustFailure(chain.get()->TrustStatus.dwErrorStatus);
  }
  return {};
}

TlsStep TlsSession::step() {
  if (!setupFailure_.empty()) return {TlsStep::State::Failed, setupFailure_};
  for (;;) {
    if (!flush()) {
      if (error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantWrite, {}};
      return {TlsStep::State::Failed, "the connection broke during the TLS handshake (error " +
                                          std::to_string(error_) + ")"};
    }
    if (done_) return {TlsStep::State::Done, {}};
    if (needInput_) {
      const int got = fill();
      if (got < 0 && error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantRead, {}};
      if (got < 0) {
        return {TlsStep::State::Failed, "the connection broke during the TLS handshake (error " +
                                            std::to_string(error_) + ")"};
      }
      if (got == 0) {
        return {TlsStep::State::Failed,
                "the server closed the connection during the TLS handshake"};
      }
    }
    SecBuffer in[2] = {{static_cast<ULONG>(incoming_.size()), SECBUFFER_TOKEN, incoming_.data()},
                       {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc input{SECBUFFER_VERSION, 2, in};
    SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
    SecBufferDesc output{SECBUFFER_VERSION, 1, out};
    ULONG granted = 0;
    const SECURITY_STATUS status = InitializeSecurityContextA(
        credentials_.get(), context_ ? context_.get() : nullptr, serverName_.data(), kContextFlags,
        0, 0, context_ ? &input : nullptr, 0, context_.get(), &output, &granted, nullptr);
    const OwnedContextBuffer token(out[0].pvBuffer);
    if (token && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED)) {
      outgoing_.append(static_cast<const char*>(token.get()), out[0].cbBuffer);
    }
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      needInput_ = true;
      continue;
    }
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) {
      return {TlsStep::State::Failed, handshakeFailure(status)};
    }
    context_.hold();
    if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer <= incoming_.size()) {
      incoming_.erase(0, incoming_.size() - in[1].cbBuffer);
    } else {
      incoming_.clear();
    }
    if (status == SEC_I_CONTINUE_NEEDED) {
      needInput_ = incoming_.empty();
      continue;
    }
    // A refused server hears nothing more from us.
    if (std::string refused = validate(); !refused.empty()) {
      outgoing_.clear();
      return {TlsStep::State::Failed, std::move(refused)};
    }
    if (QueryContextAttributesA(context_.get(), SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK) {
      return {TlsStep::State::Failed, "the TLS connection cannot be used"};
    }
    done_ = true;
  }
}

long TlsSession::send(const char* data, std::size_t length) {
  if (!done_) {
    error_ = WSAENOTCONN;
    return -1;
  }
  if (!flush()) return -1;
  // The bytes of the last call were in a record already, whose rest has just gone.
  if (acceptedPlain_ > 0) return std::exchange(acceptedPlain_, 0);
  const std::size_t n = std::min<std::size_t>(length, sizes_.cbMaximumMessage);
  std::string record(sizes_.cbHeader + n + sizes_.cbTrailer, '\0');
  std::memcpy(record.data() + sizes_.cbHeader, data, n);
  SecBuffer parts[4] = {
      {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
      {static_cast<ULONG>(n), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
      {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + n},
      {0, SECBUFFER_EMPTY, nullptr}};
  SecBufferDesc message{SECBUFFER_VERSION, 4, parts};
  if (EncryptMessage(context_.get(), 0, &message, 0) != SEC_E_OK) {
    error_ = WSAECONNABORTED;
    return -1;
  }
  outgoing_.append(record.data(), parts[0].cbBuffer + parts[1].cbBuffer + parts[2].cbBuffer);
  if (flush()) return static_cast<long>(n);
  if (error_ == WSAEWOULDBLOCK) acceptedPlain_ = static_cast<long>(n);
  return -1;
}

long TlsSession::receive(char* data, std::size_t length, bool peek) {
  if (!done_) {
    error_ = WSAENOTCONN;
    return -1;
  }
  for (;;) {
    if (!plain_.empty()) {
      const std::size_t n = std::min(length, plain_.size());
      std::memcpy(data, plain_.data(), n);
      if (!peek) plain_.erase(0, n);
      return static_cast<long>(n);
    }
    if (peerClosed_) return 0;
    if (!incoming_.empty() && !needInput_) {
      SecBuffer parts[4] = {
          {static_cast<ULONG>(incoming_.size()), SECBUFFER_DATA, incoming_.data()},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr}};
      SecBufferDesc message{SECBUFFER_VERSION, 4, parts};
      const SECURITY_STATUS status = DecryptMessage(context_.get(), &message, 0, nullptr);
      if (status == SEC_E_INCOMPLETE_MESSAGE) {
        needInput_ = true;
        continue;
      }
      if (status == SEC_I_CONTEXT_EXPIRED) {  // the server's close notice
        peerClosed_ = true;
        continue;
      }
      if (status != SEC_E_OK) {
        error_ = WSAECONNABORTED;
        return -1;
      }
      std::string rest;
      for (const SecBuffer& part : parts) {
        if (part.BufferType == SECBUFFER_DATA) {
          plain_.append(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
        } else if (part.BufferType == SECBUFFER_EXTRA) {
          rest.assign(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
        }
      }
      incoming_ = std::move(rest);
      continue;
    }
    const int got = fill();
    if (got == 0) peerClosed_ = true;
    if (got < 0) return -1;
  }
}

}  // namespace vantrel::platform::win32
