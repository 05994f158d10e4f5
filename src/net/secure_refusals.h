#pragma once
// Why a mail client sends no password on a connection that is not secured: the rule every mail
// client keeps, and the words of its refusals (their kinds are platform::TlsRefusal's).

#include <optional>
#include <string_view>

#include "platform/tls_refusal.h"

namespace vantrel::net {

inline constexpr char kTlsOfferedThenRefused[] =
    "the server offers a secure connection and then refuses it";
inline constexpr char kSecureNoMore[] =
    "the server offered a secure connection before and now offers none";
inline constexpr char kPreauthInClear[] =
    "the server offered a secure connection before and now lets the mailbox in without one";
inline constexpr char kNoSecureLogin[] =
    "the server takes passwords only over a secure connection, and offers none";
inline constexpr char kPasswordSecuredBefore[] =
    "this password goes only over a secure connection, and the server offers none";

// The words of a mail client's refusal of that kind; empty for a handshake's.
std::string_view secureRefusalWords(platform::TlsRefusal refusal);

// Before the login on a connection that is not secured: why no password may go, if it may not.
// `serverTookTls`: the server has offered or made TLS, in this run or on this connection.
std::optional<platform::TlsRefusal> clearLoginRefusal(bool passwordOnlyOverTls, bool serverTookTls);

}  // namespace vantrel::net
