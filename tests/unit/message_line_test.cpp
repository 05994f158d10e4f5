#include <gtest/gtest.h>

#include <string>

#include "app/message_lines.h"
#include "platform/standin/standin_text_conversion.h"

namespace vantrel::app {
namespace {

// The sender stands between two left-to-right marks: whatever its direction, it cannot move the
// dash or the subject's first digits; its own direction marks are gone, so only the line's are.
TEST(MessageLine, TheSenderIsIsolatedFromTheSubject) {
  struct Case {
    const char* name;
    std::string from;  // raw header values
    std::string subject;
    std::string shown;
  };
  const Case cases[] = {
      {"a right-to-left sender", "=?utf-8?B?15nXldeh15k=?= <y@x.il>", "2024 report",
       "\u200E\u05D9\u05D5\u05E1\u05D9\u200E \u2013 2024 report"},
      {"a sender's own isolates and overrides",
       "=?utf-8?Q?=E2=81=A7=D7=90=E2=80=AE=E2=81=A9?= <a@b>",
       "=?utf-8?Q?=E2=81=A9x?=", "\u200E\u05D0\u200E \u2013 x"},
      {"no subject", "Zo\xC3\xA9 <z@x.fr>", "", "\u200EZo\u00E9\u200E \u2013 (sans objet)"},
      {"no sender", "", "2024 report", "2024 report"},
      {"a long line: the marks take no room", "Jean-Baptiste Emmanuel Zorg de la Fontaine <z@x.fr>",
       std::string(80, 'a'),
       "\u200EJean-Baptiste Emmanuel Zorg\u2026\u200E \u2013 " + std::string(28, 'a') + "\u2026"},
  };
  const platform::standin::StandinTextConversion none;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    net::TSummary summary;
    summary.From = c.from;
    summary.Subject = c.subject;
    EXPECT_EQ(shownMessageLine(messageLineOf(summary, none), "(sans objet)"), c.shown);
  }
}

}  // namespace
}  // namespace vantrel::app
