#pragma once
// The network signal for the app tests: connected until a test says otherwise, and the change
// told at the loop's next dispatch, as the real signals tell it.

#include <functional>

#include "platform/network.h"
#include "platform/network_watchers.h"
#include "platform/standin/standin_event_loop.h"

namespace vantrel::platform::standin {

class StandinNetwork final : public Network {
 public:
  explicit StandinNetwork(StandinEventLoop& loop) : loop_(loop) {}

  bool connected() const override { return connected_; }
  NetworkWatchId watchChanges(std::function<void()> onChange) override;
  void unwatchChanges(NetworkWatchId id) override;

  // The network goes or comes back; told or not, as Windows under Wine never tells.
  void setConnected(bool connected, bool told = true);

 private:
  StandinEventLoop& loop_;
  bool connected_ = true;
  NetworkWatchers watchers_;
};

}  // namespace vantrel::platform::standin
