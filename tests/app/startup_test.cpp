// Start-up as a user meets it: first run, "/config", the settings file and the launch.
#include <gtest/gtest.h>

#include "app/app_constants.h"
#include "app/version.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::ShownDialog;

TEST(FirstRun, CreatesTheSettingsFileShowsTheMessageAndTheConfigurationWindow) {
  AppBed bed;
  bed.installOutlook();
  auto& form = bed.start();

  EXPECT_EQ(bed.readSettings(),
            "[General]\r\nFirstRun=0\r\n"
            "[Run]\r\nModeMail=1\r\nReduceInTray=1\r\nStartReduced=0\r\nConfirmClose=0\r\n"
            "RestoreMaximized=0\r\nRestoreDblClk=0\r\nLang=Fran\xE7"
            "ais\r\n"
            "[Identities]\r\ncheckNoIdentities=1\r\ncheckIdentitiesChoice=0\r\n"
            "[Email]\r\ncheckNoMail=1\r\ncheckVerifyAllId=0\r\ncheckMailWindow=1\r\n"
            "editMailWindowTime=10\r\ncheckMailSound=1\r\neditMailTime=3\r\n");
  const auto boxes = bed.sim.dialogs.messageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Vantrel");
  EXPECT_EQ(boxes[0].flags, 0u);
  EXPECT_EQ(boxes[0].text,
            "C'est la premi\xE8re fois que vous lancez Vantrel. Vous allez voir une fen\xEAtre de "
            "configuration.\nQuand vous aurez valid\xE9 cette fen\xEAtre, vous pourrez lancer "
            "Vantrel.");
  EXPECT_EQ(form.configMode, 1);
  EXPECT_TRUE(form.visible());
  EXPECT_EQ(form.pagesCtrl.activePage, 0);
  EXPECT_FALSE(form.timerOE.enabled());
  EXPECT_FALSE(bed.sim.shell.icon());
  EXPECT_TRUE(bed.sim.processes.started().empty());

  // An option added since the file's keys were laid down takes its default until the first OK.
  EXPECT_TRUE(form.tabMail.checkMailPreview.checked);
  form.bttnOKClick();
  EXPECT_TRUE(form.terminated());
  EXPECT_TRUE(bed.sim.processes.started().empty());
  EXPECT_TRUE(
      bed.readSettings().ends_with("editMailTime=3\r\ncheckMailPreview=1\r\ncheckMailPush=1\r\n"));
}

TEST(FirstRun, AnExistingFileWithoutFirstRunIsAFirstRunAgainWithoutDefaultsWritten) {
  AppBed bed;
  auto& form = bed.start("");
  EXPECT_EQ(bed.readSettings(), "[General]\r\nFirstRun=0\r\n");
  EXPECT_EQ(form.configMode, 1);
  // The defaults of a missing key, not the values of a new file: identities are managed.
  EXPECT_FALSE(form.tabIdentities.checkNoIdentities.checked);
  EXPECT_TRUE(form.tabIdentities.listIdentities.enabled);
  EXPECT_TRUE(form.tabMail.checkNoMail.checked);
  EXPECT_EQ(form.tabMail.editMailTime.position, 3);
  EXPECT_EQ(form.timerMail.interval(), 180000u);
}

TEST(FirstRun, OkWhileIdentitiesAreManagedAndNoneSelectedKeepsTheWindowOpen) {
  AppBed bed;
  auto& form = bed.start("[General]\r\nFirstRun=1\r\n");
  EXPECT_FALSE(form.FormCloseQuery());
  EXPECT_FALSE(form.terminated());
  EXPECT_EQ(form.pagesCtrl.activePage, 2);
  const auto boxes = bed.sim.dialogs.messageBoxes();
  EXPECT_EQ(boxes.back().text,
            "Vous devez s\xE9lectionner une identit\xE9 ou choisir de ne pas les g\xE9rer");
  EXPECT_EQ(bed.readSettings().find("checkNoMail"), std::string::npos);

  form.tabIdentities.checkNoIdentities.checked = true;
  form.bttnOKClick();
  EXPECT_TRUE(form.terminated());
  EXPECT_NE(bed.readSettings().find("checkNoIdentities=1"), std::string::npos);
}

TEST(CommandLine, OnlyTheExactConfigSwitchOpensTheConfigurationWindow) {
  for (const auto& [argument, configures] :
       {std::pair{"/config", true}, {"/CONFIG", false}, {"/config2", false}, {"config", false}}) {
    AppBed bed;
    bed.sim.processes.setArguments({"-x", argument});
    auto& form = bed.launch(kConfigured);
    EXPECT_EQ(form.configMode == 1, configures) << argument;
    EXPECT_EQ(form.visible(), configures) << argument;
    EXPECT_EQ(bed.sim.processes.outlookStarts().size(), configures ? 0u : 1u) << argument;
  }
}

