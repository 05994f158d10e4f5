// The profile file rules the settings and language files rely on.
#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace vantrel::base {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("vantrel-ini-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_);
  }
  ~IniFileTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path path() const { return folder_ / "settings.ini"; }
  void write(const std::string& text) const {
    std::ofstream out(path(), std::ios::binary);
    out << text;
  }
  std::string read() const {
    std::ifstream in(path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path folder_;
};

TEST_F(IniFileTest, ReadsFilesWithAnyOfTheThreeLineEnds) {
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    write("[Run]" + end + "A=1" + end + "[Email]" + end + "B=two" + end);
    IniFile ini(path());
    EXPECT_EQ(ini.readInteger("Run", "A", 0), 1);
    EXPECT_EQ(ini.readString("Email", "B", ""), "two");
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Run", "Email"}));

    ASSERT_TRUE(ini.writeInteger("Run", "C", 3));
    EXPECT_EQ(read(), "[Run]\r\nA=1\r\nC=3\r\n[Email]\r\nB=two\r\n");
  }
}

TEST_F(IniFileTest, NamesAndValuesAreTrimmedUnquotedAndMatchedWithoutLetterCase) {
  write(
      "  [ Run ]  \r\n"
      "  Lang  =  Fran\xE7"
      "ais  \r\n"
      "Quoted=\"  kept  \"\r\n"
      "Single='x'\r\n"
      "Half=\"open\r\n"
      "Empty=\r\n"
      "NoEquals\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readString("run", "LANG", ""),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(ini.readString("Run", "Quoted", ""), "  kept  ");
  EXPECT_EQ(ini.readString("Run", "Single", ""), "x");
  EXPECT_EQ(ini.readString("Run", "Half", ""), "\"open");
  EXPECT_EQ(ini.readString("Run", "Empty", "fallback"), "");
  EXPECT_EQ(ini.readString("Run", "NoEquals", "fallback"), "fallback");
  EXPECT_EQ(ini.sectionKeys("RUN"),
            (std::vector<std::string>{"Lang", "Quoted", "Single", "Half", "Empty"}));

  ini.writeString("RUN", "lang", "Deutsch");
  EXPECT_NE(read().find("\r\nLang=Deutsch\r\n"), std::string::npos) << "the stored spelling stays";
}

TEST_F(IniFileTest, IntegersAreWholeDecimalNumbersOrTheFallback) {
  write(
      "[N]\r\nplain=12\r\nminus=-1\r\nplus=+5\r\nblank= 7 \r\nquoted=\"9\"\r\n"
      "junk=12abc\r\nhex=0x10\r\nempty=\r\nhuge=99999999999\r\nsign=-\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readInteger("N", "plain", 0), 12);
  EXPECT_EQ(ini.readInteger("N", "minus", 0), -1);
  EXPECT_EQ(ini.readInteger("N", "plus", 0), 5);
  EXPECT_EQ(ini.readInteger("N", "blank", 0), 7);
  EXPECT_EQ(ini.readInteger("N", "quoted", 0), 9);
  for (const auto* key : {"junk", "hex", "empty", "huge", "sign", "absent"}) {
    EXPECT_EQ(ini.readInteger("N", key, 42), 42) << key;
  }
}

TEST_F(IniFileTest, CommentsAreNoKeysAndTheFirstOfDuplicatesWins) {
  write(
      "[Progs]\r\n;tool=C:\\old.exe\r\n  ; note=1\r\ntool=C:\\one.exe\r\nTOOL=C:\\two.exe\r\n"
      "[progs]\r\nother=C:\\other.exe\r\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readString("Progs", "tool", ""), "C:\\one.exe");
  EXPECT_EQ(ini.sectionKeys("Progs"), (std::vector<std::string>{"tool", "TOOL"}));
  EXPECT_EQ(ini.readString("Progs", "note", "none"), "none");
  EXPECT_EQ(ini.readString("Progs", "other", "none"), "none") << "only the first section counts";

  ini.writeString("Progs", "tool", "C:\\new.exe");
  ini.writeString("Progs", "added", "1");
  EXPECT_EQ(read(),
            "[Progs]\r\n;tool=C:\\old.exe\r\n  ; note=1\r\ntool=C:\\new.exe\r\nTOOL=C:\\two.exe\r\n"
            "added=1\r\n[progs]\r\nother=C:\\other.exe\r\n");
}

TEST_F(IniFileTest, ANewKeyEndsItsSectionBeforeBlankLinesAndANewSectionEndsTheFile) {
  write("[Run]\r\nA=1\r\n; last word\r\n\r\n\r\n[Email]\r\nB=2");
  IniFile ini(path());
  ini.writeInteger("Run", "C", 3);
  ini.writeString("Identities", "listIdentities", "Bob");
  EXPECT_EQ(read(),
            "[Run]\r\nA=1\r\n; last word\r\nC=3\r\n\r\n\r\n[Email]\r\nB=2\r\n"
            "[Identities]\r\nlistIdentities=Bob\r\n");
}

TEST_F(IniFileTest, DeleteKeyRemovesOnlyThatLineAndLeavesTheSection) {
  write("[Progs]\r\na=1\r\na_active=1\r\n[Run]\r\na=9\r\n");
  IniFile ini(path());
  EXPECT_TRUE(ini.deleteKey("progs", "A"));
  EXPECT_TRUE(ini.deleteKey("Progs", "missing"));
  EXPECT_TRUE(ini.deleteKey("Missing", "a"));
  EXPECT_TRUE(ini.deleteKey("Progs", "a_active"));
  EXPECT_EQ(read(), "[Progs]\r\n[Run]\r\na=9\r\n");
  EXPECT_TRUE(ini.sectionKeys("Progs").empty());
}

TEST_F(IniFileTest, AMissingFileIsEmptyAndTheFirstWriteCreatesIt) {
  IniFile ini(path());
  EXPECT_FALSE(ini.exists());
  EXPECT_EQ(ini.readString("General", "FirstRun", "1"), "1");
  EXPECT_TRUE(ini.sectionNames().empty());
  EXPECT_TRUE(ini.writeInteger("General", "FirstRun", 0));
  EXPECT_TRUE(ini.exists());
  EXPECT_EQ(read(), "[General]\r\nFirstRun=0\r\n");
  EXPECT_EQ(IniFile(path()).readInteger("General", "FirstRun", 1), 0);
}

TEST_F(IniFileTest, AWriteGoesThroughATemporaryFileAndAFailedOneLeavesTheFileWhole) {
  write("[Run]\r\nA=1\r\n");
  IniFile ini(path());
  ASSERT_TRUE(ini.writeInteger("Run", "B", 2));
  auto temporary = path();
  temporary += ".tmp";
  EXPECT_FALSE(std::filesystem::exists(temporary));

  std::filesystem::create_directory(temporary);  // the temporary cannot be written
  EXPECT_FALSE(ini.writeInteger("Run", "C", 3));
  EXPECT_FALSE(ini.flush());
  EXPECT_EQ(read(), "[Run]\r\nA=1\r\nB=2\r\n");
}

// Counts the replacements of the file, so that a batch of writes is seen to be one save.
class CountingFiles final : public StandardFileAccess {
 public:
  bool replace(const std::string& path, std::string_view bytes) const override {
    ++replacements;
    return StandardFileAccess::replace(path, bytes);
  }
  mutable int replacements = 0;
};

TEST_F(IniFileTest, WritesInABatchReachTheFileInOneSaveWhenTheLastBatchCloses) {
  const CountingFiles files;
  IniFile ini(path().string(), files);
  {
    const IniFile::Batch outer(ini);
    ini.writeInteger("Run", "A", 1);
    {
      const IniFile::Batch inner(ini);
      ini.writeString("Email", "B", "x");
    }
    ini.writeInteger("Run", "C", 3);
    EXPECT_EQ(files.replacements, 0);
    EXPECT_EQ(ini.readInteger("Run", "C", 0), 3);  // reads see the text in memory
  }
  EXPECT_EQ(files.replacements, 1);
  EXPECT_EQ(read(), "[Run]\r\nA=1\r\nC=3\r\n[Email]\r\nB=x\r\n");

  { const IniFile::Batch nothing(ini); }
  EXPECT_EQ(files.replacements, 1);
}

}  // namespace
}  // namespace vantrel::base
