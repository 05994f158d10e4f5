// How an external program is named, stored as a [Progs] key and told apart from its flags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/external_programs.h"
#include "app/programs_tab.h"
#include "app/settings.h"

namespace vantrel::app {
namespace {

TEST(ProgramNameFromPath, IsTheFileNameWithoutItsLastExtension) {
  EXPECT_EQ(programNameFromPath("C:\\Tools\\my.app.exe"), "my.app");
  EXPECT_EQ(programNameFromPath("D:\\Apps\\Notes.old.exe"), "Notes.old");
  EXPECT_EQ(programNameFromPath("D:\\bin\\tool"), "tool");
  EXPECT_EQ(programNameFromPath("D:\\my.dir\\tool"), "tool") << "a dot of a folder is no extension";
  EXPECT_EQ(programNameFromPath("C:\\Program Files\\Big App\\big app.exe"), "big app");
  EXPECT_EQ(programNameFromPath("tool.exe"), "tool");
}

TEST(StorableProgramName, KeepsOrdinaryNamesAndMendsThoseTheSettingsFileWouldBreak) {
  for (const auto* name : {"Notes.old", "big app", "my_tool", "a]b", "x;y", "_active"}) {
    EXPECT_EQ(storableProgramName(name), name);
  }
  EXPECT_EQ(storableProgramName("a=b=c"), "a-b-c");
  EXPECT_EQ(storableProgramName(";notes"), "_;notes");
  EXPECT_EQ(storableProgramName("[x]"), "_[x]");
  EXPECT_EQ(storableProgramName("  spaced \t"), "spaced");
  EXPECT_EQ(storableProgramName("  ;late"), "_;late") << "a comment mark behind blanks too";
  EXPECT_EQ(storableProgramName(""), "_");
  EXPECT_EQ(storableProgramName("   "), "_");
  EXPECT_EQ(storableProgramName("\r\n;a\nb=c\r"), "_;a\\0Ab-c");
}

TEST(CompanionKey, IsAnotherKeyOfTheSectionFollowedByAFlagSuffix) {
  const std::vector<std::string> keys{"tool",         "tool_active",     "tool_startReduced",
                                      "my_tool",      "_active",         "x_active",
                                      "TOOL_ACTIVE2", "Big_STARTREDUCED"};
  EXPECT_TRUE(isCompanionKey("tool_active", keys));
  EXPECT_TRUE(isCompanionKey("tool_startReduced", keys));
  EXPECT_TRUE(isCompanionKey("TOOL_Active", keys)) << "letter case ignored, as the file does";
  EXPECT_FALSE(isCompanionKey("tool", keys));
  EXPECT_FALSE(isCompanionKey("my_tool", keys));
  EXPECT_FALSE(isCompanionKey("_active", keys));
  EXPECT_FALSE(isCompanionKey("x_active", keys)) << "no program x";
  EXPECT_FALSE(isCompanionKey("TOOL_ACTIVE2", keys));
  EXPECT_FALSE(isCompanionKey("Big_STARTREDUCED", keys));
}

}  // namespace
}  // namespace vantrel::app
