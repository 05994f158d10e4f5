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

// The text written to the settings file for a scrambled form: the form itself whenever the file
// gives it back unchanged, otherwise a quoted and escaped form that no plain value can be.
std::string passwordFileValue(std::string_view scrambled);
// The scrambled form from the value the settings file reads back.
std::string scrambledFromFileValue(std::string_view value);

// The password stored under `key`, unscrambled; empty when none is stored.
std::string readPassword(const base::IniFile& iniFile, std::string_view key);
void writePassword(base::IniFile& iniFile, std::string_view key, std::string_view password);

}  // namespace vantrel::app
