// Finding and launching Outlook Express on the stand-in desktop and virtual clock.
#include <gtest/gtest.h>

#include <set>

#include "app/launch.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::ShownDialog;

std::string settingsWith(const std::string& run, const std::string& identities = "") {
  return kConfigured + identities + "[Run]\r\n" + run;
}

TEST(Launch, StartsTheExpandedInstallRootWithATrailingSpaceAndFollowsTheWindow) {
  AppBed bed;
  auto& form = bed.launch(kConfigured);

  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  const auto& start = bed.sim.processes.outlookStarts()[0];
  EXPECT_EQ(start.commandLine, "\"C:\\Program Files\\Outlook Express\\msimn.exe\" ");
  EXPECT_EQ(start.showState, platform::SwShowNormal);
  EXPECT_TRUE(bed.sim.dialogs.shown().empty());
  EXPECT_EQ(form.oeWatch.oeWindow, start.window);
  EXPECT_TRUE(form.timerOE.enabled());
  EXPECT_FALSE(form.timerMail.enabled());  // mail is not managed
  EXPECT_TRUE(bed.sim.shell.icon());
  EXPECT_FALSE(form.visible());
}

TEST(Launch, ShowStateAndModeFollowTheStartOptions) {
  struct Case {
    std::string run;
    std::string identities;
    std::uint16_t show;
    std::string parameters;
  };
  const Case cases[] = {
      {"ModeMail=0\r\n", "", platform::SwShowNormal, "/news"},
      {kStartHidden, "", platform::SwHide, ""},
      {"StartReduced=1\r\nReduceInTray=0\r\n", "", platform::SwMinimize, ""},
      // The logon window must be seen, so the choice option starts it minimised, not hidden.
      {kStartHidden, "checkIdentitiesChoice=1\r\n", platform::SwMinimize, ""},
  };
  for (const auto& c : cases) {
    AppBed bed;
    bed.launch(settingsWith(c.run, c.identities));
    ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u) << c.run;
    const auto& start = bed.sim.processes.outlookStarts()[0];
    EXPECT_EQ(start.showState, c.show) << c.run;
    EXPECT_EQ(start.commandLine,
              "\"C:\\Program Files\\Outlook Express\\msimn.exe\" " + c.parameters);
  }
}

TEST(Launch, AHiddenStartEndsMinimisedAndTheWatcherTakesItOutOfTheTaskBar) {
  AppBed bed;
  auto& form = bed.launch(settingsWith(kStartHidden));
  EXPECT_TRUE(bed.sim.desktop.isIconic(form.oeWatch.oeWindow));
  bed.runFor(500);
  EXPECT_FALSE(bed.sim.desktop.isVisible(form.oeWatch.oeWindow));
  EXPECT_TRUE(bed.sim.desktop.isWindow(form.oeWatch.oeWindow));
}

// Started hidden, Outlook Express is out of reach until Vantrel finds its window.
TEST(Launch, AHiddenStartSlowerThanTheWaitIsFollowedOnceItsWindowComes) {
  AppBed bed;
  auto& form = bed.launch(settingsWith(kStartHidden), {0, 40000});
  EXPECT_FALSE(form.terminated());
  ASSERT_NE(form.oeWatch.oeWindow, platform::kNoWindow);
  EXPECT_EQ(form.oeWatch.oeWindow, bed.sim.processes.outlookStarts().at(0).window);
  EXPECT_EQ(bed.sim.loop.nowMs(), 40000u);
  EXPECT_TRUE(bed.sim.desktop.isIconic(form.oeWatch.oeWindow));
  EXPECT_TRUE(form.timerOE.enabled());
  EXPECT_TRUE(bed.sim.processes.terminated().empty());
}

TEST(Launch, AHiddenStartThatNeverShowsItsWindowIsEndedAfterAMinuteMore) {
  AppBed bed;
  auto& form = bed.launch(settingsWith(kStartHidden), {0, 3600000});
  EXPECT_TRUE(form.terminated());
  EXPECT_EQ(bed.sim.loop.nowMs(), 65000u);
  const auto processId = bed.sim.processes.outlookStarts().at(0).processId;
  EXPECT_EQ(bed.sim.processes.terminated(), std::set<std::uint32_t>{processId});
  EXPECT_FALSE(bed.sim.processes.isRunning(processId));
}

