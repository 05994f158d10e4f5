#include "platform/tls/builtin_engine.h"

#include <bearssl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <vector>

#include "platform/tls/certificate_uses.h"
#include "platform/tls/elliptic_curves.h"
#include "platform/tls/pending_record.h"

namespace vantrel::platform::tls {

namespace {

// In order of preference: forward secrecy always, authenticated encryption first, CBC for the
// older servers that have nothing else.
constexpr std::uint16_t kSuites[] = {
    BR_TLS_ECDHE_ECDSA_WITH_AES_128_GCM_SHA256,
    BR_TLS_ECDHE_RSA_WITH_AES_128_GCM_SHA256,
    BR_TLS_ECDHE_ECDSA_WITH_AES_256_GCM_SHA384,
    BR_TLS_ECDHE_RSA_WITH_AES_256_GCM_SHA384,
    BR_TLS_ECDHE_ECDSA_WITH_CHACHA20_POLY1305_SHA256,
    BR_TLS_ECDHE_RSA_WITH_CHACHA20_POLY1305_SHA256,
    BR_TLS_ECDHE_ECDSA_WITH_AES_128_CBC_SHA256,
    BR_TLS_ECDHE_RSA_WITH_AES_128_CBC_SHA256,
    BR_TLS_ECDHE_ECDSA_WITH_AES_256_CBC_SHA384,
    BR_TLS_ECDHE_RSA_WITH_AES_256_CBC_SHA384,
    BR_TLS_ECDHE_ECDSA_WITH_AES_128_CBC_SHA,
    BR_TLS_ECDHE_RSA_WITH_AES_128_CBC_SHA,
    BR_TLS_ECDHE_ECDSA_WITH_AES_256_CBC_SHA,
    BR_TLS_ECDHE_RSA_WITH_AES_256_CBC_SHA,
};

// A chain longer than this is no server's: refused before it fills the memory.
constexpr std::size_t kMaxChainBytes = 256 * 1024;
constexpr std::size_t kMaxChainCertificates = 16;

// The engine's X.509 class: gathers the chain as the server sends it, has the validator judge
// it, and only then takes the server's key, and what the key may do, from the first certificate.
// BearSSL is C and calls these functions: no exception may leave them (where it is built without
// unwind tables, none could pass its frames).
class ChainCheck {
 public:
  ChainCheck(CertificateValidator& validator, const std::string& serverName)
      : validator_(validator), serverName_(serverName) {}
  ChainCheck(const ChainCheck&) = delete;
  ChainCheck& operator=(const ChainCheck&) = delete;

  // What BearSSL holds: a C object whose first member is its class.
  const br_x509_class** context() { return &handle_.vtable; }
  // Why the chain was refused, or empty.
  const std::string& refusal() const { return refusal_; }

 private:
  struct Handle {
    const br_x509_class* vtable;
    ChainCheck* self;
  };

  static ChainCheck& of(const br_x509_class* const* context) {
    return *reinterpret_cast<const Handle*>(context)->self;
  }

  static void startChain(const br_x509_class** context, const char*) {
    ChainCheck& self = of(context);
    self.chain_.clear();
    self.bytes_ = 0;
    self.tooLong_ = false;
    self.refusal_.clear();
    self.key_ = nullptr;
    self.usages_ = 0;
  }

  static void startCert(const br_x509_class** context, std::uint32_t length) {
    ChainCheck& self = of(context);
    if (self.tooLong_ || self.chain_.size() == kMaxChainCertificates ||
        length > kMaxChainBytes - self.bytes_) {
      self.tooLong_ = true;
      return;
    }
    try {
      self.chain_.emplace_back().reserve(length);
    } catch (const std::exception&) {
      self.tooLong_ = true;  // too long for the memory left
      return;
    }
    self.bytes_ += length;
    self.certificateLeft_ = length;
  }

  static void append(const br_x509_class** context, const unsigned char* data, std::size_t length) {
    ChainCheck& self = of(context);
    if (self.tooLong_ || self.chain_.empty()) return;
    // Never beyond the length the certificate announced, and so within what was reserved: no
    // allocation.
    const std::size_t taken = std::min<std::size_t>(length, self.certificateLeft_);
    self.chain_.back().append(reinterpret_cast<const char*>(data), taken);
    self.certificateLeft_ -= taken;
  }

  static void endCert(const br_x509_class**) {}

  static unsigned endChain(const br_x509_class** context) {
    try {
      return of(context).judge();
    } catch (const std::exception&) {
      return BR_ERR_X509_NOT_TRUSTED;  // no memory left to judge it
    }
  }

