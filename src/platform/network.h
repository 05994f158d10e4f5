#pragma once
// Whether this computer has a network at all, and word when that may have changed: so that a
// machine without one is told apart from a server that cannot be found.

#include <cstdint>
#include <functional>

namespace vantrel::platform {

using NetworkWatchId = std::uint32_t;

class Network {
 public:
  virtual ~Network() = default;

  // A network is an interface other than the loopback one with a route through it: to its own
  // subnet or further (a default route). A computer with the loopback interface alone has none,
  // although servers on 127.0.0.1 still answer it; whether a route leads anywhere is not asked.
  virtual bool connected() const = 0;

  // onChange runs on the loop's thread wherever messages are dispatched, after the addresses or
  // routes changed in a way that may change connected()'s answer (possibly not: a burst of
  // changes may bring several calls, a change of no consequence one). Where the system gives no
  // such word, none comes: connected() still answers.
  virtual NetworkWatchId watchChanges(std::function<void()> onChange) = 0;
  virtual void unwatchChanges(NetworkWatchId id) = 0;
};

}  // namespace vantrel::platform
