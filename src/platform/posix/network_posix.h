#pragma once
// The network signal of the Linux builds: the kernel's IPv4 routes, and a netlink socket whose
// notices of address and route changes the event loop watches.

#include <functional>
#include <optional>
#include <string_view>

#include "platform/event_loop.h"
#include "platform/network.h"
#include "platform/network_watchers.h"
#include "platform/posix/fd.h"

namespace vantrel::platform::posix {

// Whether a routing table in the form of /proc/net/route holds a route that is up through an
// interface other than the loopback one.
bool routesLeaveTheMachine(std::string_view routeTable);

class PosixNetwork final : public Network {
 public:
  explicit PosixNetwork(EventLoop& loop);
  PosixNetwork(const PosixNetwork&) = delete;
  PosixNetwork& operator=(const PosixNetwork&) = delete;
  ~PosixNetwork() override;

  bool connected() const override;
  NetworkWatchId watchChanges(std::function<void()> onChange) override;
  void unwatchChanges(NetworkWatchId id) override;

 private:
  void noticed();

  EventLoop& loop_;
  Fd notices_;  // netlink; invalid where the system refuses one
  std::optional<WatchId> watch_;
  NetworkWatchers watchers_;
};

}  // namespace vantrel::platform::posix
