// The tray icon as a user meets it: clicks, the menu, hot keys, a restarted shell and Quit.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "app/app_constants.h"
#include "app/tray_icon.h"
#include "app_bed.h"
#include "ui/menu.h"

namespace vantrel::testing {
namespace {

using platform::ShowCommand;
using platform::WindowHandle;

constexpr std::uint32_t kF2 = 113;
constexpr std::uint32_t kF3 = 114;

// The show commands given to one window since `from` calls were recorded.
std::vector<ShowCommand> showsOf(const AppBed& bed, WindowHandle window, std::size_t from = 0) {
  std::vector<ShowCommand> shows;
  const auto& calls = bed.sim.desktop.showCalls();
  for (auto i = from; i < calls.size(); ++i) {
    if (calls[i].window == window) shows.push_back(calls[i].command);
  }
  return shows;
}

// A click on the tray icon, handled as the loop runs on.
void clickTray(AppBed& bed, std::intptr_t message) {
  bed.postTray(message);
  bed.runFor(1);
}

// The shell reports a double-click as button up, double-click, button up.
void doubleClickTray(AppBed& bed) {
  for (const auto message :
       {platform::kWmLButtonUp, platform::kWmLButtonDblClk, platform::kWmLButtonUp}) {
    bed.postTray(message);
  }
  bed.runFor(1);
}

TEST(TrayClick, AMinimisedWindowIsHiddenAtTheNextTickAndAClickBringsItBackMaximisedToTheFront) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText("ReduceInTray=1\r\nRestoreMaximized=1\r\n"));
  const auto oe = form.oeWatch.oeWindow;
  ASSERT_NE(bed.oeWindow(), nullptr);

  bed.sim.desktop.showWindow(oe, platform::SwMinimize);
  bed.runFor(399);
  EXPECT_TRUE(bed.oeWindow()->visible) << "hidden before the next tick";
  bed.runFor(1);
  EXPECT_FALSE(bed.oeWindow()->visible);
  EXPECT_TRUE(bed.sim.shell.icon());

  bed.openOtherWindow();
  ASSERT_NE(bed.sim.desktop.foregroundWindow(), oe);
  app::trayIconSetIcon(bed.sim.shell, form.tray.trayIcon, kNewMailIcon);
  clickTray(bed, platform::kWmLButtonUp);
  const auto* window = bed.oeWindow();
  EXPECT_TRUE(window->visible);
  EXPECT_FALSE(window->iconic);
  EXPECT_TRUE(window->maximized);
  EXPECT_EQ(bed.sim.desktop.foregroundWindow(), oe);
  EXPECT_EQ(bed.sim.desktop.topLevelWindows().front(), oe);
  EXPECT_EQ(bed.sim.shell.icon()->icon, kMainIcon) << "a click takes the new-mail picture away";
}

TEST(TrayClick, WithoutReduceInTrayAClickMinimisesAndTheNextRestores) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText("ReduceInTray=0\r\n"));
  const auto oe = form.oeWatch.oeWindow;
  const auto before = bed.sim.desktop.showCalls().size();

  bed.postTray(platform::kWmLButtonUp);
  bed.runFor(2000);
  EXPECT_TRUE(bed.oeWindow()->visible) << "still in the task bar";
  EXPECT_TRUE(bed.oeWindow()->iconic);

  bed.openOtherWindow();
  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_FALSE(bed.oeWindow()->iconic);
  EXPECT_FALSE(bed.oeWindow()->maximized);
  EXPECT_EQ(bed.sim.desktop.foregroundWindow(), oe);
  EXPECT_EQ(showsOf(bed, oe, before),
            (std::vector<ShowCommand>{platform::SwMinimize, platform::SwRestore}));
}

TEST(TrayClick, ADoubleClickWithTheSingleClickSettingTogglesThreeTimes) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText(""));
  const auto before = bed.sim.desktop.showCalls().size();
  doubleClickTray(bed);
  EXPECT_EQ(showsOf(bed, form.oeWatch.oeWindow, before),
            (std::vector<ShowCommand>{platform::SwHide, platform::SwShow, platform::SwHide}));
  EXPECT_FALSE(bed.oeWindow()->visible);
}

