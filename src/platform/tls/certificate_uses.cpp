#include "platform/tls/certificate_uses.h"

#include <cstddef>

#include "platform/socket.h"

namespace vantrel::platform::tls {

namespace {

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kBoolean = 0x01;
constexpr unsigned char kBitString = 0x03;
constexpr unsigned char kOctetString = 0x04;
constexpr unsigned char kObjectId = 0x06;
constexpr unsigned char kExtensions = 0xA3;  // [3] of the certificate's signed part

// Object identifiers as DER writes their contents.
constexpr std::string_view kBasicConstraints("\x55\x1D\x13", 3);
constexpr std::string_view kKeyUsage("\x55\x1D\x0F", 3);
constexpr std::string_view kExtendedKeyUsage("\x55\x1D\x25", 3);
constexpr std::string_view kServerAuth("\x2B\x06\x01\x05\x05\x07\x03\x01", 8);
constexpr std::string_view kAnyExtendedKeyUsage("\x55\x1D\x25\x00", 4);

// Key usage bits of the first byte.
constexpr unsigned char kDigitalSignature = 0x80;
constexpr unsigned char kKeyEncipherment = 0x20;
constexpr unsigned char kKeyAgreement = 0x08;

struct Element {
  unsigned char tag;
  std::string_view contents;
};

// Takes the next element off the front of `bytes`; nothing when they do not start with a whole
// one in DER (one-byte tags, definite lengths of at most four bytes).
std::optional<Element> take(std::string_view& bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto tag = static_cast<unsigned char>(bytes[0]);
  if ((tag & 0x1F) == 0x1F) return std::nullopt;
  std::size_t length = static_cast<unsigned char>(bytes[1]);
  std::size_t at = 2;
  if (length & 0x80) {
    const std::size_t count = length & 0x7F;
    if (count == 0 || count > 4 || bytes.size() - at < count) return std::nullopt;
    length = 0;
    for (std::size_t i = 0; i < count; ++i) {
      length = (length << 8) | static_cast<unsigned char>(bytes[at++]);
    }
  }
  if (length > bytes.size() - at) return std::nullopt;
  const Element element{tag, bytes.substr(at, length)};
  bytes.remove_prefix(at + length);
  return element;
}

// The one element of the given tag that `bytes` hold, and nothing after it.
std::optional<std::string_view> only(std::string_view bytes, unsigned char tag) {
  const auto element = take(bytes);
  if (!element || element->tag != tag || !bytes.empty()) return std::nullopt;
  return element->contents;
}

bool readBasicConstraints(std::string_view value, CertificateUses& uses) {
  auto fields = only(value, kSequence);
  if (!fields) return false;
  if (fields->empty()) return true;  // cA defaults to false
  const auto first = take(*fields);
  if (!first) return false;
  if (first->tag == kBoolean) {
    if (first->contents.size() != 1) return false;
    uses.authority = first->contents[0] != 0;
  }
  return true;
}

bool readKeyUsage(std::string_view value, CertificateUses& uses) {
  const auto bits = only(value, kBitString);
  if (!bits || bits->empty()) return false;
  // After the count of unused bits; no byte at all allows nothing.
  const auto first = bits->size() > 1 ? static_cast<unsigned char>((*bits)[1]) : 0;
  uses.signs = (first & kDigitalSignature) != 0;
  uses.exchangesKeys = (first & (kKeyEncipherment | kKeyAgreement)) != 0;
  return true;
}

bool readExtendedKeyUsage(std::string_view value, CertificateUses& uses) {
  auto purposes = only(value, kSequence);
  if (!purposes) return false;
  uses.serverAuth = false;
  while (!purposes->empty()) {
    const auto purpose = take(*purposes);
    if (!purpose || purpose->tag != kObjectId) return false;
    if (purpose->contents == kServerAuth || purpose->contents == kAnyExtendedKeyUsage) {
      uses.serverAuth = true;
    }
  }
  return true;
}

std::optional<CertificateUses> readExtensions(std::string_view list) {
  CertificateUses uses;
  bool seenBasic = false;
  bool seenKeyUsage = false;
  bool seenExtended = false;
  while (!list.empty()) {
    const auto extension = take(list);
    if (!extension || extension->tag != kSequence) return std::nullopt;
    std::string_view parts = extension->contents;
    const auto id = take(parts);
    auto value = take(parts);
    if (!id || id->tag != kObjectId || !value) return std::nullopt;
    if (value->tag == kBoolean) value = take(parts);  // the critical flag
    if (!value || value->tag != kOctetString || !parts.empty()) return std::nullopt;
    bool read = true;
    bool* seen = nullptr;
    if (id->contents == kBasicConstraints) {
      seen = &seenBasic;
      read = readBasicConstraints(value->contents, uses);
    } else if (id->contents == kKeyUsage) {
      seen = &seenKeyUsage;
      read = readKeyUsage(value->contents, uses);
    } else if (id->contents == kExtendedKeyUsage) {
      seen = &seenExtended;
      read = readExtendedKeyUsage(value->contents, uses);
    }
    // Twice the same extension leaves its meaning open.
    if (!read || (seen != nullptr && *seen)) return std::nullopt;
    if (seen != nullptr) *seen = true;
  }
  return uses;
}

}  // namespace

std::optional<CertificateUses> certificateUses(std::string_view der) {
  const auto certificate = only(der, kSequence);
  if (!certificate) return std::nullopt;
  std::string_view parts = *certificate;
  const auto signedPart = take(parts);
  if (!signedPart || signedPart->tag != kSequence) return std::nullopt;
  std::string_view fields = signedPart->contents;
  while (!fields.empty()) {
    const auto field = take(fields);
    if (!field) return std::nullopt;
    if (field->tag != kExtensions) continue;
    const auto list = only(field->contents, kSequence);
    if (!list) return std::nullopt;
    return readExtensions(*list);
  }
  return CertificateUses{};  // no extensions, no limits
}

std::string serverUseRefusal(std::string_view der, bool trustedItself) {
  const auto uses = certificateUses(der);
  if (!uses) return tls_reason::kUnreadable;
  if (uses->authority && !trustedItself) return tls_reason::kAuthority;
  if (!uses->serverAuth) return tls_reason::kNotForServers;
  return {};
}

}  // namespace vantrel::platform::tls
