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

std::string handshakeFailure(SECURITY_STATUS status) {
  switch (status) {
    case SEC_E_ALGORITHM_MISMATCH:
    case SEC_E_UNSUPPORTED_FUNCTION:
      return "the server and SChannel have no TLS version or cipher suite in common";
    case SEC_E_ILLEGAL_MESSAGE:
    case SEC_E_DECRYPT_FAILURE:
    case SEC_E_MESSAGE_ALTERED:
      return "the server broke off the TLS handshake";
    default:
      return "the TLS handshake failed (SChannel error " +
             base::hexCode(static_cast<unsigned long>(status)) + ")";
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
    return "the server sent no certificate";
  }
  const OwnedCertificate certificate(received);
  return checkServerCertificate(certificate.get(), serverName_);
}

TlsStep TlsSession::failed(std::string reason, tls::Shortfall shortfall) {
  shortfall_ = shortfall;
  return {TlsStep::State::Failed, std::move(reason)};
}

TlsStep TlsSession::step() {
  if (!setupFailure_.empty()) return failed(setupFailure_, tls::Shortfall::NoTls12);
  for (;;) {
    if (!flush()) {
      if (error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantWrite, {}};
      return failed("the connection broke during the TLS handshake (error " +
                    std::to_string(error_) + ")");
    }
    if (done_) return {TlsStep::State::Done, {}};
    if (needInput_) {
      const int got = fill();
      if (got < 0 && error_ == WSAEWOULDBLOCK) return {TlsStep::State::WantRead, {}};
      if (got < 0) {
        return failed("the connection broke during the TLS handshake (error " +
                      std::to_string(error_) + ")");
      }
      // Some servers hang up on a client whose offer they cannot take.
      if (got == 0) {
        return failed("the server closed the connection during the TLS handshake",
                      tls::Shortfall::NothingInCommon);
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
      if (out[0].cbBuffer > 0) ownHelloDue_ = false;
    }
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      // Some SChannels (Wine's) wait for the server where the new handshake must start with
      // our hello: both sides would wait for ever.
      if (ownHelloDue_ && incoming_.empty()) {
        return failed("SChannel cannot make the new TLS handshake the server asked for");
      }
      needInput_ = true;
      continue;
    }
    // The server asks for a certificate, which it may do without: asked again with the same
    // input, SChannel answers that there is none.
    if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
      needInput_ = false;
      continue;
    }
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) {
      return failed(handshakeFailure(status), status == SEC_E_ALGORITHM_MISMATCH ||
                                                      status == SEC_E_UNSUPPORTED_FUNCTION ||
                                                      status == SEC_E_ILLEGAL_MESSAGE
                                                  ? tls::Shortfall::NothingInCommon
                                                  : tls::Shortfall::None);
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
    // with is judged again.
    if (std::string refused = validate(); !refused.empty()) {
      outgoing_.clear();
      return failed(std::move(refused));
    }
    if (QueryContextAttributesA(context_.get(), SECPKG_ATTR_STREAM_SIZES, &sizes_) != SEC_E_OK) {
      return failed("the TLS connection cannot be used");
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
