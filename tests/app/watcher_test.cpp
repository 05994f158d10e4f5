// The watcher's ticks: the end of the program after Outlook Express has gone, the automatic start
// of the external programs, and the new-mail signs taken away when Outlook Express comes forward.
#include <gtest/gtest.h>

#include "app/tray_icon.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::RegistryValue;

constexpr char kManagedBob[] = "checkNoIdentities=0\r\nlistIdentities=Bob\r\n";

constexpr char kPrograms[] =
    "[Progs]\r\n"
    "Alpha=C:\\Tools\\alpha.exe\r\nAlpha_active=1\r\nAlpha_startReduced=1\r\n"
    "Broken=C:\\Missing\\broken.exe\r\nBroken_active=1\r\nBroken_startReduced=0\r\n"
    "Charlie=C:\\Program Files\\Charlie App\\charlie.exe\r\nCharlie_active=1\r\n"
    "Charlie_startReduced=0\r\n"
    "Delta=C:\\Tools\\delta.exe\r\nDelta_active=0\r\n";

std::vector<platform::standin::StartedProcess> programsStarted(const AppBed& bed) {
  auto started = bed.sim.processes.started();
  started.erase(started.begin());  // Outlook Express itself
  return started;
}

void addProgramFiles(AppBed& bed) {
  for (const auto* path : {"C:\\Tools\\alpha.exe", "C:\\Program Files\\Charlie App\\charlie.exe",
                           "C:\\Tools\\delta.exe"}) {
    bed.sim.processes.addFile(path);
  }
}

TEST(Watcher, TheIconGoesAtTheFirstTickWithoutTheWindowAndTheProgramEndsAtThe21st) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(settingsText("", kManagedBob));
  // Outlook Express was switched to another identity meanwhile.
  bed.sim.registry.setValue(kIdentities, "Last Username", "Carol");

  bed.sim.desktop.destroyWindow(form.oeWatch.oeWindow);  // the user closes it from its own window
  EXPECT_TRUE(bed.sim.shell.icon());
  bed.runFor(500);
  EXPECT_FALSE(bed.sim.shell.icon());
  for (int tick = 2; tick <= 20; ++tick) bed.runFor(500);
  EXPECT_FALSE(form.terminated());
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Last Username"), RegistryValue{"Carol"});

  bed.runFor(500);
  EXPECT_TRUE(form.terminated());
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Last Username"), RegistryValue{"Bob"});
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Start As"), RegistryValue{kBobGuid});
  EXPECT_FALSE(bed.sim.shell.icon());
}

TEST(Watcher, AWindowThatComesBackWithinTheGraceGetsItsIconBackAndAFreshCount) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText(""));
  const auto gone = form.oeWatch.oeWindow;
  form.oeWatch.oeWindow = platform::kNoWindow;
  bed.runFor(5000);
  EXPECT_FALSE(bed.sim.shell.icon());
  EXPECT_EQ(form.oeWatch.oeMissingTicks, 10);

  form.oeWatch.oeWindow = gone;
  bed.runFor(500);
  EXPECT_TRUE(bed.sim.shell.icon());
  EXPECT_EQ(form.oeWatch.oeMissingTicks, 0);
  form.oeWatch.oeWindow = platform::kNoWindow;
  bed.runFor(10000);
  EXPECT_FALSE(form.terminated()) << "twenty more ticks of grace";
  bed.runFor(500);
  EXPECT_TRUE(form.terminated());
}

TEST(ExternalPrograms, StartOnceAtTheFirstTickWithTheWindowEachWithItsShowState) {
  AppBed bed;
  addProgramFiles(bed);
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 2000);
  auto& form = bed.launch(settingsText("", "checkNoIdentities=1\r\n", kPrograms));
  EXPECT_TRUE(programsStarted(bed).empty()) << "not before the watcher sees the window";

  std::size_t startedWhileTheBoxWasOpen = 99;
  bed.sim.loop.atTime(bed.sim.loop.nowMs() + 1500,
                      [&] { startedWhileTheBoxWasOpen = programsStarted(bed).size(); });
  bed.runFor(500);
  EXPECT_EQ(startedWhileTheBoxWasOpen, 1u) << "the failure box holds up the others";
  const auto started = programsStarted(bed);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].commandLine, "\"C:\\Tools\\alpha.exe\" ");
  EXPECT_EQ(started[0].showState, platform::SwMinimize);
  EXPECT_EQ(started[1].commandLine, "\"C:\\Program Files\\Charlie App\\charlie.exe\" ");
  EXPECT_EQ(started[1].showState, platform::SwShowNormal);

  const auto boxes = bed.sim.dialogs.messageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Le fichier sp\xE9"
            "cifi\xE9 est introuvable.\r\n");
  EXPECT_EQ(boxes[0].caption, "Vantrel");
  EXPECT_EQ(boxes[0].flags, platform::MbOk);

  bed.runFor(5000);
  form.mnuTrayItemConfigClick();
  form.bttnOKClick();
  bed.runFor(5000);
  EXPECT_EQ(programsStarted(bed).size(), 2u) << "once per run";
  EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
}

TEST(ExternalPrograms, OutlookExpressClosedWhileAFailureBoxIsOpenIsStillGoneAfterIt) {
  AppBed bed;
  auto& form = bed.launch(settingsText("", "checkNoIdentities=1\r\n", kPrograms));
  const auto oe = form.oeWatch.oeWindow;
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 3000);
  bed.sim.loop.atTime(bed.sim.loop.nowMs() + 1000, [&] { bed.sim.desktop.destroyWindow(oe); });
  bed.runFor(500);  // the first tick opens the box, which stays open three seconds

  EXPECT_FALSE(bed.sim.shell.icon());
  EXPECT_EQ(form.oeWatch.oeMissingTicks, 6);
  bed.runFor(7499);
  EXPECT_FALSE(form.terminated());
  bed.runFor(1);
  EXPECT_TRUE(form.terminated()) << "at the 21st tick since Outlook Express went";
}

TEST(Watcher, NewMailSignsGoWhenOutlookExpressComesToTheFront) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText("ReduceInTray=0\r\n"));
  const auto other = bed.openOtherWindow();
  ASSERT_EQ(bed.sim.desktop.foregroundWindow(), other);
  app::trayIconSetIcon(bed.sim.shell, form.tray.trayIcon, kNewMailIcon);
  app::trayIconSetTip(bed.sim.shell, form.tray.trayIcon, "2 nouveaux messages");
  form.mailWatch.newMailTotal = 2;
  bed.runFor(1000);
  EXPECT_EQ(bed.sim.shell.icon()->icon, kNewMailIcon);
  EXPECT_EQ(form.mailWatch.newMailTotal, 2);

  bed.sim.desktop.setForegroundWindow(form.oeWatch.oeWindow);
  bed.runFor(500);
  EXPECT_EQ(bed.sim.shell.icon()->icon, kMainIcon);
  EXPECT_EQ(bed.sim.shell.icon()->tip, "Outlook Express");
  EXPECT_EQ(form.mailWatch.newMailTotal, 0);

  // Outlook Express stays in front: nothing the icon shows changes, and the shell hears nothing.
  const auto calls = bed.sim.shell.calls.size();
  bed.runFor(30000);
  EXPECT_EQ(bed.sim.shell.calls.size(), calls);
}

}  // namespace
}  // namespace vantrel::testing
