#pragma once
// Why a secure connection could not be made: the words every platform gives it, and the kinds the
// program says in the user's language.

#include <string>
#include <string_view>

namespace vantrel::platform {

// Why a secure connection could not be made, in the same words on every platform. Some come with
// what tells one case from another (an error code, a protocol), as "words (detail)": tlsReasonWith.
namespace tls_reason {
inline constexpr char kUntrusted[] =
    "the server's certificate is not from an authority this computer trusts";
inline constexpr char kOtherName[] = "the server's certificate is for another server name";
inline constexpr char kExpired[] = "the server's certificate has expired or is not yet valid";
inline constexpr char kRevoked[] = "the server's certificate has been revoked";
inline constexpr char kAuthority[] =
    "the server's certificate is a certificate authority's, not a server's";
inline constexpr char kNotForServers[] =
    "the server's certificate does not allow its use by a server";
inline constexpr char kCannotSign[] =
    "the server's certificate does not allow its key to sign the key exchange";
inline constexpr char kUnreadable[] = "the server's certificate cannot be read";
inline constexpr char kNoServerName[] = "there is no server name to check the certificate against";
inline constexpr char kNoTls12[] = "this computer cannot make TLS 1.2 connections";
inline constexpr char kNothingInCommon[] =
    "the server and this computer have no TLS version or cipher suite in common";
inline constexpr char kOlderVersion[] =
    "the server agreed only on a TLS version older than TLS 1.2";
inline constexpr char kNoCertificate[] = "the server sent no certificate";
inline constexpr char kChainTooLong[] = "the server sent too long a certificate chain";
inline constexpr char kCertificateRefused[] = "the server's certificate is refused";
inline constexpr char kChainInvalid[] = "the server's certificate chain is not valid";
inline constexpr char kCannotCheck[] = "the server's certificate cannot be checked";
inline constexpr char kClientCertificate[] =
    "the server insists on a client certificate, which Vantrel does not have";
inline constexpr char kRenegotiation[] =
    "the new TLS handshake the server asked for cannot be made";
inline constexpr char kHandshakeClosed[] =
    "the server closed the connection during the TLS handshake";
inline constexpr char kHandshakeBroken[] = "the connection broke during the TLS handshake";
inline constexpr char kBrokenOff[] = "the server broke off the TLS handshake";
inline constexpr char kHandshakeFailed[] = "the TLS handshake failed";
inline constexpr char kCannotStart[] = "the TLS handshake cannot start";
inline constexpr char kUnusable[] = "the TLS connection cannot be used";
}  // namespace tls_reason

// What a refused handshake comes down to, so that the program can say it in the user's language.
enum class TlsRefusal {
  Other,  // only the reason's own words tell
  Untrusted,
  OtherName,
  Expired,
  Revoked,
  Authority,
  NotForServers,
  CannotSign,
  Unreadable,
  NoServerName,
  NoTls12,          // this computer's engine cannot make TLS 1.2 connections at all
  NothingInCommon,  // the server and this computer share no TLS version or cipher suite
  OlderVersion,
  NoCertificate,
  ChainTooLong,
  CertificateRefused,
  ChainInvalid,
  CannotCheck,
  ClientCertificate,
  Renegotiation,
  HandshakeClosed,
  HandshakeBroken,
  BrokenOff,
  HandshakeFailed,
  CannotStart,
  Unusable,
  // No handshake's: a mail client's refusal to send a password in clear text.
  OfferedThenRefused,     // the server offered TLS, then refused it
  SecureNoMore,           // the server has offered or made TLS before, and now offers none
  PreauthInClear,         // such a server lets the mailbox in without TLS
  NoSecureLogin,          // the server takes passwords over TLS only, and offers none
  PasswordSecuredBefore,  // the password has gone over TLS before, and the server offers none
  // Not a kind: one past the last, for tables over them all.
  End,
};

// The words of a tls_reason with what tells the case apart: "words (detail)".
inline std::string tlsReasonWith(std::string_view words, std::string_view detail) {
  return std::string(words) + " (" + std::string(detail) + ")";
}

namespace tls_detail {
struct NamedRefusal {
  std::string_view text;
  TlsRefusal refusal;
};
inline constexpr NamedRefusal kNamed[] = {
    {tls_reason::kUntrusted, TlsRefusal::Untrusted},
    {tls_reason::kOtherName, TlsRefusal::OtherName},
    {tls_reason::kExpired, TlsRefusal::Expired},
    {tls_reason::kRevoked, TlsRefusal::Revoked},
    {tls_reason::kAuthority, TlsRefusal::Authority},
    {tls_reason::kNotForServers, TlsRefusal::NotForServers},
    {tls_reason::kCannotSign, TlsRefusal::CannotSign},
    {tls_reason::kUnreadable, TlsRefusal::Unreadable},
    {tls_reason::kNoServerName, TlsRefusal::NoServerName},
    {tls_reason::kNoTls12, TlsRefusal::NoTls12},
    {tls_reason::kNothingInCommon, TlsRefusal::NothingInCommon},
    {tls_reason::kOlderVersion, TlsRefusal::OlderVersion},
    {tls_reason::kNoCertificate, TlsRefusal::NoCertificate},
    {tls_reason::kChainTooLong, TlsRefusal::ChainTooLong},
    {tls_reason::kCertificateRefused, TlsRefusal::CertificateRefused},
    {tls_reason::kChainInvalid, TlsRefusal::ChainInvalid},
    {tls_reason::kCannotCheck, TlsRefusal::CannotCheck},
    {tls_reason::kClientCertificate, TlsRefusal::ClientCertificate},
    {tls_reason::kRenegotiation, TlsRefusal::Renegotiation},
    {tls_reason::kHandshakeClosed, TlsRefusal::HandshakeClosed},
    {tls_reason::kHandshakeBroken, TlsRefusal::HandshakeBroken},
    {tls_reason::kBrokenOff, TlsRefusal::BrokenOff},
    {tls_reason::kHandshakeFailed, TlsRefusal::HandshakeFailed},
    {tls_reason::kCannotStart, TlsRefusal::CannotStart},
    {tls_reason::kUnusable, TlsRefusal::Unusable},
};

struct Named {
  TlsRefusal refusal = TlsRefusal::Other;
  std::string_view detail;
};

inline Named named(std::string_view reason) {
  for (const NamedRefusal& each : kNamed) {
    if (reason == each.text) return {each.refusal, {}};
    if (!reason.starts_with(each.text)) continue;
    const std::string_view after = reason.substr(each.text.size());
    if (after.size() > 3 && after.starts_with(" (") && after.ends_with(')')) {
      return {each.refusal, after.substr(2, after.size() - 3)};
    }
  }
  return {};
}
}  // namespace tls_detail

// The refusal that a text of tls_reason names, with or without its detail; Other for any other.
inline TlsRefusal tlsRefusalOf(std::string_view reason) {
  return tls_detail::named(reason).refusal;
}

// The detail of a reason that tlsReasonWith made of a tls_reason; empty for any other.
inline std::string_view tlsReasonDetail(std::string_view reason) {
  return tls_detail::named(reason).detail;
}

}  // namespace vantrel::platform
