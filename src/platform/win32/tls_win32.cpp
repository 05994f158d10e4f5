#include "platform/win32/tls_win32.h"

#include <schannel.h>
#include <wincrypt.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "base/hex_text.h"
#include "platform/win32/certificate_check_win32.h"
#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {

namespace {

constexpr ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT |
                                ISC_REQ_CONFIDENTIALITY | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                ISC_REQ_MANUAL_CRED_VALIDATION;

// Windows before Vista SP2 with its TLS 1.2 update knows no TLS 1.2 (the built-in engine then
// takes over, unless SChannel was asked for by name).
constexpr char kNoTls12[] =
    "SChannel cannot make TLS 1.2 connections on this version of Windows (Windows Vista SP2 with "
    "the TLS 1.2 update, or a later Windows, is needed)";

// TLS record types and alerts, as they cross the wire in clear before the handshake ends.
constexpr unsigned char kFirstRecordType = 20;  // change_cipher_spec
constexpr unsigned char kAlertRecord = 21;
constexpr unsigned char kLastRecordType = 23;  // application_data
constexpr unsigned char kFatal = 2;
constexpr unsigned char kHandshakeFailure = 40;
constexpr unsigned char kProtocolVersion = 70;

// The fatal alert the server sent in clear among the whole records of `received`, or 0. An
// encrypted alert is longer than two bytes and is not read here.
unsigned receivedAlert(const std::string& received) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(received[at]); };
  std::size_t at = 0;
  while (received.size() - at >= 5) {
    const unsigned char type = byte(at);
    if (type < kFirstRecordType || type > kLastRecordType || byte(at + 1) != 3) return 0;
    const std::size_t length = (std::size_t{byte(at + 3)} << 8) | byte(at + 4);
    if (type == kAlertRecord && length == 2 && received.size() - at >= 7 &&
        byte(at + 5) == kFatal) {
      return byte(at + 6);
    }
    if (length > received.size() - at - 5) return 0;
    at += 5 + length;
  }
  return 0;
}

// Whether SChannel and the server truly share no protocol version or cipher suite: SChannel says
// so, or the server did with its alert. A broken connection or a garbled answer is no sign of it.
bool nothingInCommon(SECURITY_STATUS status, const std::string& received) {
  const unsigned alert = receivedAlert(received);
  return status == SEC_E_ALGORITHM_MISMATCH || alert == kHandshakeFailure ||
         alert == kProtocolVersion;
}

// Whether the server answered with its hello for a protocol older than TLS 1.2: it has nothing
// newer, and no engine of Vantrel's speaks anything older.
bool olderServerHello(const std::string& received) {
  constexpr unsigned char kHandshakeRecord = 22;
  constexpr unsigned char kServerHello = 2;
  constexpr unsigned char kTls12Minor = 3;
  if (received.size() < 11) return false;
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(received[at]); };
  return byte(0) == kHandshakeRecord && byte(1) == 3 && byte(5) == kServerHello && byte(9) == 3 &&
         byte(10) < kTls12Minor;
}

// Empty for TLS 1.2 and later; otherwise the protocol by its name, or its number.
std::string olderProtocol(DWORD protocol) {
  if (protocol & (SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT)) return {};
  if (protocol & SP_PROT_TLS1_1_CLIENT) return "TLS 1.1";
  if (protocol & SP_PROT_TLS1_0_CLIENT) return "TLS 1.0";
  if (protocol & SP_PROT_SSL3_CLIENT) return "SSL 3.0";
  if (protocol & SP_PROT_SSL2_CLIENT) return "SSL 2.0";
  return base::hexCode(protocol);
}

constexpr char kNothingInCommon[] =
    "the server and SChannel have no TLS version or cipher suite in common";

std::string handshakeFailure(SECURITY_STATUS status) {
  switch (status) {
    case SEC_E_ILLEGAL_MESSAGE:
    case SEC_E_DECRYPT_FAILURE:
    case SEC_E_MESSAGE_ALTERED:
      return tls_reason::kBrokenOff;
    default:
      return tlsReasonWith(tls_reason::kHandshakeFailed,
                           base::hexCode(static_cast<unsigned long>(status)));
  }
}

void freeContextBuffer(void* buffer) {
  FreeContextBuffer(buffer);
}
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
    return tls_reason::kNoCertificate;
  }
  const OwnedCertificate certificate(received);
  return checkServerCertificate(certificate.get(), serverName_);
}

std::string TlsSession::protocolRefusal() const {
  SecPkgContext_ConnectionInfo connection{};
  if (QueryContextAttributesA(const_cast<CtxtHandle*>(context_.get()), SECPKG_ATTR_CONNECTION_INFO,
                              &connection) != SEC_E_OK) {
    return tls_reason::kUnusable;
  }
  const std::string older = olderProtocol(connection.dwProtocol);
  if (older.empty()) return {};
  return tlsReasonWith(tls_reason::kOlderVersion, older);
}

TlsStep TlsSession::failed(std::string reason, tls::Shortfall shortfall, TlsRefusal refusal) {
  shortfall_ = shortfall;
  return {TlsStep::State::Failed, std::move(reason), refusal};
}