// The longer wait keeps the program answering; what would launch again waits for the next turn.
TEST(Launch, TheTrayAnswersWhileAHiddenStartIsWaitedForAndNoSecondLaunchStartsInIt) {
  AppBed bed("identities-three.reg");
  auto& loop = bed.sim.loop;
  loop.atTime(10000, [&bed] { bed.postTray(platform::kWmRButtonUp); });
  loop.atTime(12000, [&] { loop.post([&bed] { bed.form().WMHotKey(ctrlShift(113)); }); });
  loop.atTime(14000, [&] { loop.post([&bed] { bed.form().mnuTrayItemConfigClick(); }); });
  auto& form = bed.launch(settingsWith(kStartHidden), {0, 40000});

  EXPECT_EQ(bed.view.popups, 1);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_EQ(form.oeWatch.oeWindow, bed.sim.processes.outlookStarts()[0].window);
  EXPECT_TRUE(bed.sim.desktop.isIconic(form.oeWatch.oeWindow));
  // The configuration window opened meanwhile holds the watcher off until its OK.
  EXPECT_TRUE(form.visible());
  EXPECT_FALSE(form.timerOE.enabled());
  form.bttnOKClick();
  EXPECT_TRUE(form.timerOE.enabled());
  bed.runFor(1000);
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_FALSE(form.terminated());
}

TEST(Launch, QuittingWhileAHiddenStartIsWaitedForEndsItsProcess) {
  AppBed bed;
  bed.sim.loop.atTime(10000,
                      [&bed] { bed.sim.loop.post([&bed] { bed.form().mnuTrayItemQuitClick(); }); });
  auto& form = bed.launch(settingsWith(kStartHidden), {0, 40000});
  EXPECT_TRUE(form.terminated());
  EXPECT_EQ(bed.sim.loop.nowMs(), 10000u);
  const auto processId = bed.sim.processes.outlookStarts().at(0).processId;
  EXPECT_EQ(bed.sim.processes.terminated(), std::set<std::uint32_t>{processId});
}

TEST(Launch, WaitsAtMostFiveSecondsForTheMainWindow) {
  AppBed bed;
  auto& form = bed.launch(kConfigured, {0, 4500});
  EXPECT_NE(form.oeWatch.oeWindow, platform::kNoWindow);
  EXPECT_FALSE(form.terminated());

  AppBed slow;
  auto& late = slow.launch(kConfigured, {0, 5500});
  EXPECT_EQ(late.oeWatch.oeWindow, platform::kNoWindow);
  EXPECT_TRUE(late.terminated());
  EXPECT_EQ(slow.sim.loop.nowMs(), 5000u);
}

TEST(Launch, SecondsWithTheIdentityLogonWindowDoNotCount) {
  AppBed bed;
  auto& form = bed.launch(kConfigured, {20000, 3500});
  EXPECT_NE(form.oeWatch.oeWindow, platform::kNoWindow);
  EXPECT_FALSE(form.terminated());
  EXPECT_GE(bed.sim.loop.nowMs(), 23000u);
}

TEST(Launch, AnOutlookExpressWindowAlreadyOpenIsTakenAtOnce) {
  AppBed bed;
  const auto existing =
      bed.sim.desktop.createWindow({platform::kNoWindow, "Outlook Express Browser Class",
                                    "Courrier", platform::kNoWindow, true, false, false, nullptr});
  auto& form = bed.launch(kConfigured);
  EXPECT_EQ(form.oeWatch.oeWindow, existing);
  EXPECT_EQ(bed.sim.loop.nowMs(), 0u);
}

