#pragma once
// One table for the certificate validators, run natively for the built-in validator (tls_test)
// and under Wine for the Windows check (wine_check): chains of the DER files that
// tests/net/tls_certs.sh makes, as a server sends them, judged with the roots of its roots.pem
// trusted: the test root, and the self-made certificate of a home server.

#include "platform/socket.h"

namespace vantrel::net::testing {

struct ValidatorCase {
  const char* what;
  const char* chain[2];  // DER file names without ".der", the server's own first; null ends
  const char* serverName;
  const char* reason;  // empty: valid
};

inline constexpr ValidatorCase kValidatorCases[] = {
    {"a good chain", {"localhost"}, "localhost", ""},
    {"a good chain through an intermediate", {"nointer", "inter"}, "localhost", ""},
    {"no server name", {"localhost"}, "", platform::tls_reason::kNoServerName},
    {"an authority's certificate as the server's",
     {"authority"},
     "localhost",
     platform::tls_reason::kAuthority},
    {"a certificate for client authentication only",
     {"clientonly"},
     "localhost",
     platform::tls_reason::kNotForServers},
    {"another server's name", {"othername"}, "localhost", platform::tls_reason::kOtherName},
    {"expired", {"expired"}, "localhost", platform::tls_reason::kExpired},
    {"from a root nobody trusts", {"untrusted"}, "localhost", platform::tls_reason::kUntrusted},
    {"a self-made certificate marked an authority's, itself trusted as a root",
     {"selfmade"},
     "localhost",
     ""},
};

}  // namespace vantrel::net::testing
