// Which form of the program's path the ANSI file functions are given.
#include <gtest/gtest.h>

#include "base/path_text.h"

namespace vantrel::base {
namespace {

TEST(OpenableAnsiPath, TheLongFormWhenItSurvivesTheCodePageElseTheShortOneElseNone) {
  const AnsiPath longWhole{"C:\\\x8Cuvre\\Vantrel.exe", true};
  const AnsiPath longLost{"C:\\Users\\??????\\Vantrel.exe", false};
  const AnsiPath shortWhole{"C:\\Users\\1C1F~1\\Vantrel.exe", true};
  const AnsiPath shortLost{"C:\\Users\\??????\\Vantrel.exe", false};
  struct Case {
    AnsiPath longForm;
    std::optional<AnsiPath> shortForm;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {longWhole, std::nullopt, longWhole.text},
      {longWhole, shortWhole, longWhole.text},
      {longLost, shortWhole, shortWhole.text},
      // No 8.3 names on the volume: the short form is the long one, letters lost alike.
      {longLost, shortLost, std::nullopt},
      {longLost, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.longForm.text + " / " + (c.shortForm ? c.shortForm->text : "none"));
    EXPECT_EQ(openableAnsiPath(c.longForm, c.shortForm), c.expected);
  }
}

}  // namespace
}  // namespace vantrel::base
