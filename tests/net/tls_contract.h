#pragma once
// What every TLS engine promises under Sockets::send and receive, checked through a socket back
// end against the servers STALLS and ENDS of tests/net/tls_server.py. Portable: the native suite
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

// A server that ends the connection with its close notice, without it, or in the middle of a
// record: each is the end of the stream from the first receive that meets it on.
std::vector<std::string> endOfStreamFaults(platform::Sockets& sockets, platform::EventLoop& loop,
                                           int endsPort);

}  // namespace vantrel::net::testing
