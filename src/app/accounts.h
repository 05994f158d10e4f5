#pragma once
// The mail accounts Outlook Express keeps for each identity, POP3 and IMAP: in the identity's own
// area and in the shared area when that belongs to the identity.

#include <string>
#include <string_view>
#include <vector>

#include "base/ini_file.h"
#include "platform/registry.h"

namespace vantrel::app {

enum class AccountKind { Pop3, Imap };

inline constexpr int kPop3PlainPort = 110;
inline constexpr int kPop3SecurePort = 995;
inline constexpr int kImapPlainPort = 143;
inline constexpr int kImapSecurePort = 993;

// The question for an account's password, followed by the account's name: fixed, in French
// whatever the language.
inline constexpr std::string_view kAskPasswordPrompt = "Entrez le mot de passe du compte ";

struct MailAccount {
  // The registry key (under HKEY_CURRENT_USER) it was read from: both areas number their accounts
  // alike, so the key's name alone does not tell.
  std::string keyPath;
  AccountKind kind = AccountKind::Pop3;
  std::string accountName;
  std::string server;
  std::string userName;
  // POP3: "POP3 Skip Account". IMAP: its tick in the settings file is off.
  bool skip = false;
  // The kind's secure-connection flag, read by secureConnectionOf.
  bool secure = false;
  // The kind's port value when it is a port number, otherwise the usual port of the kind and
  // connection.
  int port = kPop3PlainPort;
  std::string passwordKey;  // decided among the accounts of every identity
  // IMAP: the [Email] key of its tick, identity + "_" + account + "_imap" made storable and kept
  // apart from other IMAP accounts' as password keys are. "0" leaves the account out of checks;
  // any other value, or none, keeps it in.
  std::string tickKey;
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
// The identity's mail accounts: its own area first, then the shared area if it belongs to it,
// each in registry order. A key with a POP3 server is a POP3 account, else one with an IMAP
// server an IMAP account, else no mail account. Each comes with its password key; a POP3
// account's never depends on the IMAP accounts there are.
std::vector<MailAccount> mailAccountsOf(platform::Registry& registry, const base::IniFile& iniFile,
                                        std::string_view guid);

}  // namespace vantrel::app
