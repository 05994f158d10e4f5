// The e-mail tab: accounts listed per identity, their passwords asked, and check marks written
// back into Outlook Express's skip flags, or into the settings file for IMAP accounts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/passwords.h"
#include "app/settings.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

struct Listed {
  std::string caption;
  std::string server;
  bool checked;
  bool operator==(const Listed&) const = default;
};

std::vector<Listed> listed(const app::TMainForm& form) {
  std::vector<Listed> items;
  for (const auto& item : form.tabMail.listAccounts.items()) {
    EXPECT_EQ(item.imageIndex, 1);
    items.push_back({item.caption, item.subItems.at(0), item.checked});
  }
  return items;
}

std::vector<std::string> questions(const AppBed& bed) {
  std::vector<std::string> prompts;
  for (const auto& shown : bed.sim.dialogs.shown()) {
    if (shown.kind != platform::standin::ShownDialog::Kind::InputQuery) continue;
    EXPECT_EQ(shown.caption, "Vantrel");
    EXPECT_TRUE(shown.password) << "what is typed stays hidden";
    prompts.push_back(shown.text);
  }
  return prompts;
}

app::TMainForm& startConfiguring(AppBed& bed, const std::string& email) {
  bed.importFixture("mail-accounts.reg");
  return bed.startConfiguring(settingsText("", "checkNoIdentities=1\r\n", "[Email]\r\n" + email));
}

void choose(app::TMainForm& form, std::size_t identity) {
  form.tabMail.comboIdentities.selected = identity;
  form.comboIdentitiesChange();
}

// The registry writes of one click in the list.
std::vector<std::string> writesOfAClick(AppBed& bed) {
  const auto before = bed.sim.registry.writes().size();
  bed.form().listAccountsClick();
  return bed.writesSince(before);
}

std::string skipFlagWrite(const std::string& key, int flag) {
  return key + "|POP3 Skip Account=dword:" + std::to_string(flag);
}

TEST(AccountList, ShowsPop3AccountsOfTheIdentitySortedWithSkipFlagsAndTheOwnedSharedArea) {
  struct Case {
    std::size_t identity;
    std::vector<Listed> expected;
  };
  const std::vector<Case> cases = {
      // Own area and the shared area she owns; no "POP3 Server" or an empty one is no account.
      {0,
       {{"Home", "pop.home.example", true},
        {"Home", "pop.home2.example", false},
        {"Old", "pop.old.example", false},
        {"Work", "pop.work.example", true}}},
      // The shared area belongs to another identity; no skip value means checked.
      {1, {{"Bob mail", "pop.bob.example", true}}},
      // No own area, and the shared area is not hers.
      {2, {}},
  };
  AppBed bed;
  auto& form = startConfiguring(bed, "checkNoMail=0\r\n");
  ASSERT_EQ(form.tabMail.comboIdentities.items.size(), 3u);
  for (const auto& c : cases) {
    choose(form, c.identity);
    EXPECT_EQ(listed(form), c.expected) << form.tabMail.comboIdentities.selectedText();
  }
}

TEST(AccountList, OfTwoIdentitiesOfOneNameTheChosenOnesAccountsAreListed) {
  AppBed bed("identities-same-name.reg");
  for (const auto& [guid, name] :
       {std::pair{kFirstSam, "First"}, std::pair{kSecondSam, "Second"}}) {
    bed.sim.registry.importReg("REGEDIT4\r\n[" + accountsOf(guid) +
                               "00000001]\r\n\"Account Name\"=\"" + name +
                               "\"\r\n\"POP3 Server\"=\"pop.sam.example\"\r\n");
  }
  auto& form = bed.startConfiguring(
      settingsText("", "checkNoIdentities=1\r\n",
                   "[Email]\r\ncheckNoMail=0\r\nSam_First_pass=x\r\nSam_Second_pass=y\r\n"));
  choose(form, 1);
  EXPECT_EQ(listed(form), (std::vector<Listed>{{"Second", "pop.sam.example", true}}));
  choose(form, 0);
  EXPECT_EQ(listed(form), (std::vector<Listed>{{"First", "pop.sam.example", true}}));
}

TEST(AccountList, AsksEachMissingPasswordInAccountOrderAndAgainAfterACancel) {
  AppBed bed;
  // Alice's "Old" has a password; the others do not.
  auto& form =
      startConfiguring(bed, "checkNoMail=0\r\nAlice_Old_pass=" + storedPassword("x") + "\r\n");
  bed.sim.dialogs.answerInput("home pw");
  bed.sim.dialogs.answerInput(std::nullopt);
  bed.sim.dialogs.answerInput("home2 pw");
  choose(form, 0);
  const std::string prompt = "Entrez le mot de passe du compte ";
  EXPECT_EQ(questions(bed),
            (std::vector<std::string>{prompt + "Home", prompt + "Work", prompt + "Home"}))
      << "registry order, own area first; the shared Home has a key of its own";
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home_pass"), "home pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-2_pass"), "home2 pw");
  EXPECT_NE(bed.readSettings().find("Alice_Work_pass=\r\n"), std::string::npos)
      << "a cancelled question stores the empty password";

  bed.sim.dialogs.answerInput("b0b");
  bed.sim.dialogs.answerInput("w0rk");
  choose(form, 1);
  choose(form, 0);
  EXPECT_EQ(questions(bed),
            (std::vector<std::string>{prompt + "Home", prompt + "Work", prompt + "Home",
                                      prompt + "Bob mail", prompt + "Work"}))
      << "choosing an identity again asks what is still missing";
  EXPECT_EQ(app::readPassword(*form.iniFile, "Bob_Bob mail_pass"), "b0b");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Work_pass"), "w0rk");
}

