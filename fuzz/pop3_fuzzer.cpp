// The POP3 dialogue against any byte stream from the server, the way the mail check drives it,
// with the summaries of the newest messages (LIST, TOP and their multi-line answers).
// The first byte sets the size of the packets the stream arrives in.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "net/pop3_client.h"
#include "scripted_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
  vantrel::fuzz::InstantLoop loop;
  vantrel::fuzz::ScriptedSockets sockets(stream, data[0]);
  vantrel::net::TPop3Client pop(loop, sockets);
  vantrel::fuzz::checkMail(pop, "secret", [&pop] { pop.RetrieveSummaries(5); });
  return 0;
}
