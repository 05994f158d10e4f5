#include "app/account_keys.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::app {
namespace {

bool listed(std::span<const std::string> keys, const std::string& key) {
  return std::any_of(keys.begin(), keys.end(),
                     [&](const std::string& other) { return base::equalsIgnoreCase(other, key); });
}

}  // namespace

std::vector<std::string> unclashedAccountKeys(const std::vector<AccountOfIdentity>& accounts,
                                              AccountKeyMaker makeKey,
                                              std::span<const std::string> reserved) {
  std::vector<std::string> plain;
  for (const auto& account : accounts) {
    plain.push_back(makeKey(account.identityName, account.accountName));
  }
  std::vector<std::string> keys;
  const auto taken = [&](const std::string& key) {
    return listed(reserved, key) || listed(plain, key) || listed(keys, key);
  };
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    if (!listed(reserved, plain[i]) && !listed(std::span(plain).first(i), plain[i])) {
      keys.push_back(plain[i]);
      continue;
    }
    const auto& account = accounts[i];
    std::string key;
    int number = 1;
    do {
      key = makeKey(account.identityName, account.accountName + "-" + std::to_string(++number));
    } while (taken(key));
    keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace vantrel::app
