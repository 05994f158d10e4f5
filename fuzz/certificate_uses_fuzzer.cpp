// What a certificate's extensions allow, read from any bytes a server may send as its
// certificate: a verdict or nothing, never a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/tls/certificate_uses.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view der(reinterpret_cast<const char*>(data), size);
  const auto uses = vantrel::platform::tls::certificateUses(der);
  // Refused exactly when it is unreadable, an authority's or not for servers.
  const bool refused = !vantrel::platform::tls::serverUseRefusal(der).empty();
  if (refused != (!uses || uses->authority || !uses->serverAuth)) std::abort();
  return 0;
}
