#include "net/secure_refusals.h"

namespace vantrel::net {

std::string_view secureRefusalWords(platform::TlsRefusal refusal) {
  using platform::TlsRefusal;
  switch (refusal) {
    case TlsRefusal::OfferedThenRefused:
      return kTlsOfferedThenRefused;
    case TlsRefusal::SecureNoMore:
      return kSecureNoMore;
    case TlsRefusal::PreauthInClear:
      return kPreauthInClear;
    case TlsRefusal::NoSecureLogin:
      return kNoSecureLogin;
    case TlsRefusal::PasswordSecuredBefore:
      return kPasswordSecuredBefore;
    default:
      return {};
  }
}

std::optional<platform::TlsRefusal> clearLoginRefusal(bool passwordOnlyOverTls,
                                                      bool serverTookTls) {
  // The password's own mark first: it is the one the user can lift, by typing a new password.
  if (passwordOnlyOverTls) return platform::TlsRefusal::PasswordSecuredBefore;
  if (serverTookTls) return platform::TlsRefusal::SecureNoMore;
  return std::nullopt;
}

}  // namespace vantrel::net
