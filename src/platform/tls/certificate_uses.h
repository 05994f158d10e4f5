#pragma once
// What a certificate's own extensions allow it to be used for, read from its DER bytes: the
// same reading for every validator and engine, so that a server's certificate is held to the
// same uses whichever of them judges it.

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::platform::tls {

struct CertificateUses {
  bool authority = false;     // basic constraints: a certificate authority's
  bool serverAuth = true;     // extended key usage: absent, server authentication, or any
  bool signs = true;          // key usage: absent, or digital signature
  bool exchangesKeys = true;  // key usage: absent, key encipherment or key agreement
};

// Nothing when the bytes are no certificate whose extensions can be read (a malformed one, or
// one that names an extension twice).
std::optional<CertificateUses> certificateUses(std::string_view der);

// Why the certificate may not stand as a server's own (an authority's, or one that does not
// allow server authentication), in the words of platform::tls_reason; empty when it may.
// `trustedItself`: the certificate is itself a root the user trusts, as a home server's own
// certificate made with the stock openssl settings is, marked an authority's: that mark is then
// no reason to refuse.
std::string serverUseRefusal(std::string_view der, bool trustedItself = false);

}  // namespace vantrel::platform::tls