TEST(AccountList, AClickWritesEveryListedAccountsSkipFlagIntoTheKeyItWasReadFrom) {
  AppBed bed;
  auto& form = startConfiguring(bed, "checkNoMail=0\r\n");
  // Both areas number their accounts from 00000001.
  bed.sim.registry.importReg("REGEDIT4\r\n[" + std::string(kSharedAccounts) +
                             "00000001]\r\n\"Account Name\"=\"Shared\"\r\n"
                             "\"POP3 Server\"=\"pop.shared.example\"\r\n");
  bed.sim.dialogs.answerInput("pw");  // Shared's password
  choose(form, 0);
  ASSERT_EQ(listed(form), (std::vector<Listed>{{"Home", "pop.home.example", true},
                                               {"Home", "pop.home2.example", false},
                                               {"Old", "pop.old.example", false},
                                               {"Shared", "pop.shared.example", true},
                                               {"Work", "pop.work.example", true}}));
  auto& items = const_cast<std::vector<ui::ListItem>&>(form.tabMail.listAccounts.items());
  items.at(2).checked = true;   // Old
  items.at(3).checked = false;  // Shared
  auto& registry = bed.sim.registry;
  const std::string own = accountsOf(kAliceGuid);
  const std::string shared = kSharedAccounts;
  EXPECT_EQ(writesOfAClick(bed),
            (std::vector<std::string>{
                skipFlagWrite(own + "00000001", 0), skipFlagWrite(shared + "00000006", 1),
                skipFlagWrite(own + "00000002", 0), skipFlagWrite(shared + "00000001", 1),
                skipFlagWrite(shared + "00000005", 0)}))
      << "in list order, each into its own key";

  registry.deleteKey(shared + "00000001");
  EXPECT_EQ(writesOfAClick(bed).size(), 4u);
  EXPECT_FALSE(registry.hasKey(shared + "00000001")) << "an account deleted meanwhile stays gone";

  form.tabMail.comboIdentities.selected.reset();
  EXPECT_TRUE(writesOfAClick(bed).empty()) << "no identity chosen, nothing written";
}

// Beside Alice's POP3 accounts: her own IMAP "Cloud" and "Home", and the shared IMAP "Home-2",
// whose names meet the keys of her two POP3 "Home" accounts.
TEST(AccountList, ImapAccountsAreListedWithTheirKindTheirTickKeptInTheSettingsFileOnly) {
  AppBed bed;
  auto& form = startConfiguring(
      bed, "checkNoMail=0\r\nAlice_Home_pass=" + storedPassword("h") + "\r\nAlice_Home-2_pass=" +
               storedPassword("h2") + "\r\nAlice_Old_pass=" + storedPassword("o") +
               "\r\nAlice_Work_pass=" + storedPassword("w") + "\r\nAlice_Home_imap=0\r\n");
  const auto imap = [](const std::string& key, const std::string& name, const std::string& server) {
    return "[" + key + "]\r\n\"Account Name\"=\"" + name + "\"\r\n\"IMAP Server\"=\"" + server +
           "\"\r\n";
  };
  bed.sim.registry.importReg(
      "REGEDIT4\r\n" + imap(accountsOf(kAliceGuid) + "00000005", "Cloud", "imap.cloud.example") +
      imap(accountsOf(kAliceGuid) + "00000007", "Home", "imap.home.example") +
      imap(kSharedAccounts + std::string("00000008"), "Home-2", "imap.home2.example"));
  bed.sim.dialogs.answerInput("cloud pw");
  bed.sim.dialogs.answerInput("home pw");
  bed.sim.dialogs.answerInput("home2 pw");
  choose(form, 0);
  ASSERT_EQ(listed(form), (std::vector<Listed>{{"Cloud", "imap.cloud.example (IMAP)", true},
                                               {"Home", "pop.home.example", true},
                                               {"Home", "imap.home.example (IMAP)", false},
                                               {"Home", "pop.home2.example", false},
                                               {"Home-2", "imap.home2.example (IMAP)", true},
                                               {"Old", "pop.old.example", false},
                                               {"Work", "pop.work.example", true}}));
  const std::string prompt = "Entrez le mot de passe du compte ";
  EXPECT_EQ(questions(bed),
            (std::vector<std::string>{prompt + "Cloud", prompt + "Home", prompt + "Home-2"}))
      << "in registry order, only the IMAP accounts' passwords are missing";
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Cloud_pass"), "cloud pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-3_pass"), "home pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-2-2_pass"), "home2 pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-2_pass"), "h2")
      << "the POP3 accounts keep their keys";

  auto& items = const_cast<std::vector<ui::ListItem>&>(form.tabMail.listAccounts.items());
  items.at(0).checked = false;  // Cloud
  items.at(2).checked = true;   // the IMAP Home
  const std::string own = accountsOf(kAliceGuid);
  const std::string shared = kSharedAccounts;
  EXPECT_EQ(writesOfAClick(bed),
            (std::vector<std::string>{
                skipFlagWrite(own + "00000001", 0), skipFlagWrite(shared + "00000006", 1),
                skipFlagWrite(own + "00000002", 1), skipFlagWrite(shared + "00000005", 0)}))
      << "the POP3 accounts' flags as before, nothing for the IMAP ones";
  const auto settings = bed.readSettings();
  EXPECT_NE(settings.find("Alice_Cloud_imap=0\r\n"), std::string::npos);
  EXPECT_NE(settings.find("Alice_Home_imap=1\r\n"), std::string::npos);
  EXPECT_NE(settings.find("Alice_Home-2_imap=1\r\n"), std::string::npos);

  choose(form, 0);
  EXPECT_EQ(listed(form).at(0), (Listed{"Cloud", "imap.cloud.example (IMAP)", false}));
  EXPECT_EQ(listed(form).at(2), (Listed{"Home", "imap.home.example (IMAP)", true}));
}

