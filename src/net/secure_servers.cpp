#include "net/secure_servers.h"

#include "base/text.h"

namespace vantrel::net {

namespace {

std::string serverKey(std::string_view host, int port) {
  while (host.ends_with('.')) host.remove_suffix(1);
  return base::toLowerCp1252(host) + ":" + std::to_string(port);
}

}  // namespace

bool SecureServers::contains(std::string_view host, int port) const {
  return servers_.contains(serverKey(host, port));
}

void SecureServers::add(std::string_view host, int port) {
  servers_.insert(serverKey(host, port));
}

}  // namespace vantrel::net