TEST(TrayClick, WithRestoreDblClkOnlyADoubleClickToggles) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText("RestoreDblClk=1\r\n"));
  const auto oe = form.oeWatch.oeWindow;
  const auto before = bed.sim.desktop.showCalls().size();

  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_TRUE(showsOf(bed, oe, before).empty());

  doubleClickTray(bed);
  EXPECT_EQ(showsOf(bed, oe, before), std::vector<ShowCommand>{platform::SwHide});

  // A second copy of the program pokes the running one with a single click: no effect either.
  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_FALSE(bed.oeWindow()->visible);

  clickTray(bed, platform::kWmLButtonDblClk);
  EXPECT_TRUE(bed.oeWindow()->visible);
  EXPECT_EQ(bed.sim.desktop.foregroundWindow(), oe);
}

TEST(TrayMenu, ARightClickPopsTheMenuAtTheCursorOnlyWhileTheConfigurationWindowIsHidden) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText(""));
  std::vector<std::uint32_t> messages;
  const auto forward = bed.sim.desktop.programMessages;
  bed.sim.desktop.programMessages = [&](WindowHandle window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) {
    messages.push_back(message);
    forward(window, message, wParam, lParam);
  };
  bed.sim.desktop.setCursorPos({1210, 1003});

  clickTray(bed, platform::kWmRButtonUp);
  EXPECT_EQ(bed.view.popups, 1);
  EXPECT_EQ(bed.view.lastPopup.x, 1210);
  EXPECT_EQ(bed.view.lastPopup.y, 1003);
  EXPECT_EQ(bed.sim.desktop.foregroundWindow(), bed.mainWindow);
  EXPECT_EQ(messages, (std::vector<std::uint32_t>{app::WM_TRAYNOTIFY, platform::kWmNull}));

  form.mnuTrayItemConfigClick();
  clickTray(bed, platform::kWmRButtonUp);
  EXPECT_EQ(bed.view.popups, 1);

  form.bttnOKClick();
  clickTray(bed, platform::kWmRButtonUp);
  EXPECT_EQ(bed.view.popups, 2);
}

TEST(TrayMenu, TheProgramsSubmenuHoldsActiveProgramsThenInactiveOnesAndHidesWhenEmpty) {
  AppBed bed;
  bed.sim.shell.setIcon("C:\\Tools\\beta.exe", 0x7001);
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=1\r\n",
                                              "[Progs]\r\n"
                                              "Zeta=C:\\Tools\\zeta.exe\r\nZeta_active=1\r\n"
                                              "alpha=C:\\Tools\\alpha.exe\r\nalpha_active=0\r\n"
                                              "Beta=C:\\Tools\\beta.exe\r\nBeta_active=1\r\n"
                                              "gamma=C:\\Tools\\gamma.exe\r\n"));
  const auto& progs = *form.tray.mnuTrayItemProgs;
  EXPECT_TRUE(progs.visible);
  std::vector<std::string> captions;
  std::vector<std::int32_t> pictures;
  for (const auto& item : progs.items) {
    captions.push_back(item->caption);
    pictures.push_back(item->imageIndex);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Beta", "Zeta", "-", "alpha", "gamma"}));
  EXPECT_EQ(pictures, (std::vector<std::int32_t>{5, 4, -1, 4, 4}));

  form.mnuTrayItemConfigClick();
  while (!form.tabProgs.listExternalProgs.empty()) form.tabProgs.listExternalProgs.remove(0);
  form.bttnOKClick();
  EXPECT_FALSE(progs.visible);
  EXPECT_TRUE(progs.items.empty());

  form.mnuTrayItemConfigClick();
  form.tabProgs.listExternalProgs.add({"Notes", {"C:\\Tools\\notes.exe", "1"}, false, 4, {}});
  form.bttnOKClick();
  EXPECT_TRUE(progs.visible);
  ASSERT_EQ(progs.items.size(), 2u);
  EXPECT_TRUE(progs.items[0]->isSeparator());
  EXPECT_EQ(progs.items[1]->caption, "Notes");
}