  unsigned judge() {
    if (tooLong_) {
      refusal_ = tls_reason::kChainTooLong;
      return BR_ERR_X509_LIMIT_EXCEEDED;
    }
    if (chain_.empty()) {
      refusal_ = tls_reason::kNoCertificate;
      return BR_ERR_X509_EMPTY_CHAIN;
    }
    refusal_ = validator_.validate(chain_, serverName_);
    if (!refusal_.empty()) return BR_ERR_X509_NOT_TRUSTED;
    const std::string& own = chain_.front();
    br_x509_decoder_init(&decoder_, nullptr, nullptr);
    br_x509_decoder_push(&decoder_, own.data(), own.size());
    key_ = br_x509_decoder_get_pkey(&decoder_);
    const auto uses = certificateUses(own);
    if (br_x509_decoder_last_error(&decoder_) != 0 || key_ == nullptr || !uses) {
      key_ = nullptr;
      refusal_ = tls_reason::kUnreadable;
      return BR_ERR_X509_UNSUPPORTED;
    }
    // The engine refuses a key exchange signed by a key that may not sign.
    usages_ = (uses->signs ? BR_KEYTYPE_SIGN : 0u) | (uses->exchangesKeys ? BR_KEYTYPE_KEYX : 0u);
    return 0;
  }

  static const br_x509_pkey* serverKey(const br_x509_class* const* context, unsigned* usages) {
    if (usages != nullptr) *usages = of(context).usages_;
    return of(context).key_;
  }

  static constexpr br_x509_class kClass = {sizeof(Handle), startChain, startCert, append,
                                           endCert,        endChain,   serverKey};

  CertificateValidator& validator_;
  const std::string& serverName_;
  Handle handle_{&kClass, this};
  std::vector<std::string> chain_;
  std::size_t bytes_ = 0;
  std::uint32_t certificateLeft_ = 0;  // of the certificate being received
  bool tooLong_ = false;
  std::string refusal_;
  br_x509_decoder_context decoder_{};
  const br_x509_pkey* key_ = nullptr;  // inside decoder_
  unsigned usages_ = 0;                // BR_KEYTYPE_SIGN, BR_KEYTYPE_KEYX
};

bool isDottedAddress(const std::string& name) {
  return !name.empty() && name.find_first_not_of("0123456789.") == std::string::npos;
}

class BuiltInSession final : public Session {
 public:
  BuiltInSession(SocketHandle socket, const std::string& serverName, PlainIo& io,
                 CertificateValidator& validator, RandomSource& random)
      : socket_(socket), serverName_(serverName), io_(io), check_(validator, serverName_) {
    br_ssl_client_zero(&client_);
    br_ssl_engine_context* const engine = &client_.eng;
    br_ssl_engine_set_versions(engine, BR_TLS12, BR_TLS12);
    br_ssl_engine_set_suites(engine, kSuites, std::size(kSuites));
    // A server may ask for a new handshake mid-conversation (secure renegotiation only); its
    // chain is judged again then.
    br_ssl_engine_set_hash(engine, br_sha1_ID, &br_sha1_vtable);
    br_ssl_engine_set_hash(engine, br_sha224_ID, &br_sha224_vtable);
    br_ssl_engine_set_hash(engine, br_sha256_ID, &br_sha256_vtable);
    br_ssl_engine_set_hash(engine, br_sha384_ID, &br_sha384_vtable);
    br_ssl_engine_set_hash(engine, br_sha512_ID, &br_sha512_vtable);
    br_ssl_engine_set_prf_sha256(engine, &br_tls12_sha256_prf);
    br_ssl_engine_set_prf_sha384(engine, &br_tls12_sha384_prf);
    // The constant-time, portable implementations: small, and safe on every processor.
    br_ssl_engine_set_aes_cbc(engine, &br_aes_ct_cbcenc_vtable, &br_aes_ct_cbcdec_vtable);
    br_ssl_engine_set_aes_ctr(engine, &br_aes_ct_ctr_vtable);
    br_ssl_engine_set_ghash(engine, &br_ghash_ctmul);
    br_ssl_engine_set_chacha20(engine, &br_chacha20_ct_run);
    br_ssl_engine_set_poly1305(engine, &br_poly1305_ctmul_run);
    br_ssl_engine_set_cbc(engine, &br_sslrec_in_cbc_vtable, &br_sslrec_out_cbc_vtable);
    br_ssl_engine_set_gcm(engine, &br_sslrec_in_gcm_vtable, &br_sslrec_out_gcm_vtable);
    br_ssl_engine_set_chapol(engine, &br_sslrec_in_chapol_vtable, &br_sslrec_out_chapol_vtable);
    br_ssl_engine_set_ec(engine, &ellipticCurves());
    br_ssl_engine_set_rsavrfy(engine, &br_rsa_i15_pkcs1_vrfy);
    br_ssl_engine_set_ecdsa(engine, &br_ecdsa_i15_vrfy_asn1);
    br_ssl_engine_set_x509(engine, check_.context());
    br_ssl_engine_set_buffer(engine, buffer_->data(), buffer_->size(), 1);

    // Without a name, any certificate from a trusted authority would do.
    if (serverName_.empty()) {
      setupFailure_ = tls_reason::kNoServerName;
      return;
    }
    std::array<unsigned char, 32> seed{};
    if (!random.fill(seed.data(), seed.size())) {
      setupFailure_ = tls_reason::kCannotStart;
      return;
    }
    br_ssl_engine_inject_entropy(engine, seed.data(), seed.size());
    // A name that is an address is no name to announce, but the certificate must still match it.
    if (!br_ssl_client_reset(&client_, isDottedAddress(serverName_) ? nullptr : serverName_.c_str(),
                             0)) {
      setupFailure_ = tls_reason::kCannotStart;
    }
  }

