// A whole GET cycle against any answer: status line, header lines, redirections and body.
// The first byte sets the size of the packets the answer arrives in.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/http_client.h"
#include "scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view answer(reinterpret_cast<const char*>(data + 1), size - 1);
  vantrel::fuzz::InstantLoop loop;
  vantrel::fuzz::ScriptedSockets sockets(answer, data[0]);
  vantrel::net::THttpClient http(loop, sockets);
  http.Host = "127.0.0.1";
  http.Port = 80;
  http.OnRedirect = [&](bool& handled) { handled = http.Location.size() % 3 == 0; };
  try {
    http.Get("/checkupdate.php?version=2.2");
  } catch (const vantrel::net::Exception&) {
  }
  return 0;
}
