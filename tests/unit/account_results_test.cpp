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
      {"the client's own words are none of the server's",
       std::make_exception_ptr(net::EMailFault(net::MailFault::NoUnseenCount)), CheckOutcome::Fault,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AccountResult result = failedCheck(c.failure, {});
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.detail, c.detail);
  }
}

// What the socket saw comes before any words: a socket's error never reads as the server's answer.
TEST(AccountResults, ASocketsSignsAndErrorsAreNoServerAnswer) {
  struct Case {
    const char* name;
    std::exception_ptr failure;
    FailureSigns signs;
    CheckOutcome outcome;
  };
  const auto sockError = std::make_exception_ptr(net::ESockError("Connection reset (10054)"));
  const auto answer = std::make_exception_ptr(net::Exception("-ERR try later"));
  const Case cases[] = {
      {"a socket's error", sockError, {}, CheckOutcome::ConnectionLost},
      {"an aborted wait",
       std::make_exception_ptr(net::EAbortError("aborted")),
       {},
       CheckOutcome::ConnectionLost},
      {"a socket's error after no name",
       sockError,
       {.hostNotFound = true},
       CheckOutcome::ServerNotFound},
      {"a socket's error after a time-out", sockError, {.timedOut = true}, CheckOutcome::NoAnswer},
      {"words after a failed connect",
       answer,
       {.connectionFailed = true},
       CheckOutcome::NoConnection},
      {"words and no sign", answer, {}, CheckOutcome::ServerAnswer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(failedCheck(c.failure, c.signs).outcome, c.outcome);
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

// Every reason that reaches a box or the e-mail tab, of every kind there is, in each language the
// program comes with: none falls back to the network components' English, none is left empty or
// with a placeholder unfilled.
TEST(AccountResults, EveryReasonHasItsWordsInEachLanguage) {
  const std::string shipped = VANTREL_SOURCE_DIR "/resources/lang.ini";
  const std::string english = "the components' own words";
  const std::string codes[] = {"fr", "en", "de"};
  const TLangTexts languages[] = {french(), makeLangTexts("English", shipped),
                                  makeLangTexts("Deutsch", shipped)};
  for (std::size_t language = 0; language < std::size(languages); ++language) {
    const TLangTexts& texts = languages[language];
    SCOPED_TRACE(codes[language]);
    ASSERT_EQ(texts.langCode, codes[language]) << "a language missing from the file";
    const auto says = [&](const AccountResult& result, const std::string& what) {
      const std::string line = accountResultText(texts, &result, true).text;
      EXPECT_FALSE(resultReason(texts, result).text.empty()) << what;
      EXPECT_EQ(line.find('%'), std::string::npos) << what << ": " << line;
      EXPECT_EQ(line.find(english), std::string::npos) << what << ": " << line;
      return line;
    };
    for (int kind = 0; kind < static_cast<int>(CheckOutcome::End); ++kind) {
      AccountResult result;
      result.outcome = static_cast<CheckOutcome>(kind);
      result.refusal = platform::TlsRefusal::Untrusted;
      result.fault = net::MailFault::NoUnseenCount;
      says(result, "outcome " + std::to_string(kind));
    }
    for (int kind = 1; kind < static_cast<int>(platform::TlsRefusal::End); ++kind) {
      AccountResult refused;
      refused.outcome = CheckOutcome::SecureRefused;
      refused.refusal = static_cast<platform::TlsRefusal>(kind);
      refused.detail = english;
      const auto field = tlsRefusalField(refused.refusal);
      ASSERT_NE(field, nullptr) << "refusal " << kind;
      EXPECT_NE(says(refused, "refusal " + std::to_string(kind)).find(texts.*field),
                std::string::npos);
    }
    for (int kind = 0; kind < static_cast<int>(net::MailFault::End); ++kind) {
      AccountResult faulted;
      faulted.outcome = CheckOutcome::Fault;
      faulted.fault = static_cast<net::MailFault>(kind);
      const auto field = mailFaultField(faulted.fault);
      ASSERT_NE(field, nullptr) << "fault " << kind;
      EXPECT_FALSE((texts.*field).empty()) << "fault " << kind;
      const std::string words(net::mailFaultWords(faulted.fault));
      EXPECT_EQ(says(faulted, "fault " + std::to_string(kind)).find(words), std::string::npos);
    }
  }
}

// What tells one refusal of a kind from another (an error code, a protocol) follows its words.
TEST(AccountResults, ARefusalsDetailFollowsItsWords) {
  EXPECT_EQ(tlsRefusalText(french(), platform::TlsRefusal::ChainInvalid,
                           platform::tlsReasonWith(platform::tls_reason::kChainInvalid, "0x20")),
            "la cha\xEEne de certificats du serveur n'est pas valable (0x20)");
  EXPECT_EQ(tlsRefusalText(french(), platform::TlsRefusal::OlderVersion,
                           platform::tlsReasonWith(platform::tls_reason::kOlderVersion, "TLS 1.0")),
            "le serveur n'a accept\xE9 qu'une version de TLS ant\xE9rieure \xE0 TLS 1.2 (TLS 1.0)");
}

// A push session's end, as the e-mail tab tells it: the server's words only where they are.
TEST(AccountResults, APushSessionsEndIsToldAsACheckWouldBe) {
  using End = net::ImapPushSession::End;
  using Reason = net::ImapPushSession::EndReason;
  const auto connectionEnd = [](net::ConnectionEnd::Why why) {
    End end;
    end.connection.emplace();
    end.connection->why = why;
    return end;
  };
  End goodbye;
  goodbye.text = "* BYE shutting down";
  End idleEnded;
  idleEnded.text = "The server ended IDLE by itself";
  idleEnded.fault = net::MailFault::IdleEnded;
  End refused;
  refused.reason = Reason::SecureRefused;
  refused.tlsReason = net::kSecureNoMore;
  refused.refusal = platform::TlsRefusal::SecureNoMore;
  End trouble;
  trouble.reason = Reason::ServerRefused;
  trouble.text = "a1 NO [UNAVAILABLE] down";
  trouble.serverText = "down";
  const struct {
    const char* name;
    End end;
    CheckOutcome outcome;
    std::string detail;
  } cases[] = {
      {"a goodbye", goodbye, CheckOutcome::ServerAnswer, "* BYE shutting down"},
      {"the session's own words", idleEnded, CheckOutcome::Fault, ""},
      {"a hang-up", connectionEnd(net::ConnectionEnd::Why::HungUp), CheckOutcome::ConnectionLost,
       ""},
      {"no such host", connectionEnd(net::ConnectionEnd::Why::NoSuchHost),
       CheckOutcome::ServerNotFound, ""},
      {"a renewal unanswered", connectionEnd(net::ConnectionEnd::Why::TimedOut),
       CheckOutcome::NoAnswer, ""},
      {"no TLS any more", refused, CheckOutcome::SecureRefused, net::kSecureNoMore},
      {"the server's own trouble", trouble, CheckOutcome::ServerRefusal, "down"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const AccountResult result = endedPush(c.end);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.detail, c.detail);
  }
  EXPECT_EQ(endedPush(idleEnded).fault, net::MailFault::IdleEnded);
  EXPECT_EQ(endedPush(refused).refusal, platform::TlsRefusal::SecureNoMore);
}

}  // namespace
}  // namespace vantrel::app
