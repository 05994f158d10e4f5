#pragma once
// The servers that have offered TLS or made a TLS session in this run, by host and port. Shared by
// every mail client of one owner: a server that has once been secure never again gets a password
// in clear text, whichever client speaks to it next.

#include <set>
#include <string>
#include <string_view>

namespace vantrel::net {

class SecureServers {
 public:
  // A host is one server however its name is written: letter case and a final dot change nothing.
  bool contains(std::string_view host, int port) const;
  void add(std::string_view host, int port);

 private:
  std::set<std::string> servers_;  // host in small letters, no final dot, ":" port
};

}  // namespace vantrel::net
