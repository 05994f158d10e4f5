#include "app/account_results.h"

#include <gtest/gtest.h>

#include <string>

#include "net/errors.h"

namespace vantrel::app {
namespace {

TLangTexts french() {
  TLangTexts texts;
  loadBuiltinTexts(texts);
  return texts;
}

// The server's words go on the e-mail tab as one short line, whatever the server sent.
TEST(AccountResults, AServersWordsBecomeOneShortLine) {
  struct Case {
    const char* name;
    std::exception_ptr failure;
    CheckOutcome outcome;
    std::string detail;
  };
  const std::string longText(400, 'x');
  const Case cases[] = {
      {"a reply line", std::make_exception_ptr(net::Exception("-ERR mailbox\tlocked \r\n")),
       CheckOutcome::ServerAnswer, "-ERR mailbox locked"},
      {"lines of its own",
       std::make_exception_ptr(net::EServerRefusal("", "UNAVAILABLE", "a\r\nb")),
       CheckOutcome::ServerRefusal, "a b"},
      {"its words in UTF-8, a direction override and a C1 control left out",
       std::make_exception_ptr(net::Exception("-ERR \xC3\xBC\xE2\x80\xAE"
                                              "berf\xC3\xBCllt\xC2\x9B")),
       CheckOutcome::ServerAnswer, "-ERR \u00FCberf\u00FCllt"},
      {"its words in Windows-1252", std::make_exception_ptr(net::Exception("-ERR \xFC\x80")),
       CheckOutcome::ServerAnswer, "-ERR \u00FC\u20AC"},
      {"a long answer", std::make_exception_ptr(net::Exception(longText)),
       CheckOutcome::ServerAnswer, std::string(159, 'x') + "\u2026"},
      {"an empty reply: the server hung up", std::make_exception_ptr(net::Exception("\r\n")),
       CheckOutcome::ConnectionLost, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AccountResult result = failedCheck(c.failure, {});
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.detail, c.detail);
  }
}

// A line that quotes the server is UTF-8 throughout, the program's words converted; the others
// stay Windows-1252, as every other text of the program.
TEST(AccountResults, ALineQuotingTheServerIsUtf8Throughout) {
  AccountResult refused;
  refused.at = {14, 5};
  refused.outcome = CheckOutcome::ServerRefusal;
  refused.detail = "\u00DCberlastet";
  EXPECT_EQ(accountResultText(french(), &refused, true),
            (ResultLine{"Relev\u00E9 \u00E0 14:05 : \u00E9"
                        "chec temporaire du serveur : \u00DCberlastet",
                        true}));
  AccountResult counted;
  counted.at = {14, 5};
  counted.count = 2;
  EXPECT_EQ(accountResultText(french(), &counted, true),
            (ResultLine{"Relev\xE9 \xE0 14:05 : 2 message(s)", false}));
}

// A language without words for a refusal, and a refusal of no known kind, say the reason itself:
// never an empty pair of brackets in a box.
TEST(AccountResults, ARefusalWithoutWordsInTheLanguageKeepsItsOwn) {
  TLangTexts partial = french();
  partial.tlsExpired.clear();
  const std::string reason = "the engine's own words";
  EXPECT_EQ(tlsRefusalText(partial, platform::TlsRefusal::Expired, reason), reason);
  EXPECT_EQ(tlsRefusalText(partial, platform::TlsRefusal::Other, reason), reason);
  EXPECT_EQ(tlsRefusalText(partial, platform::TlsRefusal::Revoked, reason),
            "le certificat du serveur a \xE9t\xE9 r\xE9voqu\xE9");
}

}  // namespace
}  // namespace vantrel::app
