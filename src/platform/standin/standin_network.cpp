#include "platform/standin/standin_network.h"

namespace vantrel::platform::standin {

NetworkWatchId StandinNetwork::watchChanges(std::function<void()> onChange) {
  return watchers_.add(std::move(onChange));
}

void StandinNetwork::unwatchChanges(NetworkWatchId id) {
  watchers_.remove(id);
}

void StandinNetwork::setConnected(bool connected, bool told) {
  connected_ = connected;
  if (!told) return;
  loop_.post([this] { watchers_.tellAll(); });
}

}  // namespace vantrel::platform::standin
