#pragma once
// Waiting for a network to come back: the system's word that the addresses or routes changed,
// where it gives one, and a look every few seconds while, and only while, there is none (Windows
// under Wine never gives that word).

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/event_loop.h"
#include "platform/network.h"

namespace vantrel::app {

class NetworkWait {
 public:
  // Within 10 s of a network's return, with time to spare for what follows it.
  static constexpr std::uint32_t kLookEveryMs = 5000;

  NetworkWait(platform::EventLoop& loop, platform::Network& network)
      : loop_(loop), network_(network) {}
  NetworkWait(const NetworkWait&) = delete;
  NetworkWait& operator=(const NetworkWait&) = delete;
  ~NetworkWait() { cancel(); }

  // `onBack` runs once, from the loop, when a network is there; a later call replaces it.
  void whenConnected(std::function<void()> onBack);
  void cancel();
  bool waiting() const { return static_cast<bool>(onBack_); }

 private:
  void look();

  platform::EventLoop& loop_;
  platform::Network& network_;
  std::function<void()> onBack_;
  std::optional<platform::NetworkWatchId> watch_;
  std::optional<platform::TimerId> timer_;
};

}  // namespace vantrel::app
