// The [Progs] section across a save and a restart, and a language chosen in the window.
#include <gtest/gtest.h>

#include <fstream>

#include "app/settings.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

struct Entry {
  std::string name, path, startReduced;
  bool active;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> entriesOf(const app::TMainForm& form) {
  std::vector<Entry> entries;
  for (const auto& item : form.tabProgs.listExternalProgs.items()) {
    entries.push_back({item.caption, item.subItems.at(0), item.subItems.at(1), item.checked});
  }
  return entries;
}

// OK, then a new start on the same file: what the user finds again.
std::vector<Entry> afterRestart(AppBed& bed) {
  bed.form().bttnOKClick();
  AppBed next;
  return entriesOf(next.startConfiguring(bed.readSettings()));
}

TEST(ProgsSection, EveryProgramSurvivesARestartNamesWithUnderscoresIncluded) {
  AppBed bed;
  auto& form = bed.configureProgs(
      "my_tool=C:\\t\\my_tool.exe\r\nmy_tool_active=1\r\n"
      "my_tool_startReduced=0\r\n"
      "Notes=D:\\Apps\\Notes.old.exe\r\nNotes_startReduced=1\r\n"
      "x_y_active=C:\\odd.exe\r\n");
  const std::vector<Entry> expected = {
      {"my_tool", "C:\\t\\my_tool.exe", "0", true},
      {"Notes", "D:\\Apps\\Notes.old.exe", "1", false},
      // No "x_y" key: this one names a program, not a companion.
      {"x_y_active", "C:\\odd.exe", "1", false},
  };
  EXPECT_EQ(entriesOf(form), expected);
  EXPECT_EQ(afterRestart(bed), expected);
}

TEST(ProgsSection, MissingOrBadCompanionsTakeTheirDefaults) {
  AppBed bed;
  auto& form = bed.configureProgs(
      "plain=C:\\plain.exe\r\nodd=C:\\odd.exe\r\n"
      "odd_startReduced=yes\r\nodd_active=maybe\r\n");
  const std::vector<Entry> expected = {{"odd", "C:\\odd.exe", "1", false},
                                       {"plain", "C:\\plain.exe", "1", false}};
  EXPECT_EQ(entriesOf(form), expected);
}

TEST(ProgsSection, OkWithNoProgramsLeavesNoKeys) {
  AppBed bed;
  auto& form = bed.configureProgs("a=C:\\a.exe\r\na_active=1\r\n; a note\r\n");
  form.tabProgs.listExternalProgs.remove(0);
  form.bttnOKClick();
  const auto text = bed.readSettings();
  EXPECT_NE(text.find("[Progs]\r\n; a note\r\n"), std::string::npos);
  EXPECT_EQ(text.find("a="), std::string::npos);
  EXPECT_EQ(text.find("a_active"), std::string::npos);
}

TEST(ProgsSection, OfAProgramAndOneNamedLikeItsActiveKeyOnlyTheFirstComesBack) {
  AppBed bed;
  auto& form = bed.configureProgs("a=C:\\a.exe\r\na_active=1\r\n");
  ui::ListItem second;
  second.caption = "a_active";
  second.subItems = {"C:\\b.exe", "1"};
  form.tabProgs.listExternalProgs.add(second);
  const auto entries = afterRestart(bed);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a");
  EXPECT_EQ(entries[0].path, "C:\\a.exe");
}

TEST(Language, ChoosingOneRelabelsEveryControlMenuItemAndDialogAtOnce) {
  AppBed bed;
  std::filesystem::copy_file(VANTREL_SOURCE_DIR "/resources/lang.ini", bed.folder() / "lang.ini");
  auto& form = bed.configureProgs("");
  ASSERT_EQ(form.tabLaunch.comboLang.items.size(), 3u);
  EXPECT_EQ(form.tabLaunch.comboLang.items.back().caption,
            "Fran\xE7"
            "ais");
  EXPECT_EQ(form.tabLaunch.comboLang.selectedText(),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(form.tabLaunch.caption, "D\xE9marrage et Comportement");

  form.tabLaunch.comboLang.selected = 0;  // English
  const auto refreshes = bed.view.refreshes;
  form.comboLangChange();
  EXPECT_GT(bed.view.refreshes, refreshes);
  EXPECT_EQ(form.langTexts.langCode, "en");
  EXPECT_EQ(form.tabLaunch.caption, "Start-up and Behaviour");
  EXPECT_EQ(form.tabAbout.caption, "About");
  EXPECT_EQ(form.tabLaunch.checkRestoreDblClick.caption,
            "Restore on double-click instead of single click");
  EXPECT_EQ(form.tabProgs.listExternalProgs.columns.at(0).caption, "Name");
  EXPECT_EQ(form.tabMail.listAccounts.columns.at(1).caption, "Server");
  EXPECT_EQ(form.tray.mnuTrayItemQuit->caption, "Quit");
  EXPECT_EQ(form.tray.mnuTrayItemCheckMail->caption, "Check mail now");
  EXPECT_EQ(form.dlgOpenOE.title, form.langTexts.dlgOpenOETitle);
  EXPECT_NE(form.dlgOpenOE.title.find("Outlook Express"), std::string::npos);
  EXPECT_EQ(form.tabAbout.bttnFaqOE.caption, "FAQ Outlook Express");  // not translated

  form.bttnOKClick();
  EXPECT_NE(bed.readSettings().find("Lang=English\r\n"), std::string::npos);
}

TEST(Language, AStoredNameIsSelectedWithoutLetterCaseAndAnUnknownOneGivesFrench) {
  for (const auto& [stored, selected, tab] :
       {// The entry is found without letter case, but the texts need the exact name.
        std::tuple{"deutsch", "Deutsch", "D\xE9marrage et Comportement"},
        std::tuple{"Deutsch", "Deutsch", "Start und Verhalten"},
        std::tuple{"Klingon", "", "D\xE9marrage et Comportement"},
        std::tuple{"", "", "D\xE9marrage et Comportement"}}) {
    AppBed bed;
    std::filesystem::copy_file(VANTREL_SOURCE_DIR "/resources/lang.ini", bed.folder() / "lang.ini");
    auto& form = bed.startConfiguring(
        settingsText(std::string("Lang=") + stored + "\r\n", "checkNoIdentities=1\r\n", ""));
    EXPECT_EQ(form.tabLaunch.comboLang.selectedText(), selected) << stored;
    EXPECT_EQ(form.tabLaunch.caption, tab) << stored;
  }
}

// Windows paths are taken apart by hand: a dot in a folder's name is no extension.
TEST(SettingsFile, LiesBesideTheExecutableUnderItsNameWithIniForExtension) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"C:\\Tools\\Vantrel.exe", "C:\\Tools\\Vantrel.ini"},
      {"C:\\My.Tools\\Vantrel", "C:\\My.Tools\\Vantrel.ini"},
      {"C:\\Tools\\vantrel.old.exe", "C:\\Tools\\vantrel.old.ini"},
      {"C:/Tools/Vantrel.EXE", "C:/Tools/Vantrel.ini"},
      {"Vantrel.exe", "Vantrel.ini"},
  };
  for (const auto& [executable, settings] : cases)
    EXPECT_EQ(app::settingsPathFor(executable), settings) << executable;
}

}  // namespace
}  // namespace vantrel::testing