TEST(TaskbarCreated, TheIconComesBackWithTheNewMailPictureAndTipItHad) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText(""));
  bed.sim.desktop.showWindow(form.oeWatch.oeWindow, platform::SwMinimize);
  bed.runFor(500);
  ASSERT_FALSE(bed.oeWindow()->visible);
  app::trayIconSetIcon(bed.sim.shell, form.tray.trayIcon, kNewMailIcon);
  app::trayIconSetTip(bed.sim.shell, form.tray.trayIcon, "3 nouveaux messages");

  bed.sim.shell.restartExplorer();
  form.WMTaskbarCreated();
  const auto& icon = bed.sim.shell.icon();
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->icon, kNewMailIcon);
  EXPECT_EQ(icon->tip, "3 nouveaux messages");
  EXPECT_EQ(icon->id, app::kTrayIconId);
  EXPECT_EQ(icon->callbackMessage, app::WM_TRAYNOTIFY);

  // The way back to Outlook Express works again.
  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_TRUE(bed.oeWindow()->visible);

  // While Outlook Express is gone the icon stays away.
  bed.sim.desktop.destroyWindow(form.oeWatch.oeWindow);
  bed.runFor(500);
  ASSERT_FALSE(bed.sim.shell.icon());
  bed.sim.shell.restartExplorer();
  form.WMTaskbarCreated();
  EXPECT_FALSE(bed.sim.shell.icon());
}

TEST(TaskbarCreated, ABroadcastThatLeftTheIconInPlaceStillLetsTheWindowGoToTheTray) {
  AppBed bed;
  auto& form = bed.startWatching(settingsText(""));
  form.WMTaskbarCreated();  // the shell refuses a second add of an icon it still shows
  ASSERT_TRUE(bed.sim.shell.icon());

  bed.sim.desktop.showWindow(form.oeWatch.oeWindow, platform::SwMinimize);
  bed.runFor(500);
  EXPECT_FALSE(bed.oeWindow()->visible);
  const auto calls = bed.sim.shell.calls.size();
  bed.runFor(2000);
  EXPECT_EQ(bed.sim.shell.calls.size(), calls) << "no more tries once the icon is known there";
}

TEST(ShellNotReady, TheWatcherKeepsAddingTheIconAndMinimisesInsteadOfHiding) {
  AppBed bed;
  bed.sim.shell.ready = false;
  auto& form = bed.launch(settingsText(kStartHidden));
  const auto oe = form.oeWatch.oeWindow;
  const auto launched = bed.sim.desktop.showCalls().size();
  EXPECT_TRUE(bed.oeWindow()->visible) << "started hidden, then minimised once found";
  EXPECT_TRUE(bed.oeWindow()->iconic);

  const auto adds = [&] {
    return std::ranges::count(bed.sim.shell.calls, platform::NotifyIconAction::Add);
  };
  const auto addsBefore = adds();
  bed.runFor(2000);
  EXPECT_GE(adds() - addsBefore, 4) << "one try per tick";
  EXPECT_TRUE(bed.oeWindow()->visible);
  EXPECT_TRUE(bed.oeWindow()->iconic);

  // A second copy's poke toggles it, still without hiding it.
  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_FALSE(bed.oeWindow()->iconic);
  clickTray(bed, platform::kWmLButtonUp);
  EXPECT_TRUE(bed.oeWindow()->visible);
  for (const auto command : showsOf(bed, oe, launched)) EXPECT_NE(command, platform::SwHide);

  bed.sim.shell.ready = true;
  bed.runFor(500);
  EXPECT_TRUE(bed.sim.shell.icon());
  EXPECT_FALSE(bed.oeWindow()->visible) << "put away into the tray once the icon is there";
}

// What the shell shows: the picture, then the tip.
std::string trayShown(const AppBed& bed) {
  return bed.trayPicture() + ", " + bed.sim.shell.icon()->tip;
}

