#pragma once
// The validator where the platform offers none to the built-in engine (Linux, for the tests):
// BearSSL's own chain checks against the roots of one PEM file: signatures up to a trusted root,
// the server name, the dates; then the server's own certificate must be made out for a server
// (though one that is itself among the roots may be marked an authority's).

#include <memory>
#include <string>
#include <vector>

#include "platform/tls/certificate_validator.h"

namespace vantrel::platform::tls {

class AnchorValidator final : public CertificateValidator {
 public:
  // pemFile: the trusted roots; empty or unreadable, nothing is trusted.
  explicit AnchorValidator(const std::string& pemFile);
  AnchorValidator(const AnchorValidator&) = delete;
  AnchorValidator& operator=(const AnchorValidator&) = delete;
  ~AnchorValidator() override;

  std::string validate(const std::vector<std::string>& chain,
                       const std::string& serverName) override;

 private:
  struct Anchors;
  std::unique_ptr<Anchors> anchors_;
};

}  // namespace vantrel::platform::tls
