// The Programs tab as a user meets it: adding, selecting, modifying and deleting entries, what
// the settings file keeps of them, and starting them from the tray menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/external_programs.h"
#include "app/programs_tab.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::ShownDialog;

std::vector<std::string> namesOf(const app::TMainForm& form) {
  std::vector<std::string> names;
  for (const auto& item : form.tabProgs.listExternalProgs.items()) names.push_back(item.caption);
  return names;
}

const ui::ListItem& entryNamed(const app::TMainForm& form, const std::string& name) {
  return form.tabProgs.listExternalProgs.at(
      form.tabProgs.listExternalProgs.findCaption(name).value());
}

void selectEntry(app::TMainForm& form, const std::string& name) {
  const auto index = form.tabProgs.listExternalProgs.findCaption(name).value();
  form.tabProgs.listExternalProgs.select(index);
  app::listExternalProgsSelectItem(form, index, true);
}

void addProgram(AppBed& bed, const std::string& path) {
  bed.sim.dialogs.answerOpenFile(path);
  app::bttnExternalProgsAddClick(bed.form());
}

TEST(ProgramsTab, AddNamesTheEntryAfterItsFileAndMakesItActiveAndStartedMinimised) {
  AppBed bed;
  bed.sim.shell.setIcon("D:\\bin\\tool", 0x7001);
  auto& form = bed.configureProgs("zz=C:\\zz.exe\r\n");

  app::bttnExternalProgsAddClick(form);  // cancelled
  EXPECT_EQ(namesOf(form), std::vector<std::string>{"zz"});
  const auto dialog = bed.sim.dialogs.shown().back();
  EXPECT_EQ(dialog.kind, ShownDialog::Kind::OpenFile);
  EXPECT_EQ(dialog.request.title, "Vantrel");
  EXPECT_EQ(dialog.request.filter, "");
  EXPECT_EQ(dialog.request.owner, bed.mainWindow);

  form.tabProgs.listExternalProgs.select(0);
  addProgram(bed, "D:\\Apps\\Notes.old.exe");
  addProgram(bed, "D:\\bin\\tool");
  EXPECT_EQ(namesOf(form), (std::vector<std::string>{"Notes.old", "tool", "zz"}));
  EXPECT_EQ(form.tabProgs.listExternalProgs.selected(), std::optional<std::size_t>{2})
      << "the selection stays on its entry";

  const auto& notes = entryNamed(form, "Notes.old");
  EXPECT_EQ(app::programPath(notes), "D:\\Apps\\Notes.old.exe");
  EXPECT_EQ(app::programStartReduced(notes), "1");
  EXPECT_TRUE(notes.checked);
  EXPECT_EQ(notes.imageIndex, app::kPictureProgram);
  EXPECT_EQ(entryNamed(form, "tool").imageIndex, 5);
  EXPECT_EQ(form.imgListProgsAndTray.added(), std::vector<platform::IconHandle>{0x7001});

  selectEntry(form, "Notes.old");
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartReduced.enabled);
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartNormal.enabled);
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartReduced.checked);
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartNormal.checked);
}

