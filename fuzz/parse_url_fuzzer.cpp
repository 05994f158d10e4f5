// ParseURL and BuildRequestHeader on any URL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/http_client.h"
#include "scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrel::fuzz::InstantLoop loop;
  vantrel::fuzz::ScriptedSockets sockets({}, 0);
  vantrel::net::THttpClient http(loop, sockets);
  http.Host = "127.0.0.1";
  http.RequestURL.assign(reinterpret_cast<const char*>(data), size);
  try {
    http.ParseURL();
  } catch (const vantrel::net::Exception&) {
    return 0;
  }
  if (http.RequestPath.empty() || http.RequestPath.size() > 256) std::abort();
  http.BuildRequestHeader();
  if (http.HeaderList.Count() < 5) std::abort();
  return 0;
}
