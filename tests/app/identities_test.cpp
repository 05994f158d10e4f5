// Outlook Express identities as a user meets them: the start identity, switching from the tray,
// the identities tab, and registries with odd identities.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/identities.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::RegistryValue;

constexpr char kNullGuid[] = "{00000000-0000-0000-0000-000000000000}";

std::string lastUsername(const AppBed& bed) {
  const auto value = bed.sim.registry.value(kIdentities, "Last Username");
  return value ? std::get<std::string>(*value) : "(none)";
}

std::vector<std::string> writesOfLastIdentity(const std::string& name, const std::string& guid) {
  const std::string key = std::string(kIdentities) + "|";
  return {key + "Last Username=" + name, key + "Last User ID=" + guid, key + "Start As=" + guid};
}

const ui::MenuItem& trayItem(app::TMainForm& form, const std::string& caption) {
  for (const auto& item : form.tray.mnuTray.items) {
    if (item->caption == caption) return *item;
  }
  throw std::runtime_error("no tray item " + caption);
}

// A click on a tray menu item arrives as a message while the loop runs.
void clickLater(AppBed& bed, const std::string& caption) {
  const auto& item = trayItem(bed.form(), caption);
  bed.sim.loop.post([&item] { item.onClick(item); });
}

std::vector<std::string> enumeratedNames(platform::Registry& registry) {
  std::vector<std::string> names;
  for (const auto& identity : app::enumerateIdentities(registry))
    names.push_back(identity.userName);
  return names;
}

std::vector<std::string> captionsOf(const ui::ListView& list) {
  std::vector<std::string> captions;
  for (const auto& item : list.items()) captions.push_back(item.caption);
  return captions;
}

TEST(StartIdentity, IsWrittenBeforeTheLaunchAndAgainWhenQuittingFromTheTray) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=0\r\nlistIdentities=Bob\r\n"));
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  const auto& start = bed.sim.processes.outlookStarts()[0];
  EXPECT_EQ(start.lastUsername, "Bob");
  EXPECT_EQ(start.lastUserId, kBobGuid);
  EXPECT_EQ(start.startAs, kBobGuid);
  ASSERT_TRUE(form.tabIdentities.listIdentities.selected());
  EXPECT_EQ(
      form.tabIdentities.listIdentities.at(*form.tabIdentities.listIdentities.selected()).caption,
      "Bob");

  clickLater(bed, "Carol");
  bed.runFor(3000);
  ASSERT_EQ(lastUsername(bed), "Carol");

  form.mnuTrayItemQuitClick();
  EXPECT_TRUE(form.terminated());
  EXPECT_EQ(lastUsername(bed), "Bob");
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Start As"), RegistryValue{kBobGuid});
}

TEST(StartIdentity, TheChoiceOptionWritesAnEmptyNameAndTheNullGuidAndStartsMinimised) {
  AppBed bed("identities-three.reg");
  bed.startWatching(settingsText(
      kStartHidden, "checkNoIdentities=0\r\ncheckIdentitiesChoice=1\r\nlistIdentities=Bob\r\n"));
  const auto& start = bed.sim.processes.outlookStarts().at(0);
  EXPECT_EQ(start.lastUsername, "");
  EXPECT_EQ(start.lastUserId, kNullGuid);
  EXPECT_EQ(start.startAs, kNullGuid);
  EXPECT_EQ(start.showState, platform::SwMinimize) << "its logon window must be seen";

  // With no name in "Last Username" any named identity is a switch.
  clickLater(bed, "Alice");
  bed.runFor(1);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(bed.sim.processes.outlookStarts()[1].startAs, kAliceGuid);
  bed.form().mnuTrayItemQuitClick();
  EXPECT_EQ(lastUsername(bed), "");
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Start As"), RegistryValue{kNullGuid});
}