TEST(ProgramsTab, TheRadioButtonsFollowAndSetTheSelectedEntrysShowState) {
  AppBed bed;
  auto& form =
      bed.configureProgs("a=C:\\a.exe\r\na_startReduced=0\r\nb=C:\\b.exe\r\nb_startReduced=1\r\n");
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartReduced.enabled)
      << "until an entry is selected";

  // Without a selection a click changes no entry.
  form.tabProgs.radioExternalProgsStartNormal.checked = true;
  app::radioExternalProgsStartNormalClick(form);
  EXPECT_EQ(app::programStartReduced(entryNamed(form, "b")), "1");

  selectEntry(form, "a");
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartNormal.checked);
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartReduced.checked);

  selectEntry(form, "b");
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartReduced.checked);
  form.tabProgs.radioExternalProgsStartReduced.checked = false;
  form.tabProgs.radioExternalProgsStartNormal.checked = true;
  app::radioExternalProgsStartNormalClick(form);
  EXPECT_EQ(app::programStartReduced(entryNamed(form, "b")), "0");

  // A deselection leaves the buttons as they are.
  app::listExternalProgsSelectItem(form, 1, false);
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartNormal.checked);

  selectEntry(form, "a");
  form.tabProgs.radioExternalProgsStartReduced.checked = true;
  form.tabProgs.radioExternalProgsStartNormal.checked = false;
  app::radioExternalProgsStartReducedClick(form);
  EXPECT_EQ(app::programStartReduced(entryNamed(form, "a")), "1");

  form.bttnOKClick();
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartReduced.enabled);
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartReduced.checked);
  EXPECT_FALSE(form.tabProgs.radioExternalProgsStartNormal.checked);
  const auto text = bed.readSettings();
  EXPECT_NE(text.find("a_startReduced=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("b_startReduced=0\r\n"), std::string::npos);
}

TEST(ProgramsTab, ModifyChangesOnlyThePathAndStartsInTheEntrysFolder) {
  AppBed bed;
  bed.sim.shell.setIcon("C:\\Old\\ed.exe", 0x7001);
  auto& form = bed.configureProgs(
      "ed=C:\\Old\\ed.exe\r\ned_active=0\r\ned_startReduced=0\r\nzz=C:\\zz.exe\r\n");

  app::bttnExternalProgsModifyClick(form);
  EXPECT_TRUE(bed.sim.dialogs.shown().empty()) << "no entry selected, no dialog";

  selectEntry(form, "ed");
  app::bttnExternalProgsModifyClick(form);  // cancelled
  EXPECT_EQ(bed.sim.dialogs.shown().back().request.initialFolder, "C:\\Old");
  EXPECT_EQ(bed.sim.dialogs.shown().back().request.fileName, "ed.exe");
  EXPECT_EQ(app::programPath(entryNamed(form, "ed")), "C:\\Old\\ed.exe");

  bed.sim.dialogs.answerOpenFile("D:\\New Place\\editor.exe");
  app::bttnExternalProgsModifyClick(form);
  const auto& ed = entryNamed(form, "ed");
  EXPECT_EQ(app::programPath(ed), "D:\\New Place\\editor.exe");
  EXPECT_EQ(app::programStartReduced(ed), "0");
  EXPECT_FALSE(ed.checked);
  EXPECT_EQ(ed.imageIndex, 5);
  EXPECT_EQ(namesOf(form), (std::vector<std::string>{"ed", "zz"}));
}

TEST(ProgramsTab, DeleteRemovesTheSelectedEntryAndTheTrayKeepsItUntilOk) {
  AppBed bed;
  bed.sim.shell.setIcon("C:\\a.exe", 0x7001);
  bed.sim.shell.setIcon("C:\\b.exe", 0x7002);
  auto& form = bed.launch(settingsText("", "checkNoIdentities=1\r\n",
                                       "[Progs]\r\na=C:\\a.exe\r\na_active=1\r\nb=C:\\b.exe\r\n"));
  form.mnuTrayItemConfigClick();

  app::bttnExternalProgsDelClick(form);
  EXPECT_EQ(namesOf(form), (std::vector<std::string>{"a", "b"})) << "nothing selected";

  selectEntry(form, "a");
  app::bttnExternalProgsDelClick(form);
  EXPECT_EQ(namesOf(form), std::vector<std::string>{"b"});
  EXPECT_EQ(bed.sim.shell.destroyedIcons, std::vector<platform::IconHandle>{0x7001});
  EXPECT_EQ(entryNamed(form, "b").imageIndex, 6) << "the other pictures keep their place";
  EXPECT_FALSE(form.tabProgs.listExternalProgs.selected());
  EXPECT_TRUE(form.tabProgs.radioExternalProgsStartReduced.enabled);
  EXPECT_EQ(form.tray.mnuTrayItemProgs->items.size(), 3u);

  form.bttnOKClick();
  ASSERT_EQ(form.tray.mnuTrayItemProgs->items.size(), 2u);
  EXPECT_EQ(form.tray.mnuTrayItemProgs->items[1]->caption, "b");
  const auto text = bed.readSettings();
  EXPECT_EQ(text.find("\r\na="), std::string::npos);
  EXPECT_EQ(text.find("a_active"), std::string::npos);
}

TEST(ProgramsTab, NamesThatCannotBeKeysAreStoredSafelyAndSurviveARestart) {
  AppBed bed;
  auto& form = bed.configureProgs();
  for (const auto* path :
       {"C:\\Tools\\a=b.exe", "C:\\Tools\\;notes.exe", "C:\\Tools\\[x].exe",
        "C:\\Tools\\  spaced  .exe", "C:\\Tools\\my_tool.exe", "C:\\Tools\\.exe"}) {
    addProgram(bed, path);
  }
  const std::vector<std::string> expected{"_", "_;notes", "_[x]", "a-b", "my_tool", "spaced"};
  EXPECT_EQ(namesOf(form), expected);
  form.tabProgs.listExternalProgs.at(3).checked = false;
  form.tabProgs.listExternalProgs.at(3).subItems.at(1) = "0";
  form.bttnOKClick();
  ASSERT_TRUE(form.terminated());

  auto& again = bed.start();
  EXPECT_EQ(namesOf(again), expected);
  const auto& ab = entryNamed(again, "a-b");
  EXPECT_EQ(app::programPath(ab), "C:\\Tools\\a=b.exe");
  EXPECT_FALSE(ab.checked);
  EXPECT_EQ(app::programStartReduced(ab), "0");
  const auto& spaced = entryNamed(again, "spaced");
  EXPECT_EQ(app::programPath(spaced), "C:\\Tools\\  spaced  .exe");
  EXPECT_TRUE(spaced.checked);
  EXPECT_EQ(app::programStartReduced(spaced), "1");
  EXPECT_EQ(app::programPath(entryNamed(again, "_")), "C:\\Tools\\.exe");
}

TEST(ProgramsTab, ANameThatWouldOverwriteAnotherEntrysFlagsGetsANumberAndBothSurvive) {
  for (const bool shortFirst : {true, false}) {
    AppBed bed;
    auto& form = bed.configureProgs();
    const std::vector<std::string> paths =
        shortFirst ? std::vector<std::string>{"C:\\T\\x.exe", "C:\\T\\x_active.exe",
                                              "C:\\T\\X_startReduced.exe"}
                   : std::vector<std::string>{"C:\\T\\x_active.exe", "C:\\T\\X_startReduced.exe",
                                              "C:\\T\\x.exe"};
    for (const auto& path : paths) addProgram(bed, path);
    const std::vector<std::string> expected =
        shortFirst ? std::vector<std::string>{"x", "x_active-2", "X_startReduced-2"}
                   : std::vector<std::string>{"x-2", "x_active", "X_startReduced"};
    EXPECT_EQ(namesOf(form), expected) << shortFirst;
    form.tabProgs.listExternalProgs.at(1).checked = false;
    form.bttnOKClick();

    auto& again = bed.start();
    EXPECT_EQ(namesOf(again), expected) << shortFirst;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(again.tabProgs.listExternalProgs.at(i).checked, i != 1) << expected[i];
    }
  }
}