// New mail as a check announces it: the count on the picture, then the tip.
void announceThree(AppBed& bed, app::TMainForm& form) {
  app::trayIconSetCountIcon(bed.sim.shell, form.tray.trayIcon, kNewMailIcon, form.pictures.newMail,
                            3);
  app::trayIconSetTip(bed.sim.shell, form.tray.trayIcon, "3 message(s)");
}

TEST(ShellBusy, ARefusedChangeIsGivenAgainAtTheNextTickAndNothingOnceTaken) {
  const std::string usual = "usual, Outlook Express";
  const std::string three = "new mail 3, 3 message(s)";
  struct Case {
    std::string name;
    bool announcedFirst;
    int timeOuts;  // the calls refused from the change on
    std::function<void(AppBed&, app::TMainForm&)> change;
    std::string refused;  // shown after the change
    std::string taken;    // after the next tick
  };
  const auto outlookInFront = [](AppBed& bed, app::TMainForm& form) {
    bed.sim.desktop.setForegroundWindow(form.oeWatch.oeWindow);
    bed.runFor(500);
  };
  const std::vector<Case> cases = {
      {"both calls of an announcement refused", false, 2, announceThree, usual, three},
      // Each call gives the shell the whole icon.
      {"the picture's call refused, the tip's carries it", false, 1, announceThree, three, three},
      {"the resets of Outlook Express in front refused", true, 2, outlookInFront, three, usual},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    auto& form = bed.startWatching(settingsText(""));
    bed.openOtherWindow();
    if (c.announcedFirst) announceThree(bed, form);
    bed.sim.shell.timeOuts = c.timeOuts;
    c.change(bed, form);
    EXPECT_EQ(trayShown(bed), c.refused);
    bed.runFor(500);
    EXPECT_EQ(trayShown(bed), c.taken);
    const auto calls = bed.sim.shell.calls.size();
    bed.runFor(2000);
    EXPECT_EQ(bed.sim.shell.calls.size(), calls) << "no call at rest";
  }
}

// A new size for each picture the icon may show; Outlook Express in front then brings back the
// usual one, at the new size too.
TEST(TraySize, TheIconIsDrawnAnewAtTheNotificationAreasNewSize) {
  struct Case {
    std::string name;
    bool plain;       // the new-mail picture without its count
    bool newTaskBar;  // else the display's scale changed
    std::string shown;
  };
  const std::vector<Case> cases = {
      {"the count, scale changed", false, false, "new mail 3 at 24 px"},
      {"the count, a new task bar", false, true, "new mail 3 at 24 px"},
      {"the plain new-mail picture", true, false, "new mail at 24 px"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    auto& form = bed.startWatching(settingsText(""));
    bed.openOtherWindow();
    announceThree(bed, form);
    if (c.plain) app::trayIconSetIcon(bed.sim.shell, form.tray.trayIcon, kNewMailIcon);
    if (c.newTaskBar) bed.sim.shell.restartExplorer();
    form.trayPicturesResized(trayPictures(24));
    if (c.newTaskBar) form.WMTaskbarCreated();
    EXPECT_EQ(bed.trayPicture(), c.shown);
    bed.sim.desktop.setForegroundWindow(form.oeWatch.oeWindow);
    bed.runFor(500);
    EXPECT_EQ(bed.trayPicture(), "usual at 24 px");
  }
}

TEST(HotKeys, ThreeIdentitiesGetCtrlShiftF1ToF3AndATakenOneStillWorksByClick) {
  AppBed bed("identities-three.reg");
  bed.sim.desktop.takeHotKey(6, kF2);  // MOD_CONTROL | MOD_SHIFT
  auto& form = bed.startWatching(settingsText(""));

  std::vector<std::string> captions;
  std::vector<std::string> shortcuts;
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& item = *form.tray.mnuTray.items[i];
    captions.push_back(item.caption);
    shortcuts.push_back(item.shortcut ? ui::shortcutText(*item.shortcut) : "");
    EXPECT_EQ(item.imageIndex, app::kPictureIdentity);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Alice", "Bob", "Carol"}));
  EXPECT_EQ(shortcuts, (std::vector<std::string>{"Shift+Ctrl+F1", "", "Shift+Ctrl+F3"}));
  EXPECT_TRUE(form.tray.mnuTray.items[3]->isSeparator());
  EXPECT_EQ(bed.sim.desktop.hotKeys(),
            (std::map<std::int32_t, std::uint32_t>{{49149, 114}, {49151, 112}}));

  const auto& bob = *form.tray.mnuTray.items[1];
  bob.onClick(bob);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(bed.sim.processes.outlookStarts()[1].lastUsername, "Bob");

  // The key that could not be registered may still arrive from elsewhere: nothing happens.
  form.WMHotKey(ctrlShift(kF2));
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 2u);

  form.WMHotKey(ctrlShift(kF3));
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 3u);
  EXPECT_EQ(bed.sim.processes.outlookStarts()[2].lastUsername, "Carol");
  EXPECT_EQ(bed.sim.processes.outlookStarts()[2].startAs, "{2F1D6A10-5B3C-4E7A-9C21-0A1B2C3D4E01}");
}

