#include "app/lang_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_constants.h"
#include "base/ini_file.h"

namespace vantrel::app {
namespace {

const std::filesystem::path kFixtures = VANTREL_SOURCE_DIR "/tests/fixtures/lang";
const std::filesystem::path kLanguages = kFixtures / "languages.ini";
const std::filesystem::path kMissing = kFixtures / "no-such-file.ini";
const std::filesystem::path kShipped = VANTREL_SOURCE_DIR "/resources/lang.ini";

TLangTexts builtin() {
  TLangTexts texts;
  loadBuiltinTexts(texts);
  return texts;
}

// A Windows-1252 text saved as UTF-8 shows up as a lead byte 0xC2/0xC3 before a continuation byte.
bool looksLikeUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const auto next = static_cast<unsigned char>(bytes[i + 1]);
    if ((lead == 0xC2 || lead == 0xC3) && next >= 0x80 && next <= 0xBF) return true;
  }
  return false;
}

TEST(LangKeys, EachKeyReachesItsOwnField) {
  TLangTexts texts;
  for (const LangText& entry : kLangTexts) texts.*entry.field = std::string(entry.key);
  std::set<std::string_view> seen;
  for (const LangText& entry : kLangTexts) {
    EXPECT_EQ(texts.*entry.field, entry.key) << "another key shares this field";
    EXPECT_TRUE(seen.insert(entry.key).second) << entry.key << " listed twice";
  }
  EXPECT_EQ(texts.langCode, "");
  EXPECT_EQ(texts.langName, "");
}

TEST(BuiltinTexts, FrenchSetIsCompleteAndSingleByte) {
  const TLangTexts texts = builtin();
  EXPECT_EQ(texts.langCode, "fr");
  EXPECT_EQ(texts.langName, kBuiltinLangName);
  for (const LangText& entry : kLangTexts) {
    EXPECT_FALSE(looksLikeUtf8(texts.*entry.field)) << entry.key;
    if (entry.key != "lblDescription") {
      EXPECT_FALSE((texts.*entry.field).empty()) << entry.key;
    }
  }
  const std::string name(APP_NAME);
  EXPECT_NE(texts.msgFirstRunConfig.find("lancez " + name + ". Vous"), std::string::npos);
  EXPECT_NE(texts.msgFirstRunConfig.find(".\nQuand"), std::string::npos);
  EXPECT_TRUE(texts.msgFirstRunConfig.ends_with("lancer " + name + "."));
  EXPECT_NE(texts.msgAboutML.find("diffusion de " + name + " pour"), std::string::npos);
}

TEST(ListLanguageNames, OffersEverySectionInFileOrder) {
  // Only without langName is a section offered under its own name; an empty one is a name too.
  const std::vector<std::string> expected = {"Deutsch", "xx",
                                             "Fran\xE7"
                                             "ais",
                                             "Deutsch", ""};
  EXPECT_EQ(listLanguageNames(kLanguages), expected);
  EXPECT_TRUE(listLanguageNames(kMissing).empty());
}

TEST(LoadLanguageFileTexts, FillsFromTheFirstMatchingSection) {
  TLangTexts texts = builtin();
  ASSERT_TRUE(loadLanguageFileTexts(texts, "Deutsch", kLanguages));
  EXPECT_EQ(texts.langCode, "de");
  EXPECT_EQ(texts.langName, "Deutsch");
  EXPECT_EQ(texts.tabLaunch, "Start und Verhalten");
  EXPECT_EQ(texts.notifyWindowTitle, "Sie haben %count% Nachricht(en)");
  EXPECT_EQ(texts.msgMailConnectionFailed, "Keine Verbindung zum Server: ");
  // No French leaks into a translated set: a missing key is an empty text.
  EXPECT_EQ(texts.tabProgs, "");
  EXPECT_EQ(texts.msgOECloseConfirm, "");
}

TEST(LoadLanguageFileTexts, SectionWithoutNameLoadsUnderSectionNameAndAnEmptyNameAsItIs) {
  TLangTexts texts;
  ASSERT_TRUE(loadLanguageFileTexts(texts, "xx", kLanguages));
  EXPECT_EQ(texts.langCode, "xx");
  EXPECT_EQ(texts.langName, "xx");
  EXPECT_EQ(texts.tabLaunch, "Ohne Namen");
  EXPECT_FALSE(loadLanguageFileTexts(texts, "blank", kLanguages))
      << "a langName that is present names the section, even when empty";
  ASSERT_TRUE(loadLanguageFileTexts(texts, "", kLanguages));
  EXPECT_EQ(texts.langCode, "blank");
  EXPECT_EQ(texts.tabLaunch, "Leerer Name");
}

