#pragma once
// What every TLS engine promises under Sockets::send and receive, checked through a socket back
// end against the server STALLS of tests/net/tls_server.py. Portable: the native suite
// runs it for OpenSSL and the built-in engine, wine_check for SChannel and the built-in engine
// on Windows.

#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::net::testing {

// A send that answered would-block, then either other bytes (a command of the clean-up, over the
// half-sent record) or the same bytes again. What broke the promise, one line each; empty when
// it held.
std::vector<std::string> sendAfterWouldBlockFaults(platform::Sockets& sockets,
                                                   platform::EventLoop& loop, int stallsPort);

}  // namespace vantrel::net::testing