  BuiltInSession(const BuiltInSession&) = delete;
  BuiltInSession& operator=(const BuiltInSession&) = delete;

  TlsStep step() override {
    if (!setupFailure_.empty()) return {TlsStep::State::Failed, setupFailure_};
    for (;;) {
      const unsigned state = br_ssl_engine_current_state(&client_.eng);
      if (state & BR_SSL_CLOSED) return {TlsStep::State::Failed, failure()};
      if (state & BR_SSL_SENDREC) {
        if (!flushOnce()) {
          if (error_ == wsa::kWouldBlock) return {TlsStep::State::WantWrite, {}};
          return {TlsStep::State::Failed, failure()};
        }
        continue;
      }
      if (state & BR_SSL_SENDAPP) {
        done_ = true;
        return {TlsStep::State::Done, {}};
      }
      if (state & BR_SSL_RECVREC) {
        if (!fillOnce()) {
          if (error_ == wsa::kWouldBlock) return {TlsStep::State::WantRead, {}};
          return {TlsStep::State::Failed, failure()};
        }
        continue;
      }
      return {TlsStep::State::Failed, failure()};
    }
  }

  long send(const char* data, std::size_t length) override {
    if (!done_) return fail(wsa::kNotConnected);
    br_ssl_engine_context* const engine = &client_.eng;
    switch (pending_.begin(data, length)) {
      case PendingRecord::Turn::Broken:
        return fail(wsa::kConnectionAborted);
      case PendingRecord::Turn::Repeat:
        // The bytes of the last call are in a record already: only its rest has to go.
        if (!flushAll()) return -1;
        return pending_.taken();
      case PendingRecord::Turn::Fresh:
        break;
    }
    for (;;) {
      if (!flushAll()) return -1;
      const unsigned state = br_ssl_engine_current_state(engine);
      if (state & BR_SSL_CLOSED) return fail(wsa::kConnectionAborted);
      if (state & BR_SSL_SENDAPP) break;
      // A new handshake the server asked for: its next message must be read first.
      if (!(state & BR_SSL_RECVREC)) return fail(wsa::kWouldBlock);
      if (!fillOnce()) return -1;
    }
    std::size_t room = 0;
    unsigned char* const into = br_ssl_engine_sendapp_buf(engine, &room);
    const std::size_t n = std::min(length, room);
    std::memcpy(into, data, n);
    br_ssl_engine_sendapp_ack(engine, n);
    br_ssl_engine_flush(engine, 0);
    if (flushAll()) return static_cast<long>(n);
    if (error_ == wsa::kWouldBlock) pending_.hold(data, n);
    return -1;
  }

