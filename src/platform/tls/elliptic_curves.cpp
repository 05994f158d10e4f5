#include "platform/tls/elliptic_curves.h"

#include <cstddef>

namespace vantrel::platform::tls {

namespace {

const br_ec_impl& implementationOf(int curve) {
  return curve == BR_EC_curve25519 ? br_ec_c25519_i15 : br_ec_prime_i15;
}

}  // namespace

const br_ec_impl& ellipticCurves() {
  static constexpr br_ec_impl kCurves = {
      (1u << BR_EC_secp256r1) | (1u << BR_EC_secp384r1) | (1u << BR_EC_secp521r1) |
          (1u << BR_EC_curve25519),
      [](int curve, std::size_t* length) {
        return implementationOf(curve).generator(curve, length);
      },
      [](int curve, std::size_t* length) { return implementationOf(curve).order(curve, length); },
      [](int curve, std::size_t* length) { return implementationOf(curve).xoff(curve, length); },
      [](unsigned char* point, std::size_t pointLength, const unsigned char* factor,
         std::size_t factorLength, int curve) {
        return implementationOf(curve).mul(point, pointLength, factor, factorLength, curve);
      },
      [](unsigned char* point, const unsigned char* factor, std::size_t factorLength, int curve) {
        return implementationOf(curve).mulgen(point, factor, factorLength, curve);
      },
      [](unsigned char* sum, const unsigned char* other, std::size_t length,
         const unsigned char* factor, std::size_t factorLength, const unsigned char* otherFactor,
         std::size_t otherFactorLength, int curve) {
        return implementationOf(curve).muladd(sum, other, length, factor, factorLength, otherFactor,
                                              otherFactorLength, curve);
      },
  };
  return kCurves;
}

}  // namespace vantrel::platform::tls
