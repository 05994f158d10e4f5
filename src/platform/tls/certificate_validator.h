#pragma once
// Judges the certificate chain a server sent, for whichever engine made the handshake, so that
// every engine of a platform trusts exactly the same servers.

#include <string>
#include <vector>

namespace vantrel::platform::tls {

class CertificateValidator {
 public:
  virtual ~CertificateValidator() = default;
  // chain: the DER certificates as the server sent them, its own first. Empty when the chain
  // leads to a trusted root and the first certificate is a server's, valid for serverName today;
  // otherwise why not, in the words of platform::tls_reason where one fits (an empty serverName
  // is refused). Never waits on the network.
  virtual std::string validate(const std::vector<std::string>& chain,
                               const std::string& serverName) = 0;
};

}  // namespace vantrel::platform::tls
