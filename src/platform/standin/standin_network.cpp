#include "platform/standin/standin_network.h"

#include <vector>

namespace vantrel::platform::standin {

NetworkWatchId StandinNetwork::watchChanges(std::function<void()> onChange) {
  const NetworkWatchId id = nextId_++;
  watchers_.emplace(id, std::move(onChange));
  return id;
}

void StandinNetwork::unwatchChanges(NetworkWatchId id) {
  watchers_.erase(id);
}

void StandinNetwork::setConnected(bool connected, bool told) {
  connected_ = connected;
  if (!told) return;
  loop_.post([this] {
    std::vector<NetworkWatchId> ids;
    for (const auto& [id, onChange] : watchers_) ids.push_back(id);
    for (const NetworkWatchId id : ids) {
      const auto found = watchers_.find(id);
      if (found == watchers_.end()) continue;  // unwatched by an earlier one
      const auto onChange = found->second;
      onChange();
    }
  });
}

}  // namespace vantrel::platform::standin