TEST(Settings, ValuesThatAreNotIntegersTakeTheirDefaultsAndNumbersAreBroughtIntoRange) {
  AppBed bed;
  auto& form =
      bed.launch(std::string(kConfigured) +
                 "[Run]\r\nModeMail=news\r\nReduceInTray=12abc\r\nStartReduced= 7 \r\n"
                 "ConfirmClose=\"1\"\r\n"
                 "[Email]\r\neditMailTime=5000\r\neditMailWindowTime=-4\r\ncheckMailSound=x\r\n");
  EXPECT_TRUE(form.tabLaunch.radioModeMail.checked);
  EXPECT_TRUE(form.tabLaunch.checkNotifyReduce.checked);
  EXPECT_TRUE(form.tabLaunch.checkStartReduced.checked);
  EXPECT_TRUE(form.tabLaunch.checkCloseConfirm.checked);
  EXPECT_EQ(form.tabMail.editMailTime.position, 999);
  EXPECT_EQ(form.tabMail.editMailTime.text(), "999");
  EXPECT_EQ(form.timerMail.interval(), 999u * 60000u);
  EXPECT_EQ(form.tabMail.editMailWindowTime.position, 0);
  EXPECT_TRUE(form.tabMail.checkMailSound.checked);
}

TEST(Settings, AnExecutableWithoutExtensionKeepsItsSettingsWithIniAppended) {
  AppBed bed;
  bed.sim.processes.setExecutable((bed.folder() / "vantrel").string());
  bed.start();
  EXPECT_TRUE(std::filesystem::exists(bed.folder() / "vantrel.ini"));
}

TEST(Settings, AFileThatCannotBeReadIsReportedNeverWrittenAndOutlookExpressStarts) {
  AppBed bed;
  bed.installOutlook();
  const auto text = settingsText("ModeMail=0\r\n", "checkNoIdentities=0\r\n",
                                 "[Progs]\r\nnotes=C:\\notes.exe\r\n");
  bed.writeSettings(text);
  const auto path = bed.settingsPath().string();
  bed.sim.processes.disk().makeUnreadable(path);
  auto& form = bed.start();

  ASSERT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
  const auto box = bed.sim.dialogs.messageBoxes()[0];
  EXPECT_EQ(box.text, "Le fichier de configuration " + path +
                          " n'a pas pu \xEAtre lu. Vantrel d\xE9marre avec les r\xE9glages par "
                          "d\xE9"
                          "faut et ne modifiera pas ce fichier.");
  EXPECT_EQ(box.caption, "Vantrel");
  EXPECT_EQ(box.flags, platform::MbIconError);
  // The values of a new file, past its first run.
  EXPECT_EQ(form.configMode, 0);
  EXPECT_TRUE(form.tabIdentities.checkNoIdentities.checked);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  EXPECT_EQ(bed.sim.processes.outlookStarts()[0].commandLine.back(), ' ') << "mail, not news";

  form.mnuTrayItemConfigClick();
  form.bttnOKClick();
  EXPECT_EQ(bed.sim.processes.disk().replaceCalls(), 0);
  EXPECT_EQ(bed.readSettings(), text);
  EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
}

// The second row: a folder whose name the ANSI code page cannot write, short form included.
TEST(Settings, AFolderThatCannotBeWrittenOrNamedIsReportedOnceAndOutlookExpressStartsAnyway) {
  for (const bool named : {true, false}) {
    SCOPED_TRACE(named ? "cannot be written" : "cannot be named");
    AppBed bed;
    bed.installOutlook();
    bed.sim.processes.disk().refuseWrites(true);
    const auto folder = named ? bed.folder() : bed.folder() / "??????";
    if (!named) bed.sim.processes.setExecutable((folder / "Vantrel.exe").string(), false);
    const auto settings = (folder / "Vantrel.ini").string();
    auto& form = bed.start();

    ASSERT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u) << "no first-run message";
    const auto box = bed.sim.dialogs.messageBoxes()[0];
    EXPECT_EQ(box.text,
              named ? "Impossible d'enregistrer le fichier de configuration " + settings +
                          ". Les r\xE9glages ne pourront pas \xEAtre conserv\xE9s."
                    : "Le dossier du fichier de configuration " + settings +
                          " ne peut pas \xEAtre utilis\xE9 : son nom contient des lettres que "
                          "Windows ne peut pas \xE9"
                          "crire ici (les \"?\"). Les r\xE9glages ne pourront pas \xEAtre "
                          "conserv\xE9s ; placez Vantrel dans un autre dossier.");
    EXPECT_EQ(box.flags, platform::MbIconError);
    EXPECT_EQ(form.configMode, 0);
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
    EXPECT_TRUE(form.timerOE.enabled());

    form.mnuTrayItemConfigClick();
    form.tabLaunch.checkCloseConfirm.checked = true;
    form.bttnOKClick();
    EXPECT_FALSE(form.terminated());
    EXPECT_TRUE(form.tabLaunch.checkCloseConfirm.checked);
    EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u) << "reported once";
    EXPECT_FALSE(std::filesystem::exists(settings));
  }
}