TlsStep TlsSession::step() {
  if (!setupFailure_.empty()) return failed(setupFailure_, tls::Shortfall::NoTls12);
  for (;;) {
    if (!flush()) {
      if (error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantWrite, {}};
      return failed(tlsReasonWith(tls_reason::kHandshakeBroken, std::to_string(error_)));
    }
    if (done_) return {TlsStep::State::Done, {}};
    if (needInput_) {
      const int got = fill();
      if (got < 0 && error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantRead, {}};
      if (got < 0) {
        return failed(tlsReasonWith(tls_reason::kHandshakeBroken, std::to_string(error_)));
      }
      // A server that hangs up after its alert that it shares nothing with this offer lets
      // the other engine try; one that only hangs up does not.
      if (got == 0 && nothingInCommon(SEC_E_OK, incoming_)) {
        return failed(kNothingInCommon, tls::Shortfall::NothingInCommon);
      }
      if (got == 0) return failed(tls_reason::kHandshakeClosed);
    }
    SecBuffer in[2] = {{static_cast<ULONG>(incoming_.size()), SECBUFFER_TOKEN, incoming_.data()},
                       {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc input{SECBUFFER_VERSION, 2, in};
    SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
    SecBufferDesc output{SECBUFFER_VERSION, 1, out};
    ULONG granted = 0;
    const SECURITY_STATUS status = InitializeSecurityContextA(
        credentials_.get(), context_ ? context_.get() : nullptr, serverName_.data(),
        kContextFlags | (withoutClientCertificate_ ? ISC_REQ_USE_SUPPLIED_CREDS : 0), 0, 0,
        context_ ? &input : nullptr, 0, context_.get(), &output, &granted, nullptr);
    const OwnedContextBuffer token(out[0].pvBuffer);
    if (token && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED)) {
      outgoing_.append(static_cast<const char*>(token.get()), out[0].cbBuffer);
      if (out[0].cbBuffer > 0) ownHelloDue_ = false;
    }
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      // Some SChannels (Wine's) wait for the server where the new handshake must start with
      // our hello: both sides would wait for ever.
      if (ownHelloDue_ && incoming_.empty()) {
        return failed(tls_reason::kRenegotiation);
      }
      needInput_ = true;
      continue;
    }
    // The server asks for a certificate, which it may do without: asked once more with the same
    // input, and told to go on with the credentials it has, SChannel answers that there is none.
    // Asking again would only spin.
    if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
      if (withoutClientCertificate_) {
        return failed(tls_reason::kClientCertificate);
      }
      withoutClientCertificate_ = true;
      needInput_ = false;
      continue;
    }
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) {
      // The first call reads nothing from the server. Its documented cause of this status, a
      // context flag we never ask for, is not ours: here it is SChannel with its TLS 1.2 switched
      // off by policy, unable to write a hello at all.
      if (status == SEC_E_UNSUPPORTED_FUNCTION && !context_) {
        return failed(kNoTls12, tls::Shortfall::NoTls12);
      }
      if (nothingInCommon(status, incoming_)) {
        return failed(kNothingInCommon, tls::Shortfall::NothingInCommon);
      }
      // SChannel's own word that it shares nothing with the server, or a server of older
      // versions only: the built-in engine is no better placed.
      if (status == SEC_E_UNSUPPORTED_FUNCTION || olderServerHello(incoming_)) {
        return failed(kNothingInCommon, tls::Shortfall::None, TlsRefusal::NothingInCommon);
      }
      return failed(handshakeFailure(status));
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
    // A refused server hears nothing more from us; after a new handshake, the server it ends
    // with is judged again. An SChannel that ignores the request for TLS 1.2 alone must not
    // speak an older protocol in silence.
    if (std::string refused = protocolRefusal(); !refused.empty()) {
      outgoing_.clear();
      return failed(std::move(refused), tls::Shortfall::None, TlsRefusal::OlderVersion);
    }
    if (std::string refused = validate(); !refused.empty()) {
      outgoing_.clear();
      return failed(std::move(refused));
    }
    if (QueryContextAttributesA(context_.get(), SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK) {
      return failed(tls_reason::kUnusable);
    }
    done_ = true;
    renegotiating_ = false;
  }
}

long TlsSession::send(const char* data, std::size_t length) {
  if (!done_) {
    error_ = WSAENOTCONN;
    return -1;
  }
  switch (pending_.begin(data, length)) {
    case tls::PendingRecord::Turn::Broken:
      error_ = WSAECONNABORTED;
      return -1;
    case tls::PendingRecord::Turn::Repeat:
      // The bytes of the last call are in a record already: only its rest has to go.
      if (!flush()) return -1;
      return pending_.taken();
    case tls::PendingRecord::Turn::Fresh:
      break;
  }
  if (!flush()) return -1;
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
  if (error_ == WSAEWOULDBLOCK) pending_.hold(data, n);
  return -1;
}

long TlsSession::receive(char* data, std::size_t length, bool peek) {
  if (!done_ && !renegotiating_) {
    error_ = WSAENOTCONN;
    return -1;
  }
  for (;;) {
    if (renegotiating_) {
      // Its messages are a few kilobytes: the socket's buffers take them whole.
      const TlsStep renewed = step();
      if (renewed.state == TlsStep::State::Failed) {
        renegotiating_ = false;
        error_ = WSAECONNABORTED;
        return -1;
      }
      if (renewed.state != TlsStep::State::Done) {
        error_ = WSAEWOULDBLOCK;
        return -1;
      }
    }
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
      if (status == SEC_I_RENEGOTIATE) {
        // The server wants a new handshake: SChannel answers first, with what followed the
        // request, if anything.
        incoming_.clear();
        for (const SecBuffer& part : parts) {
          if (part.BufferType == SECBUFFER_EXTRA) {
            incoming_.assign(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
          }
        }
        done_ = false;
        renegotiating_ = true;
        ownHelloDue_ = true;
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
