#pragma once
// What the network suites share: the real Linux platform, the ports of the servers that
// scripts/test-net starts, and small helpers to read their answers.

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/posix/event_loop_posix.h"
#include "platform/posix/socket_posix.h"

namespace vantrel::net::testing {

struct Platform {
  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets;
};

// The port of a server started by scripts/test-net, named by an environment variable.
inline std::optional<int> serverPort(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::atoi(value);
}

std::string base64Decode(const std::string& text);

// The value of a header line "name: value" in a block of header lines, without its line end.
std::string headerLine(const std::string& header, const std::string& name);

}  // namespace vantrel::net::testing

#define VANTREL_SERVER_PORT(port, variable)                               \
  const auto port##Found = ::vantrel::net::testing::serverPort(variable); \
  if (!port##Found) GTEST_SKIP() << variable << " is not set";            \
  const int port = *port##Found