TEST(LoadLanguageFileTexts, NoMatchLeavesTheSetAlone) {
  TLangTexts texts;
  texts.tabLaunch = "unchanged";
  EXPECT_FALSE(loadLanguageFileTexts(texts, "deutsch", kLanguages)) << "names compare exactly";
  EXPECT_FALSE(loadLanguageFileTexts(texts, "de", kLanguages))
      << "a named section is not found by code";
  EXPECT_FALSE(loadLanguageFileTexts(texts, "Deutsch", kMissing));
  EXPECT_EQ(texts.tabLaunch, "unchanged");
  EXPECT_EQ(texts.langCode, "");
}

TEST(MakeLangTexts, BuiltinNameAndNamesNoSectionOffersGiveFrench) {
  const TLangTexts french = builtin();
  for (const std::string_view name :
       {kBuiltinLangName, std::string_view("Klingon"), std::string_view("deutsch")}) {
    const TLangTexts texts = makeLangTexts(name, kLanguages);
    EXPECT_EQ(texts.langCode, "fr") << name;
    EXPECT_EQ(texts.tabLaunch, french.tabLaunch) << name;
  }
  EXPECT_EQ(makeLangTexts("Deutsch", kMissing).langCode, "fr");
  EXPECT_EQ(makeLangTexts("", kMissing).langCode, "fr") << "an empty name without such a section";
  EXPECT_EQ(makeLangTexts("", kLanguages).langCode, "blank") << "the section named empty";
}

TEST(MakeLangTexts, OtherNamesGiveTheFileSet) {
  const TLangTexts texts = makeLangTexts("Deutsch", kLanguages);
  EXPECT_EQ(texts.langCode, "de");
  EXPECT_EQ(texts.tabLaunch, "Start und Verhalten");
  EXPECT_EQ(texts.tabProgs, "");
}

TEST(ReplacePlaceholder, ReplacesEveryOccurrenceOnce) {
  EXPECT_EQ(replacePlaceholder("%count% / %count%", kPlaceholderCount, "3"), "3 / 3");
  EXPECT_EQ(replacePlaceholder("no placeholder", kPlaceholderCount, "3"), "no placeholder");
  // A value holding the placeholder is put in as it stands, not expanded again.
  EXPECT_EQ(replacePlaceholder("a %count% b", kPlaceholderCount, "%count%%count%"),
            "a %count%%count% b");
  EXPECT_EQ(replacePlaceholder(replacePlaceholder(builtin().msgMailInvalidHost, kPlaceholderHost,
                                                  "pop.example.org"),
                               kPlaceholderLogin, "bob"),
            "Le serveur pop.example.org semble ne pas exister");
}

TEST(ShippedLanguageFile, IsWindows1252OfSectionsKeysAndComments) {
  std::ifstream in(kShipped, std::ios::binary);
  ASSERT_TRUE(in) << kShipped;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_FALSE(looksLikeUtf8(bytes));
  EXPECT_NE(bytes.find("Identit\xE4ten"), std::string::npos);
  // Nothing else, such as what a merge leaves between two versions of a line.
  std::istringstream lines(bytes);
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with('\r')) line.pop_back();
    const auto name = line.substr(0, line.find('='));
    const bool key =
        name.size() < line.size() && !name.empty() &&
        std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
    EXPECT_TRUE(line.empty() || line.starts_with(';') || key ||
                (line.starts_with('[') && line.ends_with(']')))
        << line;
  }
}

TEST(ShippedLanguageFile, EverySectionIsCompleteAndKeepsPlaceholders) {
  const base::IniFile file(kShipped);
  const std::vector<std::string> sections = file.sectionNames();
  for (const char* wanted : {"en", "de"})
    EXPECT_NE(std::find(sections.begin(), sections.end(), wanted), sections.end()) << wanted;

  const TLangTexts french = builtin();
  std::set<std::string, std::less<>> known = {"langName"};
  for (const LangText& entry : kLangTexts) known.emplace(entry.key);
  for (const std::string& section : sections) {
    EXPECT_FALSE(file.readString(section, "langName", "").empty()) << section;
    // A misspelt key, or what a merge left behind, is a text no window ever shows.
    for (const std::string& key : file.sectionKeys(section))
      EXPECT_TRUE(known.contains(key)) << "[" << section << "] has the unknown key [" << key << "]";
    for (const LangText& entry : kLangTexts) {
      const std::optional<std::string> value = file.find(section, entry.key);
      if (!value) {
        ADD_FAILURE() << "[" << section << "] lacks " << entry.key;
        continue;
      }
      const std::string& original = french.*entry.field;
      for (const std::string_view placeholder : kPlaceholders)
        EXPECT_EQ(value->find(placeholder) != std::string::npos,
                  original.find(placeholder) != std::string::npos)
            << "[" << section << "] " << entry.key << " " << placeholder;
      // The server name or the typed password follows these texts directly.
      if (original.ends_with(' ')) {
        EXPECT_TRUE(value->ends_with(' ')) << section << " " << entry.key;
      }
    }
  }
}

}  // namespace
}  // namespace vantrel::app
