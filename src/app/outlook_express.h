#pragma once
// What Vantrel relies on of Outlook Express, an outside program, in one place.

#include <string_view>

namespace vantrel::app::oe {

inline constexpr std::string_view kExecutable = "msimn.exe";
// Under HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kInstallKey = "Software\\Microsoft\\Outlook Express";
inline constexpr std::string_view kInstallRoot = "InstallRoot";  // may hold %references%
inline constexpr std::string_view kMediaVer = "MediaVer";        // "6,00,2900,5512"
inline constexpr std::string_view kNewsSwitch = "/news";
// The class of Outlook Express's main window.
inline constexpr std::string_view kBrowserWindowClass = "Outlook Express Browser Class";
// Part of the title of the identity logon window of a French Outlook Express.
inline constexpr std::string_view kIdentityLogonTitle = "Connexion d'une identit\xE9";

// Under HKEY_CURRENT_USER.
inline constexpr std::string_view kIdentitiesKey = "Identities";
inline constexpr std::string_view kUsername = "Username";
inline constexpr std::string_view kLastUsername = "Last Username";
inline constexpr std::string_view kLastUserId = "Last User ID";
inline constexpr std::string_view kStartAs = "Start As";
inline constexpr std::string_view kNullIdentityGuid = "{00000000-0000-0000-0000-000000000000}";
inline constexpr std::string_view kAccountsKey =
    "Software\\Microsoft\\Internet Account Manager\\Accounts";
inline constexpr std::string_view kAccountName = "Account Name";
inline constexpr std::string_view kPop3Server = "POP3 Server";
inline constexpr std::string_view kPop3UserName = "POP3 User Name";
inline constexpr std::string_view kPop3SkipAccount = "POP3 Skip Account";
inline constexpr std::string_view kPop3Port = "POP3 Port";
// Not 0: the server is reached over TLS from the first byte ("SSL" in Outlook Express).
inline constexpr std::string_view kPop3SecureConnection = "POP3 Secure Connection";
// An account without a POP3 server may have an IMAP one; Outlook Express keeps no skip flag for it.
inline constexpr std::string_view kImapServer = "IMAP Server";
inline constexpr std::string_view kImapUserName = "IMAP User Name";
inline constexpr std::string_view kImapPort = "IMAP Port";
inline constexpr std::string_view kImapSecureConnection = "IMAP Secure Connection";
inline constexpr std::string_view kAssociatedId = "AssociatedID";

}  // namespace vantrel::app::oe
