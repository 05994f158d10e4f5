#pragma once
// The callers of Network::watchChanges, kept alike by every implementation: each told once per
// change, in the order they came, a caller that an earlier one unwatched not at all.

#include <functional>
#include <map>
#include <vector>

#include "platform/network.h"

namespace vantrel::platform {

class NetworkWatchers {
 public:
  NetworkWatchId add(std::function<void()> onChange) {
    const NetworkWatchId id = nextId_++;
    watchers_.emplace(id, std::move(onChange));
    return id;
  }
  void remove(NetworkWatchId id) { watchers_.erase(id); }

  void tellAll() {
    std::vector<NetworkWatchId> ids;
    for (const auto& [id, onChange] : watchers_) ids.push_back(id);
    for (const NetworkWatchId id : ids) {
      const auto found = watchers_.find(id);
      if (found == watchers_.end()) continue;  // unwatched by an earlier one
      // A copy: the call may unwatch itself.
      const auto onChange = found->second;
      onChange();
    }
  }

 private:
  std::map<NetworkWatchId, std::function<void()>> watchers_;
  NetworkWatchId nextId_ = 1;
};

}  // namespace vantrel::platform
