#include "platform/posix/network_posix.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/route.h>
#include <sys/socket.h>

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace vantrel::platform::posix {

namespace {

constexpr char kRouteTable[] = "/proc/net/route";

// The next blank-separated word of `text` from `at`.
std::string_view nextWord(std::string_view text, std::size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  const std::size_t start = at;
  while (at < text.size() && text[at] != ' ' && text[at] != '\t') ++at;
  return text.substr(start, at - start);
}

}  // namespace

bool routesLeaveTheMachine(std::string_view routeTable) {
  // Iface Destination Gateway Flags ..., the flags in hexadecimal; the first line names them.
  bool heading = true;
  while (!routeTable.empty()) {
    const std::size_t end = routeTable.find('\n');
    const std::string_view line = routeTable.substr(0, end);
    routeTable.remove_prefix(end == std::string_view::npos ? routeTable.size() : end + 1);
    if (std::exchange(heading, false)) continue;
    std::size_t at = 0;
    const std::string_view interface = nextWord(line, at);
    nextWord(line, at);
    nextWord(line, at);
    const std::string_view flagsText = nextWord(line, at);
    unsigned flags = 0;
    const auto [stop, error] =
        std::from_chars(flagsText.data(), flagsText.data() + flagsText.size(), flags, 16);
    if (interface.empty() || interface == "lo" || error != std::errc() ||
        stop != flagsText.data() + flagsText.size()) {
      continue;
    }
    if (flags & RTF_UP) return true;
  }
  return false;
}

PosixNetwork::PosixNetwork(EventLoop& loop)
    : loop_(loop),
      notices_(::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE)) {
  sockaddr_nl groups{};
  groups.nl_family = AF_NETLINK;
  groups.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV4_ROUTE;
  if (notices_.valid() &&
      ::bind(notices_.get(), reinterpret_cast<const sockaddr*>(&groups), sizeof groups) != 0) {
    notices_.reset();
  }
  if (notices_.valid()) {
    watch_ = loop_.watchSocket(notices_.get(), kSocketRead, [this] { noticed(); });
  }
}

PosixNetwork::~PosixNetwork() {
  if (watch_) loop_.unwatchSocket(*watch_);
}

bool PosixNetwork::connected() const {
  std::ifstream table(kRouteTable);
  // A table that cannot be read says nothing: the checks go on as if there were a network.
  if (!table) return true;
  return routesLeaveTheMachine(
      std::string(std::istreambuf_iterator<char>(table), std::istreambuf_iterator<char>()));
}

NetworkWatchId PosixNetwork::watchChanges(std::function<void()> onChange) {
  return watchers_.add(std::move(onChange));
}

void PosixNetwork::unwatchChanges(NetworkWatchId id) {
  watchers_.remove(id);
}

void PosixNetwork::noticed() {
  // What the notices say is not needed: connected() reads the table afresh. One call a burst.
  char buffer[8192];
  while (::recv(notices_.get(), buffer, sizeof buffer, 0) > 0) {
  }
  watchers_.tellAll();
}

}  // namespace vantrel::platform::posix
