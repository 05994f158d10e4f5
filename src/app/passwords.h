#pragma once
// Account passwords: where they are kept in [Email], how they are scrambled, and how a scrambled
// form is written so that the settings file gives it back exactly.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/account_keys.h"
#include "base/ini_file.h"

namespace vantrel::app {

inline constexpr std::array<std::int32_t, 8> passwordShiftTable{3, -1, -2, 4, 1, -4, 2, -3};

// Each byte shifted by the table entry of its position (modulo 8), wrapping at 256. The result
// keeps every byte, a 0 included: the settings file value takes care of it.
std::string scramblePassword(std::string_view password);
// The reverse shift; the password ends at its first zero byte.
std::string unscramblePassword(std::string_view stored);

// [Email] key of an account's password: identity + "_" + account + "_pass", made storable by the
// rule that program names follow in [Progs] when the names would break the key line.
std::string accountPasswordKey(std::string_view identity, std::string_view account);
// The password key of every account, by unclashedAccountKeys: the one rule for the question of
// the e-mail tab, the mail check and the question after a refused password.
std::vector<std::string> accountPasswordKeys(const std::vector<AccountOfIdentity>& accounts,
                                             std::span<const std::string> reserved = {});

// The text written to the settings file for a scrambled form, or any other value that must come
// back byte for byte: the value itself whenever the file gives it back unchanged, otherwise a
// quoted and escaped form that no plain value can be.
std::string passwordFileValue(std::string_view scrambled);
// The scrambled form from the value the settings file reads back.
std::string scrambledFromFileValue(std::string_view value);

// Whom a password was typed for. Password keys follow the accounts' names and order, so a key can
// pass to another account (one added under the same name takes it): the owner stored beside the
// password keeps it from going to any other server or user name.
struct PasswordOwner {
  std::string server;
  std::string userName;
  // The account's registry key, which tells an account whose server was changed in Outlook
  // Express from another account that took the password's key; empty where it is not known.
  std::string account = {};
};

// The password stored under `key`, unscrambled, whoever it is for; empty when none is stored.
std::string readPassword(const base::IniFile& iniFile, std::string_view key);
// Writes a newly typed password and its owner at once, the owner beside the password key (that
// key + "_server", "_user" and "_account"); the new password has not gone over TLS yet.
void writePassword(base::IniFile& iniFile, std::string_view key, std::string_view password,
                   const PasswordOwner& owner);
// Stores whom the password under `key` is for, leaving the password as it is.
void bindPassword(base::IniFile& iniFile, std::string_view key, const PasswordOwner& owner);
// Marks the password under `key` as one that has gone over TLS (that key + "_tls"): it never goes
// in clear text again, until a new one is typed.
void markPasswordSentOverTls(base::IniFile& iniFile, std::string_view key);

struct StoredPassword {
  std::string password;  // empty: none stored for this owner
  // No owner is stored: an earlier version wrote it. It is used as it always was.
  bool unbound = false;
  // It has gone over TLS: never in clear text again.
  bool overTlsOnly = false;
  // None for this owner, but one for this very account on the server or user name it had before
  // (an account whose owner is not stored counts as this one).
  bool ownerChanged = false;
};
// The password under `key` that `owner` may send: none when it was stored for someone else. Server
// names are alike without regard to letter case or a final dot, user names only exactly.
StoredPassword storedPasswordFor(const base::IniFile& iniFile, std::string_view key,
                                 const PasswordOwner& owner);

}  // namespace vantrel::app
