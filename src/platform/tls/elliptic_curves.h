#pragma once
// The elliptic curves of the built-in TLS client, for its key exchanges and for the servers'
// ECDSA signatures: X25519, P-256, P-384 and P-521, all through BearSSL's generic code on 15-bit
// words, which its RSA check shares. BearSSL's code made for one curve each is faster, and
// several times the size; a mail check does a handshake or two a minute.

#include <bearssl.h>

namespace vantrel::platform::tls {

const br_ec_impl& ellipticCurves();

}  // namespace vantrel::platform::tls
