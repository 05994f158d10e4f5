#pragma once
// Keys of the settings file made of an identity's and an account's name: the rule that keeps
// two accounts from sharing one.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::app {

// An account as the settings file knows it: whose it is and its name.
struct AccountOfIdentity {
  std::string identityGuid;
  std::string identityName;
  std::string accountName;
};

using AccountKeyMaker = std::string (*)(std::string_view identity, std::string_view account);

// The key of each account, in the order given, which decides which of two is the later: every
// identity in registry order, each one's accounts in theirs. The later of two accounts whose keys
// would be one (letter case ignored, as the file compares keys) has "-2", "-3", ... added to its
// account name, up to the first key that no other account has. Keys without a clash are
// `makeKey`'s own, so that files written before read the same. No account takes a key of
// `reserved`, the keys other accounts were given first: those keep theirs whatever comes after.
std::vector<std::string> unclashedAccountKeys(const std::vector<AccountOfIdentity>& accounts,
                                              AccountKeyMaker makeKey,
                                              std::span<const std::string> reserved = {});

}  // namespace vantrel::app