TEST(Settings, OkWritesTheOptionsAndTheMailIntervalTakesEffect) {
  AppBed bed;
  auto& form = bed.launch(std::string(kConfigured) + "[Email]\r\neditMailTime=10\r\n");
  EXPECT_EQ(form.timerMail.interval(), 600000u);
  form.mnuTrayItemConfigClick();
  form.tabLaunch.radioModeNews.checked = true;
  form.tabLaunch.radioModeMail.checked = false;
  form.tabMail.editMailTime.setPosition(7);
  form.tabMail.checkNoMail.checked = false;
  form.tabMail.checkMailPreview.checked = false;
  form.bttnOKClick();
  EXPECT_FALSE(form.terminated());
  EXPECT_FALSE(form.visible());
  EXPECT_TRUE(form.timerOE.enabled());
  EXPECT_TRUE(form.timerMail.enabled());
  EXPECT_EQ(form.timerMail.interval(), 420000u);
  const auto text = bed.readSettings();
  EXPECT_NE(text.find("ModeMail=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("editMailTime=7\r\n"), std::string::npos);
  EXPECT_NE(text.find("checkNoMail=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("checkMailPreview=0\r\n"), std::string::npos);
}

TEST(Configuration, OpeningItFromTheTrayStopsBothTimers) {
  AppBed bed;
  auto& form = bed.launch(std::string(kConfigured) + "[Email]\r\ncheckNoMail=0\r\n");
  EXPECT_TRUE(form.timerOE.enabled());
  EXPECT_TRUE(form.timerMail.enabled());
  form.mnuTrayItemConfigClick();
  EXPECT_FALSE(form.timerOE.enabled());
  EXPECT_FALSE(form.timerMail.enabled());
  EXPECT_TRUE(form.visible());
}

TEST(AboutLabels, ShowTheProgramAndTheOutlookExpressVersion) {
  AppBed bed;
  bed.installOutlook();
  auto& form = bed.start();
  EXPECT_EQ(form.tabAbout.lblAppName.caption, "Vantrel v" VANTREL_VERSION_STRING);
  EXPECT_EQ(form.tabAbout.lblOEVersion.caption, "Outlook Express v6.00.2900.5512");
  EXPECT_TRUE(form.tabAbout.lblOEVersion.visible);

  AppBed bare;
  EXPECT_FALSE(bare.start().tabAbout.lblOEVersion.visible);
}

TEST(EndOfSession, RemovesTheIconAndEndsWithoutWritingTheStartIdentity) {
  AppBed bed;
  auto& form = bed.launch(kConfigured);
  ASSERT_TRUE(bed.sim.shell.icon());
  bed.sim.registry.importReg("REGEDIT4\n[HKEY_CURRENT_USER\\Identities]\n");
  form.WMQueryEndSession();
  EXPECT_FALSE(bed.sim.shell.icon());
  EXPECT_TRUE(form.terminated());
  EXPECT_TRUE(bed.sim.registry.writes().empty());
}

TEST(StoredIdentity, IsSelectedByItsExactNameBeforeOneThatDiffersOnlyInLetterCase) {
  for (const std::string stored : {"Alice", "alice", "ALICE"}) {
    AppBed bed;
    bed.sim.registry.importRegFile(VANTREL_SOURCE_DIR "/tests/fixtures/identities-letter-case.reg");
    auto& form = bed.startConfiguring(
        "[General]\r\nFirstRun=0\r\n[Identities]\r\nlistIdentities=" + stored + "\r\n");
    ASSERT_TRUE(form.tabIdentities.listIdentities.selected()) << stored;
    const auto& chosen =
        form.tabIdentities.listIdentities.at(*form.tabIdentities.listIdentities.selected()).caption;
    // Without an exact match, the first in the list's order (lstrcmp puts "alice" first).
    EXPECT_EQ(chosen, stored == "ALICE" ? "alice" : stored);
  }
}

}  // namespace
}  // namespace vantrel::testing
