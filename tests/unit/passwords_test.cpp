// Scrambled account passwords and how they survive the settings file; the GUID bytes that tell
// whose the shared account area is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/accounts.h"
#include "app/passwords.h"
#include "app/settings.h"
#include "base/ini_file.h"
#include "platform/standin/standin_registry.h"

namespace vantrel::app {
namespace {

TEST(ScramblePassword, ShiftsByThePositionsTableWrappingAfterEightAndAt256) {
  EXPECT_EQ(scramblePassword("AAAAAAAAA"), "D@?EB=C>D");
  EXPECT_EQ(unscramblePassword("D@?EB=C>D"), "AAAAAAAAA");
  EXPECT_EQ(scramblePassword("secret"), "vdavfp");
  EXPECT_EQ(scramblePassword("\xFF\x01"), std::string("\x02\x00", 2)) << "the 0 is kept";
  EXPECT_EQ(unscramblePassword(std::string("\x02\x00", 2)), "\xFF\x01");
  EXPECT_EQ(scramblePassword(std::string("ab\0cd", 5)), "da") << "a password ends at a 0";
  EXPECT_EQ(unscramblePassword("\x03z"), "") << "what unscrambles to a 0 ends the password";
  EXPECT_EQ(scramblePassword(""), "");
}

class PasswordFile : public ::testing::Test {
 protected:
  PasswordFile() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("vantrel-passwords-" + std::to_string(random()) + ".ini");
  }
  ~PasswordFile() override {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  // Written by one run of the program, read by the next.
  std::string readBack(const std::string& key, const std::string& password) {
    {
      base::IniFile file(path_.string());
      writePassword(file, key, password, {"pop.example.com", "ann"});
    }
    return readPassword(base::IniFile(path_.string()), key);
  }
  std::filesystem::path path_;
};

TEST_F(PasswordFile, EveryPasswordAUserCanTypeReadsBackUnchanged) {
  const std::vector<std::string> passwords = {
      "secret",
      "a!",    // scrambles to a value ending in a blank
      "ab\"",  // ... and this one too
      "$(",    // to a value in matching single quotes
      "abc\xFC"
      "def",      // "ü" fourth scrambles to 0
      "\xFDtre",  // "ý" first scrambles to 0
      "Y!",       // a backslash in the escaped form
      "Y0\\00",   // escape-like text in a plain value
      "p=q;r[s]",
      "  spaced  ",
      "'quoted'",
      "\"dq\"",
      "\xE9t\xE9 \xE0 l'\xEEle",
      "\xFF\xFE\xFD\xFC\xFB\xFA\xF9\xF8\xF7",
  };
  for (const auto& password : passwords) {
    EXPECT_EQ(readBack("Alice_Home_pass", password), password) << password;
  }
}

// Stored in one run of the program for one owner, asked for in the next by another.
TEST_F(PasswordFile, APasswordGoesOnlyToTheServerAndUserNameItWasStoredFor) {
  struct Case {
    std::string name;
    std::optional<PasswordOwner> storedFor;  // none: written by an earlier version
    PasswordOwner asking;
    std::string password;  // what `asking` gets
    bool unbound = false;
  };
  const PasswordOwner ann{"pop.example.com", "ann"};
  // Names the file would not give back as plain values.
  const PasswordOwner odd{" pop.example.com\\ ", std::string("'ann'\r\n\0\"x\"", 11)};
  const std::vector<Case> cases = {
      {"its owner", ann, ann, "pw"},
      {"server in other letters, with a final dot", ann, {"POP.Example.COM.", "ann"}, "pw"},
      {"another server", ann, {"imap.example.com", "ann"}, ""},
      {"a server that only begins alike", ann, {"pop.example.co", "ann"}, ""},
      {"the user name in other letters", ann, {"pop.example.com", "Ann"}, ""},
      {"the user name with a blank more", ann, {"pop.example.com", "ann "}, ""},
      {"an earlier version's password goes as before",
       std::nullopt,
       {"imap.example.com", "bob"},
       "pw",
       true},
      {"names the file keeps only in its escaped form", odd, odd, "pw"},
      {"... and not their trimmed, unquoted forms", odd, {"pop.example.com\\", "ann"}, ""},
  };
  const std::string key = "Alice_Cloud_pass";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(path_);
    {
      base::IniFile file(path_.string());
      if (c.storedFor) {
        writePassword(file, key, "pw", *c.storedFor);
      } else {
        file.writeString(kSectionEmail, key, passwordFileValue(scramblePassword("pw")));
      }
    }
    const auto stored = storedPasswordFor(base::IniFile(path_.string()), key, c.asking);
    EXPECT_EQ(stored.password, c.password);
    EXPECT_EQ(stored.unbound, c.unbound);
  }