TEST(Locate, WithoutInstallRootTheUserIsAskedAndCancelEndsWithTheErrorMessage) {
  AppBed bed;
  bed.sim.processes.installOutlook("D:\\OE\\msimn.exe", {});
  auto& form = bed.start(kConfigured);

  const auto& shown = bed.sim.dialogs.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].kind, ShownDialog::Kind::OpenFile);
  EXPECT_EQ(shown[0].request.title, "O\xF9 se trouve l'executable de Outlook Express ?");
  EXPECT_EQ(shown[0].request.fileName, "msimn.exe");
  EXPECT_EQ(shown[0].request.filter, "Outlook Express|msimn.exe");
  EXPECT_EQ(shown[0].request.initialFolder, "%PROGRAM_FILES%\\Outlook Express");
  EXPECT_EQ(shown[1].text,
            "Impossible de trouver Outlook Express. Vous n'avez peut \xEAtre pas choisi le bon "
            "chemin");
  EXPECT_EQ(shown[1].caption, "Vantrel");
  EXPECT_EQ(shown[1].flags, platform::MbIconError);
  EXPECT_EQ(shown[1].owner, bed.mainWindow);
  EXPECT_TRUE(form.terminated());
  EXPECT_TRUE(bed.sim.processes.started().empty());
  EXPECT_TRUE(bed.sim.registry.writes().empty());
}

TEST(Locate, TheChosenFileStoresItsFolderAndTheNextStartNeedsNoDialog) {
  AppBed bed;
  bed.sim.registry.importReg(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express]\n"
      "\"InstallRoot\"=\"C:\\\\Nowhere\"\n");
  bed.sim.processes.installOutlook("D:\\OE 6\\msimn.exe", {});
  bed.sim.dialogs.answerOpenFile("D:\\OE 6\\msimn.exe");
  auto& form = bed.start(kConfigured);
  EXPECT_FALSE(form.terminated());
  EXPECT_EQ(bed.sim.processes.outlookStarts().at(0).commandLine, "\"D:\\OE 6\\msimn.exe\" ");
  const auto stored = bed.sim.registry.value(
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express", "InstallRoot");
  ASSERT_TRUE(stored);
  EXPECT_EQ(std::get<std::string>(*stored), "D:\\OE 6");

  EXPECT_EQ(app::locateOutlookExpress(form), "D:\\OE 6\\msimn.exe");
  EXPECT_EQ(bed.sim.dialogs.shown().size(), 1u);
}

TEST(Locate, ARefusedRegistryWriteStillLaunchesTheChosenFile) {
  AppBed bed;
  bed.sim.registry.denyWrites("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express");
  bed.sim.processes.installOutlook("D:\\OE\\msimn.exe", {});
  bed.sim.dialogs.answerOpenFile("D:\\OE\\msimn.exe");
  auto& form = bed.start(kConfigured);
  EXPECT_FALSE(form.terminated());
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_TRUE(bed.sim.registry.writes().empty());
}

TEST(Locate, ALongExpansionOfInstallRootIsNotCut) {
  AppBed bed;
  const std::string deep = "C:\\" + std::string(320, 'd');
  bed.sim.processes.setEnvironment("DEEP", deep);
  bed.sim.registry.importReg(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express]\n"
      "\"InstallRoot\"=\"%DEEP%\\\\Outlook Express\"\n");
  bed.sim.processes.installOutlook(deep + "\\Outlook Express\\msimn.exe", {});
  bed.start(kConfigured);
  EXPECT_TRUE(bed.sim.dialogs.shown().empty());
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_EQ(bed.sim.processes.outlookStarts()[0].commandLine,
            "\"" + deep + "\\Outlook Express\\msimn.exe\" ");
}

TEST(StartProgram, AFailureShowsTheSystemTextInAPlainBoxAndGivesZero) {
  AppBed bed;
  auto& form = bed.launch(kConfigured);
  EXPECT_EQ(app::startProgram(form, "C:\\missing.exe", "", platform::SwShowNormal), 0u);
  const auto boxes = bed.sim.dialogs.messageBoxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text,
            "Le fichier sp\xE9"
            "cifi\xE9 est introuvable.\r\n");
  EXPECT_EQ(boxes.back().caption, "Vantrel");
  EXPECT_EQ(boxes.back().flags, platform::MbOk);
}

}  // namespace
}  // namespace vantrel::testing