  long receive(char* data, std::size_t length, bool peek) override {
    if (!done_) return fail(wsa::kNotConnected);
    br_ssl_engine_context* const engine = &client_.eng;
    for (;;) {
      const unsigned state = br_ssl_engine_current_state(engine);
      if (state & BR_SSL_RECVAPP) {
        std::size_t waiting = 0;
        const unsigned char* const from = br_ssl_engine_recvapp_buf(engine, &waiting);
        const std::size_t n = std::min(length, waiting);
        std::memcpy(data, from, n);
        if (!peek) br_ssl_engine_recvapp_ack(engine, n);
        return static_cast<long>(n);
      }
      // The peer's close, with or without its notice, is the end of the stream.
      if (peerClosed_) return 0;
      if (state & BR_SSL_CLOSED) {
        if (br_ssl_engine_last_error(engine) == BR_ERR_OK) return 0;
        return fail(wsa::kConnectionAborted);
      }
      if (state & BR_SSL_SENDREC) {
        // An alert or the answer to the server's close notice.
        if (!flushOnce()) return -1;
        continue;
      }
      if (!(state & BR_SSL_RECVREC)) return fail(wsa::kWouldBlock);
      if (!fillOnce() && !peerClosed_) return -1;
    }
  }

  int error() const override { return error_; }

  Shortfall shortfall() const override {
    const int code = br_ssl_engine_last_error(&client_.eng);
    return code == BR_ERR_UNSUPPORTED_VERSION || code == BR_ERR_BAD_VERSION ||
                   code == BR_ERR_BAD_CIPHER_SUITE || code == BR_ERR_RECV_FATAL_ALERT + 40 ||
                   code == BR_ERR_RECV_FATAL_ALERT + 70 || code == BR_ERR_RECV_FATAL_ALERT + 71
               ? Shortfall::NothingInCommon
               : Shortfall::None;
  }

 private:
  long fail(int code) {
    error_ = code;
    return -1;
  }

  // One send of what the engine has for the wire: false with error_ set when nothing went.
  bool flushOnce() {
    std::size_t length = 0;
    const unsigned char* const data = br_ssl_engine_sendrec_buf(&client_.eng, &length);
    const long sent = io_.send(socket_, reinterpret_cast<const char*>(data), length);
    if (sent <= 0) {
      error_ = sent < 0 ? io_.lastError() : wsa::kConnectionReset;
      return false;
    }
    br_ssl_engine_sendrec_ack(&client_.eng, static_cast<std::size_t>(sent));
    return true;
  }

  bool flushAll() {
    while (br_ssl_engine_current_state(&client_.eng) & BR_SSL_SENDREC) {
      if (!flushOnce()) return false;
    }
    return true;
  }

  // One receive into the engine: false with error_ set when nothing came; a peer that closed
  // ends the engine's input.
  bool fillOnce() {
    std::size_t room = 0;
    unsigned char* const into = br_ssl_engine_recvrec_buf(&client_.eng, &room);
    const long got = io_.receive(socket_, reinterpret_cast<char*>(into), room);
    if (got < 0) {
      error_ = io_.lastError();
      return false;
    }
    if (got == 0) {
      peerClosed_ = true;
      error_ = wsa::kConnectionReset;
      return false;
    }
    br_ssl_engine_recvrec_ack(&client_.eng, static_cast<std::size_t>(got));
    return true;
  }

  std::string failure() const {
    const int code = br_ssl_engine_last_error(&client_.eng);
    if (!check_.refusal().empty()) return check_.refusal();
    if (peerClosed_) return tls_reason::kHandshakeClosed;
    if (code == BR_ERR_WRONG_KEY_USAGE) return tls_reason::kCannotSign;
    if (shortfall() == Shortfall::NothingInCommon) {
      return tls_reason::kNothingInCommon;
    }
    if (code == BR_ERR_OK || code == BR_ERR_IO) {
      return tlsReasonWith(tls_reason::kHandshakeBroken, std::to_string(error_));
    }
    if (code >= BR_ERR_RECV_FATAL_ALERT && code < BR_ERR_SEND_FATAL_ALERT) {
      return tlsReasonWith(tls_reason::kBrokenOff, std::to_string(code - BR_ERR_RECV_FATAL_ALERT));
    }
    return tlsReasonWith(tls_reason::kHandshakeFailed, std::to_string(code));
  }

  SocketHandle socket_;
  std::string serverName_;
  PlainIo& io_;
  ChainCheck check_;
  br_ssl_client_context client_{};
  std::unique_ptr<std::array<unsigned char, BR_SSL_BUFSIZE_BIDI>> buffer_ =
      std::make_unique<std::array<unsigned char, BR_SSL_BUFSIZE_BIDI>>();
  std::string setupFailure_;
  PendingRecord pending_;
  bool done_ = false;
  bool peerClosed_ = false;
  int error_ = 0;
};

}  // namespace

std::unique_ptr<Session> BuiltInEngine::start(SocketHandle socket, const std::string& serverName) {
  return std::make_unique<BuiltInSession>(socket, serverName, io_, validator_, random_);
}

}  // namespace vantrel::platform::tls