  // Bound later, an earlier version's password is its owner's alone.
  base::IniFile file(path_.string());
  bindPassword(file, key, ann);
  EXPECT_EQ(storedPasswordFor(file, key, {"imap.example.com", "bob"}).password, "");
  EXPECT_EQ(storedPasswordFor(file, key, ann).password, "pw");
  EXPECT_FALSE(storedPasswordFor(file, key, ann).unbound);
}

// The mark of a password that has gone over TLS, as the file gives it: one that cannot be read
// keeps the password from clear text. The app tests follow a mark from one run to the next.
TEST_F(PasswordFile, AMarkOfTlsThatCannotBeReadKeepsThePasswordFromClearText) {
  for (const auto& [mark, overTlsOnly] :
       std::vector<std::pair<std::string, bool>>{{"", false},
                                                 {"_tls=1", true},
                                                 {"_TLS=1", true},
                                                 {"_tls=0", false},
                                                 {"_tls=yes", true},
                                                 {"_tls=", true}}) {
    SCOPED_TRACE(mark);
    std::ofstream(path_) << "[Email]\nA_Home_pass=vdavfp\n"
                         << (mark.empty() ? "" : "A_Home_pass") << mark << "\n";
    EXPECT_EQ(
        storedPasswordFor(base::IniFile(path_.string()), "A_Home_pass", {"pop", "ann"}).overTlsOnly,
        overTlsOnly);
  }
}

// A password stored for someone else is none for the account asking: it is that account's own,
// for the server or user name it had before, only when it was typed for that very account.
TEST_F(PasswordFile, APasswordOfTheSameAccountForItsFormerServerIsToldFromAnotherAccounts) {
  const std::string home = "Identities\\{A}\\Accounts\\00000001";
  const PasswordOwner newServer{"pop.new.example", "ann", home};
  struct Case {
    std::string name;
    PasswordOwner storedFor;
    std::string password;
    PasswordOwner asking;
    bool ownerChanged;
  };
  const std::vector<Case> cases = {
      {"its server changed", {"pop.old.example", "ann", home}, "pw", newServer, true},
      {"another account that took the key",
       {"pop.old.example", "ann", "Identities\\{A}\\Accounts\\00000002"},
       "pw",
       newServer,
       false},
      {"bound by a version that kept no account",
       {"pop.old.example", "ann"},
       "pw",
       newServer,
       true},
      {"none stored", {"pop.old.example", "ann", home}, "", newServer, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    {
      base::IniFile file(path_.string());
      writePassword(file, "A_Home_pass", c.password, c.storedFor);
    }
    const auto stored = storedPasswordFor(base::IniFile(path_.string()), "A_Home_pass", c.asking);
    EXPECT_EQ(stored.ownerChanged, c.ownerChanged);
    EXPECT_EQ(stored.password, "") << "sent nowhere but where it was typed for";
  }
}

TEST(PasswordFileValue, ValuesTheFileAlreadyKeepsAreWrittenAsTheyAre) {
  for (const std::string stored : {"vdavfp", "\\`_", "'x", "x\"", "a b", "=;[", "\"", "\\00"}) {
    EXPECT_EQ(passwordFileValue(stored), stored);
    EXPECT_EQ(scrambledFromFileValue(stored), stored);
  }
  EXPECT_EQ(passwordFileValue("d "), "\"\"d \"\"");
  EXPECT_EQ(passwordFileValue(std::string("a\0b", 3)), "\"\"a\\00b\"\"");
  EXPECT_EQ(passwordFileValue("\\ "), "\"\"\\5C \"\"");
}

TEST_F(PasswordFile, NamesThatCannotStandInAKeyAreMadeStorableAndKeepTheirPassword) {
  struct Case {
    std::string identity, account, key;
  };
  const std::vector<Case> cases = {
      {"Alice", "Work", "Alice_Work_pass"},
      {"Alice ", " Home", "Alice _ Home_pass"},
      {"A=B", "x=y", "A-B_x-y_pass"},
      {";Bob", "Home", "_;Bob_Home_pass"},
      {"[Team]", "Home", "_[Team]_Home_pass"},
      {"  Carol", "Home", "Carol_Home_pass"},
      // A line break inside is escaped; at the ends it was always trimmed, and stays so.
      {"Alice", "Home\r\nOffice", "Alice_Home\\0D\\0AOffice_pass"},
      {"Al\nice", "Ho\rme", "Al\\0Aice_Ho\\0Dme_pass"},
      {"\r\nDan", "Home", "Dan_Home_pass"},
      {"Eve\\0A", "Home", "Eve\\0A_Home_pass"},
  };
  for (const auto& c : cases) {
    const auto key = accountPasswordKey(c.identity, c.account);
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(readBack(key, "pw of " + c.key), "pw of " + c.key);
  }
}

TEST(AccountPasswordKeys, TheLaterOfTwoAccountsThatWouldShareAKeyGetsANumberNoOtherKeyHas) {
  struct Case {
    std::string name;
    std::vector<AccountOfIdentity> accounts;  // in registry order
    std::vector<std::string> keys;
    std::vector<std::string> reserved = {};  // keys given to accounts of another kind first
  };
  const std::string alice = "{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}";
  const std::string bob = "{C5A8F0E3-6B7D-4C9E-A1F2-4D5E6F708A03}";
  const std::string otherSam = "{8B0C2D4E-6F70-4182-93A4-B5C6D7E8F901}";
  const std::vector<Case> cases = {
      {"no clash: the keys of today",
       {{alice, "Alice", "Home"}, {alice, "Alice", "Work"}, {bob, "Bob", "Home"}},
       {"Alice_Home_pass", "Alice_Work_pass", "Bob_Home_pass"}},
      {"own and shared account of one name",
       {{alice, "Alice", "Home"}, {alice, "Alice", "Home"}},
       {"Alice_Home_pass", "Alice_Home-2_pass"}},
      {"two identities of one name",
       {{alice, "Sam", "Mail"}, {otherSam, "Sam", "Mail"}},
       {"Sam_Mail_pass", "Sam_Mail-2_pass"}},
      {"the file ignores letter case",
       {{alice, "Alice", "HOME"},
        {alice, "alice", "home"},
        {bob, "Bob", "\xC9t\xE9"},
        {bob, "Bob", "\xE9T\xC9"}},
       {"Alice_HOME_pass", "alice_home-2_pass", "Bob_\xC9t\xE9_pass", "Bob_\xE9T\xC9-2_pass"}},
      {"three of a kind",
       {{alice, "Alice", "Home"}, {alice, "Alice", "Home"}, {alice, "Alice", "Home"}},
       {"Alice_Home_pass", "Alice_Home-2_pass", "Alice_Home-3_pass"}},
      {"a number another account's key has, also a later one's",
       {{alice, "Alice", "Home"}, {alice, "Alice", "Home"}, {bob, "Alice", "home-2"}},
       {"Alice_Home_pass", "Alice_Home-3_pass", "Alice_home-2_pass"}},
      {"names that meet at the underscore",
       {{alice, "A_B", "C"}, {bob, "A", "B_C"}},
       {"A_B_C_pass", "A_B_C-2_pass"}},
      {"names made storable",
       {{alice, "Alice", "x=y"}, {alice, "Alice", "x-y"}},
       {"Alice_x-y_pass", "Alice_x-y-2_pass"}},
      {"a key given first stays its account's, also the numbered one",
       {{alice, "Alice", "Home"}, {alice, "Alice", "home-2"}, {bob, "Bob", "Mail"}},
       {"Alice_Home-3_pass", "Alice_home-2-2_pass", "Bob_Mail_pass"},
       {"Alice_Home_pass", "Alice_Home-2_pass"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(accountPasswordKeys(c.accounts, c.reserved), c.keys) << c.name;
  }
  EXPECT_TRUE(accountPasswordKeys({}).empty());
}

TEST(GuidToBinaryHex, ReversesTheFirstThreeGroupsAndKeepsLetterCase) {
  EXPECT_EQ(guidToBinaryHex("{00112233-4455-6677-8899-AABBCCDDEEFF}"),
            "33221100554477668899AABBCCDDEEFF");
  EXPECT_EQ(guidToBinaryHex("{7c3e9b42-1d2f-4a6b-8e5c-3f4a5b6c7d02}"),
            "429b3e7c2f1d6b4a8e5c3f4a5b6c7d02");
  EXPECT_EQ(guidToBinaryHex(""), "");
  EXPECT_EQ(guidToBinaryHex("{12}"), "12") << "a short text gives what it has";
}

TEST(SharedAccountsBelongTo, OnlySixteenBytesEqualToTheUpperCaseGuid) {
  platform::standin::StandinRegistry registry;
  const std::string area =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Account Manager\\Accounts";
  const std::vector<std::uint8_t> alice{0x42, 0x9b, 0x3e, 0x7c, 0x2f, 0x1d, 0x6b, 0x4a,
                                        0x8e, 0x5c, 0x3f, 0x4a, 0x5b, 0x6c, 0x7d, 0x02};
  const std::string guid = "{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}";
  const auto belongs = [&](const std::string& to) {
    const auto key =
        registry.openReadOnly(platform::RegistryRoot::CurrentUser,
                              "Software\\Microsoft\\Internet Account Manager\\Accounts");
    return key && sharedAccountsBelongTo(*key, to);
  };
  registry.setValue(area, "Other", std::string("x"));
  EXPECT_FALSE(belongs(guid)) << "no AssociatedID";
  registry.setValue(area, "AssociatedID", alice);
  EXPECT_TRUE(belongs(guid));
  EXPECT_FALSE(belongs("{7c3e9b42-1d2f-4a6b-8e5c-3f4a5b6c7d02}")) << "letter case counts";
  EXPECT_FALSE(belongs("{C5A8F0E3-6B7D-4C9E-A1F2-4D5E6F708A03}"));
  EXPECT_FALSE(belongs(""));
  registry.setValue(area, "AssociatedID",
                    std::vector<std::uint8_t>(alice.begin(), alice.end() - 1));
  EXPECT_FALSE(belongs(guid)) << "15 bytes";
  registry.setValue(area, "AssociatedID", std::string("429B3E7C2F1D6B4A8E5C3F4A5B6C7D02"));
  EXPECT_FALSE(belongs(guid)) << "not binary";
}

}  // namespace
}  // namespace vantrel::app