// Line breaks too: kept in one line of the file, which each confirmation leaves as it was.
TEST(StartIdentity, ANameWithOuterBlanksQuotesOrLineBreaksSurvivesTheSettingsFile) {
  for (const std::string name : {" Bob ", "\tBob", "\"Bob\"", "'Bob'", "\" Bob", "Bob \"Q\" Bob",
                                 "Bob\r\nSmith", "\nBob\r", "Bob\r\n[Progs]\r\nx=y"}) {
    AppBed bed;
    bed.sim.registry.setValue(std::string(kIdentities) + "\\" + kBobGuid, "Username", name);
    auto& form = bed.startConfiguring(settingsText("", "checkNoIdentities=0\r\n"));
    ASSERT_EQ(captionsOf(form.tabIdentities.listIdentities), std::vector<std::string>{name});
    form.tabIdentities.listIdentities.select(0);
    form.bttnOKClick();
    ASSERT_TRUE(form.terminated());

    auto& again = bed.start();
    EXPECT_EQ(again.tabIdentities.listIdentities.selected(), std::optional<std::size_t>(0)) << name;
    EXPECT_EQ(lastUsername(bed), name);
    const auto settings = bed.readSettings();
    again.bttnOKClick();
    EXPECT_EQ(bed.readSettings(), settings) << name;
  }
}

TEST(StartIdentity, NothingIsWrittenWhenIdentitiesAreNotManagedWhateverTheChoiceMark) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(
      settingsText(kStartHidden, "checkNoIdentities=1\r\ncheckIdentitiesChoice=1\r\n"));
  EXPECT_TRUE(form.tabIdentities.checkIdentitiesChoice.checked);
  EXPECT_FALSE(form.tabIdentities.checkIdentitiesChoice.enabled);
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).lastUsername, "Alice");
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).showState, platform::SwMinimize);

  form.mnuTrayItemQuitClick();
  EXPECT_TRUE(form.terminated());
  EXPECT_TRUE(bed.sim.registry.writes().empty());
}

TEST(StartIdentity, ARegistryThatRefusesTheWriteStillLetsOutlookExpressStart) {
  AppBed bed("identities-three.reg");
  bed.sim.registry.denyWrites(kIdentities);
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=0\r\nlistIdentities=Bob\r\n"));
  EXPECT_TRUE(bed.sim.registry.writes().empty());
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_TRUE(form.timerOE.enabled());
}

TEST(Switch, ToTheIdentityInLastUsernameOnlyBringsTheWindowBack) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(
      settingsText(kStartHidden, "checkNoIdentities=0\r\nlistIdentities=Alice\r\n"));
  bed.runFor(500);
  const auto oe = form.oeWatch.oeWindow;
  ASSERT_FALSE(bed.oeWindow()->visible);
  const auto writes = bed.sim.registry.writes().size();

  clickLater(bed, "Alice");
  bed.runFor(3000);
  EXPECT_EQ(form.oeWatch.oeWindow, oe);
  EXPECT_TRUE(bed.oeWindow()->visible);
  EXPECT_FALSE(bed.oeWindow()->iconic);
  EXPECT_EQ(bed.sim.desktop.foregroundWindow(), oe);
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_EQ(bed.sim.registry.writes().size(), writes);
}

TEST(Switch, ToAnotherClosesWaitsWithoutTimersWritesAndRelaunchesShownNormally) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(
      settingsText(kStartHidden, "checkNoIdentities=0\r\nlistIdentities=Alice\r\n"));
  const auto oldWindow = form.oeWatch.oeWindow;
  std::vector<std::uint64_t> ticks;
  bed.sim.loop.startTimer(100, [&] { ticks.push_back(bed.sim.loop.nowMs()); });
  const auto clicked = bed.sim.loop.nowMs();
  bool closedDuringTheWait = false;
  bool watcherOnDuringTheRelaunch = true;
  bed.sim.loop.atTime(clicked + 900,
                      [&] { closedDuringTheWait = !bed.sim.desktop.isWindow(oldWindow); });
  bed.sim.loop.atTime(clicked + 1500, [&] { watcherOnDuringTheRelaunch = form.timerOE.enabled(); });
  const auto writes = bed.sim.registry.writes().size();

  clickLater(bed, "Bob");
  bed.runFor(1);
  const auto done = bed.sim.loop.nowMs();
  EXPECT_EQ(done - clicked, 2000u) << "one second closing, one second waiting for the window";
  for (const auto tick : ticks) {
    EXPECT_FALSE(tick > clicked && tick < done) << "a timer fired at " << tick;
  }
  EXPECT_TRUE(closedDuringTheWait);
  EXPECT_FALSE(watcherOnDuringTheRelaunch);
  EXPECT_TRUE(form.timerOE.enabled());

  EXPECT_EQ(bed.writesSince(writes), writesOfLastIdentity("Bob", kBobGuid));
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  const auto& relaunch = bed.sim.processes.outlookStarts()[1];
  EXPECT_EQ(relaunch.showState, platform::SwShowNormal);
  EXPECT_EQ(relaunch.lastUsername, "Bob");
  EXPECT_EQ(relaunch.startAs, kBobGuid);
  EXPECT_EQ(form.oeWatch.oeWindow, relaunch.window);
  EXPECT_TRUE(bed.oeWindow()->visible);

  bed.runFor(15000);
  EXPECT_FALSE(form.terminated()) << "the watcher follows the new window";
  EXPECT_TRUE(bed.sim.shell.icon());
}

