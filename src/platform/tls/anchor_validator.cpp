#include "platform/tls/anchor_validator.h"

#include <bearssl.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <span>

#include "platform/socket.h"
#include "platform/tls/certificate_uses.h"
#include "platform/tls/elliptic_curves.h"

namespace vantrel::platform::tls {

namespace {

void appendTo(void* text, const void* data, std::size_t length) {
  static_cast<std::string*>(text)->append(static_cast<const char*>(data), length);
}

// The DER objects named CERTIFICATE in a PEM text.
std::vector<std::string> pemCertificates(const std::string& pem) {
  std::vector<std::string> found;
  br_pem_decoder_context decoder;
  br_pem_decoder_init(&decoder);
  std::string object;
  bool wanted = false;
  const char* next = pem.data();
  std::size_t left = pem.size();
  while (left > 0) {
    const std::size_t taken = br_pem_decoder_push(&decoder, next, left);
    next += taken;
    left -= taken;
    switch (br_pem_decoder_event(&decoder)) {
      case BR_PEM_BEGIN_OBJ:
        object.clear();
        wanted = std::strcmp(br_pem_decoder_name(&decoder), "CERTIFICATE") == 0;
        br_pem_decoder_setdest(&decoder, wanted ? appendTo : nullptr, &object);
        break;
      case BR_PEM_END_OBJ:
        if (wanted) found.push_back(object);
        break;
      case BR_PEM_ERROR:
        return found;
      default:
        break;
    }
  }
  return found;
}

std::string reasonFor(unsigned code) {
  switch (code) {
    case BR_ERR_X509_NOT_TRUSTED:
    case BR_ERR_X509_BAD_SIGNATURE:
    case BR_ERR_X509_NOT_CA:
    case BR_ERR_X509_DN_MISMATCH:
      return tls_reason::kUntrusted;
    case BR_ERR_X509_BAD_SERVER_NAME:
      return tls_reason::kOtherName;
    case BR_ERR_X509_EXPIRED:
      return tls_reason::kExpired;
    default:
      return tlsReasonWith(tls_reason::kCertificateRefused, std::to_string(code));
  }
}

}  // namespace

// Trust anchors point into storage of their own, which therefore never moves.
struct AnchorValidator::Anchors {
  std::deque<std::string> bytes;
  std::vector<br_x509_trust_anchor> list;
  std::vector<std::string> certificates;  // as trusted, in DER

  bool trust(const std::string& der) const {
    return std::find(certificates.begin(), certificates.end(), der) != certificates.end();
  }

  unsigned char* keep(const unsigned char* data, std::size_t length) {
    return reinterpret_cast<unsigned char*>(
        bytes.emplace_back(reinterpret_cast<const char*>(data), length).data());
  }

  void add(const std::string& der) {
    std::string name;
    br_x509_decoder_context decoder;
    br_x509_decoder_init(&decoder, appendTo, &name);
    br_x509_decoder_push(&decoder, der.data(), der.size());
    const br_x509_pkey* const key = br_x509_decoder_get_pkey(&decoder);
    if (key == nullptr || br_x509_decoder_last_error(&decoder) != 0) return;
    br_x509_trust_anchor anchor{};
    anchor.dn.data = keep(reinterpret_cast<const unsigned char*>(name.data()), name.size());
    anchor.dn.len = name.size();
    anchor.flags = br_x509_decoder_isCA(&decoder) ? BR_X509_TA_CA : 0;
    anchor.pkey.key_type = key->key_type;
    if (key->key_type == BR_KEYTYPE_RSA) {
      const br_rsa_public_key& rsa = key->key.rsa;
      anchor.pkey.key.rsa = {keep(rsa.n, rsa.nlen), rsa.nlen, keep(rsa.e, rsa.elen), rsa.elen};
    } else if (key->key_type == BR_KEYTYPE_EC) {
      const br_ec_public_key& ec = key->key.ec;
      anchor.pkey.key.ec = {ec.curve, keep(ec.q, ec.qlen), ec.qlen};
    } else {
      return;
    }
    list.push_back(anchor);
    certificates.push_back(der);
  }
};

AnchorValidator::AnchorValidator(const std::string& pemFile)
    : anchors_(std::make_unique<Anchors>()) {
  if (pemFile.empty()) return;
  std::ifstream file(pemFile, std::ios::binary);
  const std::string pem((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // A last line without its end still ends its object.
  for (const std::string& der : pemCertificates(pem + "\n")) anchors_->add(der);
}

AnchorValidator::~AnchorValidator() = default;

std::string AnchorValidator::validate(const std::vector<std::string>& chain,
                                      const std::string& serverName) {
  // BearSSL takes no name as leave to skip the name check.
  if (serverName.empty()) return tls_reason::kNoServerName;
  if (chain.empty()) return tls_reason::kNoCertificate;
  // A server whose own certificate is a trusted root needs nothing else it sent, as for Windows.
  const bool ownRoot = anchors_->trust(chain.front());
  const std::span<const std::string> judged(chain.data(), ownRoot ? 1 : chain.size());
  br_x509_minimal_context checker;
  br_x509_minimal_init(&checker, &br_sha256_vtable, anchors_->list.data(), anchors_->list.size());
  br_x509_minimal_set_hash(&checker, br_sha1_ID, &br_sha1_vtable);
  br_x509_minimal_set_hash(&checker, br_sha224_ID, &br_sha224_vtable);
  br_x509_minimal_set_hash(&checker, br_sha256_ID, &br_sha256_vtable);
  br_x509_minimal_set_hash(&checker, br_sha384_ID, &br_sha384_vtable);
  br_x509_minimal_set_hash(&checker, br_sha512_ID, &br_sha512_vtable);
  br_x509_minimal_set_rsa(&checker, &br_rsa_i15_pkcs1_vrfy);
  br_x509_minimal_set_ecdsa(&checker, &ellipticCurves(), &br_ecdsa_i15_vrfy_asn1);
  const br_x509_class** const context = &checker.vtable;
  (*context)->start_chain(context, serverName.c_str());
  for (const std::string& certificate : judged) {
    (*context)->start_cert(context, static_cast<std::uint32_t>(certificate.size()));
    (*context)->append(context, reinterpret_cast<const unsigned char*>(certificate.data()),
                       certificate.size());
    (*context)->end_cert(context);
  }
  const unsigned code = (*context)->end_chain(context);
  if (code != 0) return reasonFor(code);
  // BearSSL reads neither whether the server's own certificate is an authority's nor the
  // purposes it was made out for.
  return serverUseRefusal(chain.front(), ownRoot);
}

}  // namespace vantrel::platform::tls