TEST(HotKeys, IdentitiesPastTheTwentyFourthGetTheKeysAfterF24AsTheyAre) {
  AppBed bed;
  std::string reg = "REGEDIT4\n";
  for (int i = 0; i < 26; ++i) {
    const auto number = std::to_string(10 + i);
    reg += "[HKEY_CURRENT_USER\\Identities\\{000000" + number +
           "-0000-0000-0000-000000000000}]\n\"Username\"=\"User " + number + "\"\n";
  }
  bed.sim.registry.importReg(reg);
  auto& form = bed.startWatching(settingsText(""));
  EXPECT_EQ(bed.sim.desktop.hotKeys().size(), 26u);
  EXPECT_EQ(bed.sim.desktop.hotKeys().at(49151 - 23), 135u);  // F24
  EXPECT_EQ(bed.sim.desktop.hotKeys().at(49151 - 25), 137u);
  EXPECT_EQ(form.tray.mnuTray.items[25]->caption, "User 35");
  EXPECT_EQ(form.tray.mnuTray.items[25]->shortcut->virtualKey, 137u);

  form.WMHotKey(ctrlShift(137));
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().lastUsername, "User 35");
}

TEST(Quit, WithConfirmCloseTheAnswerNoChangesNothingAndYesClosesOutlookExpress) {
  AppBed bed("identities-three.reg");
  auto& form = bed.startWatching(
      settingsText("ConfirmClose=1\r\n", "checkNoIdentities=0\r\nlistIdentities=Bob\r\n"));
  const auto oe = form.oeWatch.oeWindow;
  bed.sim.registry.setValue(kIdentities, "Last Username", "Carol");
  const auto writes = bed.sim.registry.writes().size();

  bed.sim.dialogs.answerMessageBox(platform::IdNo);
  form.mnuTrayItemQuitClick();
  bed.runFor(3000);
  EXPECT_FALSE(form.terminated());
  EXPECT_TRUE(bed.sim.desktop.isWindow(oe));
  EXPECT_TRUE(form.timerOE.enabled());
  EXPECT_EQ(bed.sim.registry.writes().size(), writes);
  const auto box = bed.sim.dialogs.messageBoxes().back();
  EXPECT_EQ(box.owner, bed.sim.desktop.desktopWindow());
  EXPECT_EQ(box.caption, "Vantrel");
  EXPECT_EQ(box.flags, platform::MbIconQuestion | platform::MbYesNo);
  EXPECT_EQ(box.text, "Etes vous s\xFBr de vouloir fermer Outlook Express ?");

  bed.sim.dialogs.answerMessageBox(platform::IdYes);
  form.mnuTrayItemQuitClick();
  EXPECT_TRUE(form.terminated());
  EXPECT_EQ(bed.sim.registry.value(kIdentities, "Last Username"),
            platform::standin::RegistryValue{"Bob"});
  bed.sim.loop.sleep(100);
  EXPECT_FALSE(bed.sim.desktop.isWindow(oe));
}

}  // namespace
}  // namespace vantrel::testing