// Registry names with line breaks, in an identity's and in accounts' names, POP3 and IMAP: their
// keys stay one line each, so every visit to the tab finds the passwords and the tick of the
// first, and the settings file does not grow.
TEST(AccountList, NamesWithLineBreaksKeepTheirPasswordsAndTickAndAddNoLines) {
  AppBed bed;
  auto& form = startConfiguring(bed, "checkNoMail=0\r\nAlice_Home_pass=" + storedPassword("h") +
                                         "\r\nAlice_Old_pass=" + storedPassword("o") +
                                         "\r\nAlice_Work_pass=" + storedPassword("w") + "\r\n");
  auto& registry = bed.sim.registry;
  registry.setValue(std::string(kIdentities) + "\\" + kBobGuid, "Username", "Bob\nSmith");
  registry.setValue(accountsOf(kAliceGuid) + "00000001", "Account Name", "Home\r\nOffice");
  registry.setValue(accountsOf(kAliceGuid) + "00000007", "Account Name", "Cloud\rBox");
  registry.setValue(accountsOf(kAliceGuid) + "00000007", "IMAP Server", "imap.cloud.example");
  bed.sim.dialogs.answerInput("bob pw");
  bed.sim.dialogs.answerInput("office pw");
  bed.sim.dialogs.answerInput("cloud pw");
  choose(form, 1);
  choose(form, 0);
  auto& items = const_cast<std::vector<ui::ListItem>&>(form.tabMail.listAccounts.items());
  items.at(0).checked = false;  // Cloud
  form.listAccountsClick();
  const auto settings = bed.readSettings();

  for (const std::size_t identity : {1, 0, 1, 0}) choose(form, identity);
  form.listAccountsClick();
  const std::string prompt = "Entrez le mot de passe du compte ";
  EXPECT_EQ(questions(bed),
            (std::vector<std::string>{prompt + "Bob mail", prompt + "Home\r\nOffice",
                                      prompt + "Cloud\rBox"}))
      << "each asked once";
  EXPECT_EQ(bed.readSettings(), settings);
  EXPECT_EQ(listed(form).at(0), (Listed{"Cloud\rBox", "imap.cloud.example (IMAP)", false}));
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home\\0D\\0AOffice_pass"), "office pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Cloud\\0DBox_pass"), "cloud pw");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Bob\\0ASmith_Bob mail_pass"), "bob pw");
  EXPECT_NE(settings.find("\r\nAlice_Cloud\\0DBox_imap=0\r\n"), std::string::npos);
}

TEST(EmailTab, AccountControlsFollowCheckNoMailFromLoadOn) {
  for (const bool noMail : {true, false}) {
    AppBed bed;
    auto& form = startConfiguring(
        bed, std::string("checkNoMail=") + (noMail ? "1" : "0") + "\r\ncheckVerifyAllId=1\r\n");
    const auto expectOn = [&](bool on) {
      const auto colour = on ? ui::Colour::Window : ui::Colour::ButtonFace;
      EXPECT_EQ(form.tabMail.comboIdentities.enabled, on);
      EXPECT_EQ(form.tabMail.listAccounts.enabled, on);
      EXPECT_EQ(form.tabMail.checkVerifyAllId.enabled, on);
      EXPECT_EQ(form.tabMail.comboIdentities.colour, colour);
      EXPECT_EQ(form.tabMail.listAccounts.colour, colour);
    };
    expectOn(!noMail);
    EXPECT_TRUE(form.tabMail.checkVerifyAllId.checked);
    form.tabMail.checkNoMail.checked = !noMail;
    form.checkNoMailClick();
    expectOn(noMail);
    EXPECT_FALSE(form.timerMail.enabled()) << "the timer follows the option only at OK";
  }
}

}  // namespace
}  // namespace vantrel::testing
