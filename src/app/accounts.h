#pragma once
// The POP3 accounts Outlook Express keeps for each identity: in the identity's own area and in
// the shared area when that belongs to the identity.

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace vantrel::app {

enum class AccountArea { Own, Shared };

inline constexpr int kPop3PlainPort = 110;
inline constexpr int kPop3SecurePort = 995;

struct MailAccount {
  std::string keyName;
  AccountArea area = AccountArea::Own;
  std::string accountName;
  std::string server;
  std::string userName;
  bool skip = false;
  // "POP3 Secure Connection", read by secureConnectionOf.
  bool secure = false;
  // "POP3 Port" when it is a port number, otherwise the usual port of the kind of connection.
  int port = kPop3PlainPort;
  std::string passwordKey;  // decided among the accounts of every identity
};

// A secure-connection flag of an account key: a 32-bit integer, or 4 bytes of binary holding one
// (as an imported .reg file may write it), not 0. Absent, it is plain; present in any other form,
// it is secure: a password is never sent in plain text on doubt.
bool secureConnectionOf(const platform::RegistryKey& account, std::string_view valueName);
// The 32 hexadecimal digits of a braced GUID's 16 bytes as stored (first three groups
// little-endian), letters in the case the GUID has them.
std::string guidToBinaryHex(std::string_view guid);
// Whether the shared area's "AssociatedID" holds exactly this GUID.
bool sharedAccountsBelongTo(const platform::RegistryKey& sharedArea, std::string_view guid);
// The identity's accounts with a POP3 server: its own area first, then the shared area if it
// belongs to it, each in registry order; each with its password key.
std::vector<MailAccount> pop3AccountsOf(platform::Registry& registry, std::string_view guid);
// The registry key (under HKEY_CURRENT_USER) an account of this identity was read from.
std::string accountKeyPath(std::string_view guid, const MailAccount& account);

}  // namespace vantrel::app
