#include "platform/posix/tls_posix.h"

#include <arpa/inet.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/posix/socket_posix.h"

namespace vantrel::platform::posix {

namespace {

bool isAddress(const std::string& name) {
  in_addr address{};
  return ::inet_pton(AF_INET, name.c_str(), &address) == 1;
}

}  // namespace

void TlsSession::Free::operator()(SSL* ssl) const {
  SSL_free(ssl);
}

void TlsContext::Free::operator()(SSL_CTX* context) const {
  SSL_CTX_free(context);
}

TlsContext::TlsContext(const std::string& extraRoot) : context_(SSL_CTX_new(TLS_client_method())) {
  if (!context_) {
    failure_ = tls_reason::kCannotStart;
    return;
  }
  SSL_CTX* const context = context_.get();
  SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
  SSL_CTX_set_options(context, SSL_OP_IGNORE_UNEXPECTED_EOF);
  SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
  SSL_CTX_set_default_verify_paths(context);
  if (!extraRoot.empty() &&
      SSL_CTX_load_verify_locations(context, extraRoot.c_str(), nullptr) != 1) {
    failure_ = tlsReasonWith(tls_reason::kCannotStart, extraRoot);
  }
}

TlsContext::~TlsContext() = default;

TlsSession::TlsSession(int fd, const TlsContext& context, const std::string& serverName)
    : fd_(fd), setupFailure_(context.failure()) {
  if (!setupFailure_.empty()) return;
  ssl_.reset(SSL_new(context.get()));
  in_ = BIO_new(BIO_s_mem());
  out_ = BIO_new(BIO_s_mem());
  if (!ssl_ || in_ == nullptr || out_ == nullptr) {
    BIO_free(in_);
    BIO_free(out_);
    in_ = out_ = nullptr;
    setupFailure_ = tls_reason::kCannotStart;
    return;
  }
  SSL_set_bio(ssl_.get(), in_, out_);
  SSL_set_connect_state(ssl_.get());
  X509_VERIFY_PARAM* const checks = SSL_get0_param(ssl_.get());
  if (isAddress(serverName)) {
    X509_VERIFY_PARAM_set1_ip_asc(checks, serverName.c_str());
  } else {
    X509_VERIFY_PARAM_set_hostflags(checks, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    X509_VERIFY_PARAM_set1_host(checks, serverName.c_str(), serverName.size());
    SSL_set_tlsext_host_name(ssl_.get(), serverName.c_str());
  }
}

TlsSession::~TlsSession() = default;

bool TlsSession::flush() {
  std::array<char, 16384> chunk;  // only what BIO_read wrote is read
  for (int n; (n = BIO_read(out_, chunk.data(), static_cast<int>(chunk.size()))) > 0;) {
    outgoing_.append(chunk.data(), static_cast<std::size_t>(n));
  }
  while (!outgoing_.empty()) {
    const ssize_t sent = ::send(fd_, outgoing_.data(), outgoing_.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      error_ = winsockCode(errno);
      return false;
    }
    outgoing_.erase(0, static_cast<std::size_t>(sent));
  }
  return true;
}

template <typename Call>
int TlsSession::drive(Call&& call) {
  for (;;) {
    // Only a stale error would mislead SSL_get_error; clearing frees every slot, even if empty.
    if (ERR_peek_error() != 0) ERR_clear_error();
    const int result = call();
    const int reason = result > 0 ? SSL_ERROR_NONE : SSL_get_error(ssl_.get(), result);
    if (!flush() && error_ != wsa::kWouldBlock) return -1;
    if (!outgoing_.empty()) {
      wait_ = TlsStep::State::WantWrite;
      return result > 0 ? result : 0;
    }
    if (result > 0) return result;
    if (reason != SSL_ERROR_WANT_READ) {
      sslError_ = reason;
      error_ = wsa::kConnectionAborted;
      return -1;
    }
    std::array<char, 16384> chunk;  // only what recv wrote is read
    const ssize_t got = ::recv(fd_, chunk.data(), chunk.size(), 0);
    if (got > 0) {
      BIO_write(in_, chunk.data(), static_cast<int>(got));
    } else if (got == 0) {
      peerClosed_ = true;
      BIO_set_mem_eof_return(in_, 0);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait_ = TlsStep::State::WantRead;
      return 0;
    } else if (errno != EINTR) {
      error_ = winsockCode(errno);
      return -1;
    }
  }
}

std::string TlsSession::failure() const {
  switch (const long verified = SSL_get_verify_result(ssl_.get())) {
    case X509_V_OK:
      break;
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_CERT_UNTRUSTED:
      return tls_reason::kUntrusted;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
      return tls_reason::kOtherName;
    case X509_V_ERR_CERT_HAS_EXPIRED:
    case X509_V_ERR_CERT_NOT_YET_VALID:
    case X509_V_ERR_CRL_HAS_EXPIRED:
      return tls_reason::kExpired;
    case X509_V_ERR_CERT_REVOKED:
      return tls_reason::kRevoked;
    default:
      return tlsReasonWith(tls_reason::kCertificateRefused,
                           X509_verify_cert_error_string(verified));
  }
  if (const unsigned long error = ERR_peek_error(); error != 0) {
    const char* reason = ERR_reason_error_string(error);
    return tlsReasonWith(tls_reason::kHandshakeFailed, reason != nullptr ? reason : "unknown");
  }
  if (peerClosed_ || sslError_ == SSL_ERROR_ZERO_RETURN) {
    return tls_reason::kHandshakeClosed;
  }
  return tlsReasonWith(tls_reason::kHandshakeBroken, std::to_string(error_));
}

TlsStep TlsSession::step() {
  if (!setupFailure_.empty()) return {TlsStep::State::Failed, setupFailure_};
  const int result = drive([this] { return SSL_do_handshake(ssl_.get()); });
  if (result < 0) return {TlsStep::State::Failed, failure()};
  if (result == 0 || !outgoing_.empty()) return {wait_, {}};
  handshakeDone_ = true;
  return {TlsStep::State::Done, {}};
}

long TlsSession::send(const char* data, std::size_t length) {
  if (!handshakeDone_) {
    error_ = wsa::kNotConnected;
    return -1;
  }
  switch (pending_.begin(data, length)) {
    case tls::PendingRecord::Turn::Broken:
      error_ = wsa::kConnectionAborted;
      return -1;
    case tls::PendingRecord::Turn::Repeat:
      // The bytes of the last call are in a record already: only its rest has to go.
      if (!flush()) return -1;
      return pending_.taken();
    case tls::PendingRecord::Turn::Fresh:
      break;
  }
  const int chunk = static_cast<int>(std::min<std::size_t>(length, 16384));
  const int result = drive([&] { return SSL_write(ssl_.get(), data, chunk); });
  if (result < 0) return -1;
  if (result > 0 && outgoing_.empty()) return result;
  if (result > 0) pending_.hold(data, static_cast<std::size_t>(result));
  error_ = wsa::kWouldBlock;
  return -1;
}

long TlsSession::receive(char* data, std::size_t length, bool peek) {
  if (!handshakeDone_) {
    error_ = wsa::kNotConnected;
    return -1;
  }
  if (length == 0) return 0;
  const int want = static_cast<int>(std::min<std::size_t>(length, 1 << 20));
  const int result = drive(
      [&] { return peek ? SSL_peek(ssl_.get(), data, want) : SSL_read(ssl_.get(), data, want); });
  if (result > 0) return result;
  if (result == 0) {
    error_ = wsa::kWouldBlock;
    return -1;
  }
  // The peer's close, with or without its notice, is the end of the stream.
  if (sslError_ == SSL_ERROR_ZERO_RETURN || (sslError_ == SSL_ERROR_SYSCALL && peerClosed_)) {
    return 0;
  }
  return -1;
}

std::unique_ptr<tls::Session> OpenSslEngine::start(SocketHandle socket,
                                                   const std::string& serverName) {
  if (!context_) context_ = std::make_unique<TlsContext>(extraRoot_);
  return std::make_unique<TlsSession>(static_cast<int>(socket), *context_, serverName);
}

}  // namespace vantrel::platform::posix
