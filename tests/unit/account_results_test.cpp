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