TEST(Switch, AnOutlookExpressSlowToCloseIsNotTakenForTheNewOne) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText(""), {0, 300, 3000});
  const auto oldWindow = form.oeWatch.oeWindow;

  app::switchToIdentity("Bob", form);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_TRUE(bed.sim.desktop.isWindow(oldWindow)) << "still closing after the relaunch";
  EXPECT_EQ(form.oeWatch.oeWindow, bed.sim.processes.outlookStarts()[1].window);
  bed.runFor(15000);
  EXPECT_FALSE(bed.sim.desktop.isWindow(oldWindow));
  EXPECT_FALSE(form.terminated()) << "the watcher follows the new window";
  EXPECT_TRUE(bed.sim.shell.icon());
}

TEST(Switch, ToANameNoIdentityCarriesWritesEmptyGuidsAndStillRelaunches) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText(""));
  const auto writes = bed.sim.registry.writes().size();

  app::switchToIdentity("Dave", form);
  EXPECT_EQ(bed.writesSince(writes), writesOfLastIdentity("Dave", ""));
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_NE(form.oeWatch.oeWindow, platform::kNoWindow);
}

TEST(Switch, AHotKeyWhileTheConfigurationWindowIsOpenLeavesTheWatcherOff) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText(""));
  form.mnuTrayItemConfigClick();

  form.WMHotKey(ctrlShift(114));  // F3
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(lastUsername(bed), "Carol");
  EXPECT_FALSE(form.timerOE.enabled());

  form.bttnOKClick();
  EXPECT_TRUE(form.timerOE.enabled());
}

TEST(IdentityLists, TheTabIsSortedByNameAndTheMailComboKeepsRegistryOrder) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=0\r\nlistIdentities=bob\r\n"));
  EXPECT_EQ(captionsOf(form.tabIdentities.listIdentities),
            (std::vector<std::string>{"Alice", "Bob", "Carol"}));
  std::vector<std::string> combo;
  for (const auto& item : form.tabMail.comboIdentities.items) {
    combo.push_back(item.caption);
    EXPECT_EQ(item.imageIndex, 0);
  }
  EXPECT_EQ(combo, (std::vector<std::string>{"Carol", "Alice", "Bob"}));
  EXPECT_FALSE(form.tabMail.comboIdentities.selected);
  EXPECT_EQ(enumeratedNames(bed.sim.registry), (std::vector<std::string>{"Carol", "Alice", "Bob"}));
  EXPECT_EQ(form.tabIdentities.listIdentities.selected(), std::optional<std::size_t>{1})
      << "case ignored";
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).lastUsername, "bob")
      << "the start identity is the stored name as it is";
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).startAs, "");
}

TEST(IdentityLists, DuplicateUserNamesAreBothListedAndEveryLookupYieldsTheFirstEnumerated) {
  AppBed bed("identities-same-name.reg");
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=0\r\nlistIdentities=Sam\r\n"));
  EXPECT_EQ(captionsOf(form.tabIdentities.listIdentities),
            (std::vector<std::string>{"Sam", "Sam", "Zoe"}));
  EXPECT_EQ(form.tabMail.comboIdentities.items.size(), 3u);
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).startAs, kFirstSam);
  EXPECT_EQ(app::findIdentityGuid(bed.sim.registry, "Sam"), kFirstSam);

  clickLater(bed, "Zoe");
  bed.runFor(1);
  const auto& sams = form.tray.mnuTray.items;
  ASSERT_EQ(sams[1]->caption, "Sam");
  sams[1]->onClick(*sams[1]);  // the second Sam of the menu
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().startAs, kFirstSam);
}