TEST(ProgramsTab, NamesThatDifferOnlyInLetterCaseGetANumberAndEachKeepsItsOwnProgram) {
  AppBed bed;
  auto& form = bed.configureProgs();
  for (const auto* path : {"C:\\A\\Notes.exe", "D:\\B\\notes.exe", "E:\\C\\NOTES.exe"}) {
    addProgram(bed, path);
  }
  const std::vector<std::string> expected{"Notes", "notes-2", "NOTES-3"};
  EXPECT_EQ(namesOf(form), expected);
  form.bttnOKClick();

  auto& again = bed.start();
  EXPECT_EQ(namesOf(again), expected);
  EXPECT_EQ(app::programPath(entryNamed(again, "notes-2")), "D:\\B\\notes.exe");
  EXPECT_EQ(app::programPath(entryNamed(again, "NOTES-3")), "E:\\C\\NOTES.exe");
}

TEST(TrayPrograms, AnItemStartsItsProgramWithItsOwnShowStateEveryTimeActiveOrNot) {
  AppBed bed;
  for (const auto* path : {"C:\\Tools\\one.exe", "C:\\Tools\\ONE-copy.exe", "C:\\Tools\\two.exe"}) {
    bed.sim.processes.addFile(path);
  }
  auto& form = bed.startWatching(settingsText("", "checkNoIdentities=1\r\n",
                                              "[Progs]\r\n"
                                              "two=C:\\Tools\\two.exe\r\ntwo_startReduced=0\r\n"
                                              "One=C:\\Tools\\ONE-copy.exe\r\n"
                                              "one=C:\\Tools\\one.exe\r\n"));
  const auto startsBefore = bed.sim.processes.started().size();
  const auto& items = form.tray.mnuTrayItemProgs->items;
  ASSERT_TRUE(items[0]->isSeparator()) << "all inactive";

  const auto click = [&](std::size_t index) { items[index]->onClick(*items[index]); };
  click(3);  // two
  click(3);
  click(2);  // One
  click(1);  // one
  std::vector<platform::standin::StartedProcess> started(
      bed.sim.processes.started().begin() + static_cast<std::ptrdiff_t>(startsBefore),
      bed.sim.processes.started().end());
  ASSERT_EQ(started.size(), 4u);
  EXPECT_EQ(started[0].commandLine, "\"C:\\Tools\\two.exe\" ");
  EXPECT_EQ(started[0].showState, platform::SwShowNormal);
  EXPECT_EQ(started[1].commandLine, started[0].commandLine);
  // Names equal but for letter case: both items start the first entry of the list.
  EXPECT_EQ(started[2].commandLine, started[3].commandLine);
  EXPECT_EQ(started[2].commandLine,
            "\"" + app::programPath(form.tabProgs.listExternalProgs.at(0)) + "\" ");
  EXPECT_EQ(started[2].showState, platform::SwMinimize);
}

}  // namespace
}  // namespace vantrel::testing