TEST(IdentityLists, NamesThatDifferInLetterCaseAreDifferentIdentities) {
  AppBed bed("identities-letter-case.reg");
  auto& form = bed.startWatching(settingsText(""));
  constexpr char kUpper[] = "{4A5B6C7D-8E9F-4011-A233-445566778801}";
  constexpr char kLower[] = "{9F8E7D6C-5B4A-4321-B0C1-D2E3F4A5B602}";
  EXPECT_EQ(app::findIdentityGuid(bed.sim.registry, "Alice"), kUpper);
  EXPECT_EQ(app::findIdentityGuid(bed.sim.registry, "alice"), kLower);
  EXPECT_EQ(app::findIdentityGuid(bed.sim.registry, "ALICE"), "");
  EXPECT_EQ(captionsOf(form.tabIdentities.listIdentities),
            (std::vector<std::string>{"alice", "Alice"}));

  clickLater(bed, "alice");
  bed.runFor(1);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().startAs, kLower);
  clickLater(bed, "Alice");
  bed.runFor(1);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().startAs, kUpper);
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 3u);
}

TEST(IdentityLists, AnIdentityWithoutUsernameGivesAnEmptyItemAndAccountKeysAreNoIdentities) {
  AppBed bed("identities-no-username.reg");
  auto& form = bed.startWatching(settingsText(""));
  EXPECT_EQ(captionsOf(form.tabIdentities.listIdentities), (std::vector<std::string>{"", "Paul"}));
  EXPECT_EQ(enumeratedNames(bed.sim.registry), (std::vector<std::string>{"Paul", ""}));

  AppBed accounts("identities-accounts.reg");
  auto& other = accounts.startWatching(settingsText(""));
  EXPECT_EQ(captionsOf(other.tabIdentities.listIdentities),
            (std::vector<std::string>{"Alice", "Bob"}));
  EXPECT_EQ(app::findIdentityGuid(accounts.sim.registry, "Alice"), kAliceGuid);
}

TEST(IdentitiesTab, WithoutIdentitiesOkKeepsRefusingUntilTheyAreNoLongerManaged) {
  AppBed bed("identities-none.reg");
  bed.installOutlook();
  auto& form = bed.startConfiguring(settingsText("", "checkNoIdentities=0\r\n"));
  EXPECT_TRUE(form.tabIdentities.listIdentities.empty());
  EXPECT_TRUE(form.tabMail.comboIdentities.items.empty());
  EXPECT_EQ(app::findIdentityGuid(bed.sim.registry, ""), "");

  for (int attempt = 1; attempt <= 2; ++attempt) {
    form.pagesCtrl.activePage = 0;
    form.bttnOKClick();
    EXPECT_FALSE(form.terminated());
    EXPECT_EQ(form.pagesCtrl.activePage, 2);
    EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), static_cast<std::size_t>(attempt));
  }
  form.tabIdentities.checkNoIdentities.checked = true;
  form.checkNoIdentitiesClick();
  form.bttnOKClick();
  EXPECT_TRUE(form.terminated());
}

TEST(IdentitiesTab, TheListAndTheChoiceAreEnabledExactlyWhileIdentitiesAreManaged) {
  AppBed bed("identities-three.reg");
  auto& form =
      bed.startWatching(settingsText("", "checkNoIdentities=1\r\ncheckIdentitiesChoice=1\r\n"));
  EXPECT_FALSE(form.tabIdentities.listIdentities.enabled);
  EXPECT_EQ(form.tabIdentities.listIdentities.colour, ui::Colour::ButtonFace);
  EXPECT_FALSE(form.tabIdentities.checkIdentitiesChoice.enabled);

  form.tabIdentities.checkNoIdentities.checked = false;
  form.checkNoIdentitiesClick();
  EXPECT_TRUE(form.tabIdentities.listIdentities.enabled);
  EXPECT_EQ(form.tabIdentities.listIdentities.colour, ui::Colour::Window);
  EXPECT_TRUE(form.tabIdentities.checkIdentitiesChoice.enabled);
  EXPECT_TRUE(form.tabIdentities.checkIdentitiesChoice.checked);

  form.tabIdentities.checkNoIdentities.checked = true;
  form.checkNoIdentitiesClick();
  EXPECT_FALSE(form.tabIdentities.listIdentities.enabled);
  EXPECT_FALSE(form.tabIdentities.checkIdentitiesChoice.enabled);
  EXPECT_TRUE(form.tabIdentities.checkIdentitiesChoice.checked) << "its mark is kept";
}

}  // namespace
}  // namespace vantrel::testing
