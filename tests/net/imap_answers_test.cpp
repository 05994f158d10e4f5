#include "net/imap_answers.h"

#include <gtest/gtest.h>

#include "net/imap_unseen_count.h"

namespace vantrel::net {
namespace {

TEST(ImapAnswers, TheInboxStatusIsReadOnlyFromAWellFormedStatusOfTheInbox) {
  struct Case {
    ImapAnswer answer;
    std::optional<int> unseen;
    std::optional<std::uint32_t> uidNext = std::nullopt;
    std::optional<std::uint32_t> uidValidity = std::nullopt;
  };
  const Case cases[] = {
      {{"* STATUS INBOX (MESSAGES 9 UNSEEN 3 RECENT 1)", {}}, 3},
      {{"* status Inbox (unseen 0)", {}}, 0},
      {{"* STATUS \"inbox\" (UNSEEN 5)", {}}, 5},
      {{"* STATUS {5} (UNSEEN 6)", {"INBOX"}}, 6},
      {{"* STATUS INBOX(UNSEEN 8)", {}}, 8},
      {{"* STATUS \"IN\\\"BOX\" (UNSEEN 5)", {}}, std::nullopt},
      {{"* STATUS {6} (UNSEEN 6)", {"INBOX"}}, std::nullopt},  // not the size announced
      {{"* STATUS {5} (UNSEEN 6)", {}}, std::nullopt},
      {{"* STATUS INBOXES (UNSEEN 1)", {}}, std::nullopt},
      {{"* STATUS INBOX (MESSAGES 4)", {}}, std::nullopt},
      {{"* STATUS INBOX (UNSEEN)", {}}, std::nullopt},
      {{"* STATUS INBOX (UNSEEN 4294967296)", {}}, std::nullopt},
      {{"* STATUS INBOX (UNSEEN -1)", {}}, std::nullopt},
      {{"* STATUS INBOX (UNSEEN 2", {}}, std::nullopt},
      {{"* STATUS \"INBOX (UNSEEN 2)", {}}, std::nullopt},
      {{"a2 STATUS INBOX (UNSEEN 2)", {}}, std::nullopt},
      {{"* STATUS", {}}, std::nullopt},
      // What tells the newest messages apart, in any order; one that is no UID reads as missing.
      {{"* STATUS INBOX (UIDVALIDITY 7 UNSEEN 2 UIDNEXT 4294967295)", {}}, 2, 4294967295u, 7},
      {{"* STATUS INBOX (UNSEEN 2 UIDNEXT 4294967296 UIDVALIDITY x)", {}}, 2},
      {{"* STATUS INBOX (UNSEEN 2 UNSEEN 5 UIDNEXT -1)", {}}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.text);
    const std::optional<InboxStatus> status = inboxStatusOf(c.answer);
    ASSERT_EQ(status.has_value(), c.unseen.has_value());
    if (!status) continue;
    EXPECT_EQ(status->unseen, *c.unseen);
    EXPECT_EQ(status->uidNext, c.uidNext);
    EXPECT_EQ(status->uidValidity, c.uidValidity);
  }
}

TEST(ImapAnswers, TheUidNumberingIsReadOnlyFromAnUntaggedOkCode) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"* OK [UIDVALIDITY 3857529045] UIDs valid", 3857529045u},
      {"* ok [uidvalidity 7]", 7},
      {"* OK [UIDVALIDITY 0] none", std::nullopt},
      {"* OK [UIDVALIDITY 4294967296] too large", std::nullopt},
      {"a2 OK [UIDVALIDITY 7] tagged", std::nullopt},
      {"* OK [UIDNEXT 7] another code", std::nullopt},
  };
  for (const auto& [line, uidValidity] : cases) {
    EXPECT_EQ(uidValidityOf(classifyImapLine(line)), uidValidity) << line;
  }
}

TEST(ImapAnswers, LinesAreToldApartByTheirStart) {
  const ImapLine greeting = classifyImapLine("* OK [CAPABILITY IMAP4rev1 starttls] ready");
  EXPECT_EQ(greeting.kind, ImapKind::Untagged);
  EXPECT_EQ(greeting.status, ImapStatus::Ok);
  EXPECT_EQ(capabilitiesOf(greeting), (std::vector<std::string>{"IMAP4REV1", "STARTTLS"}));

  const ImapLine tagged = classifyImapLine("a12 no [AUTHENTICATIONFAILED] wrong");
  EXPECT_EQ(tagged.kind, ImapKind::Tagged);
  EXPECT_EQ(tagged.tag, "a12");
  EXPECT_EQ(tagged.status, ImapStatus::No);
  EXPECT_EQ(tagged.code, "AUTHENTICATIONFAILED");
  EXPECT_EQ(capabilitiesOf(tagged), std::nullopt);

  EXPECT_EQ(classifyImapLine("+").kind, ImapKind::Continuation);
  EXPECT_EQ(classifyImapLine("* BYE").status, ImapStatus::Bye);
  EXPECT_EQ(classifyImapLine("* 3 EXISTS").status, ImapStatus::None);
  for (const char* garbage : {"", " a1 OK", "(a1 OK", "a\x01 OK", "*"}) {
    EXPECT_NE(classifyImapLine(garbage).status, ImapStatus::Ok) << garbage;
  }
}

TEST(ImapAnswers, LiteralsAreAnnouncedOnlyByDigitsInBracesAtTheEnd) {
  EXPECT_EQ(literalAtEnd("* 1 FETCH (BODY[] {2147483648}"), 2147483648u);
  EXPECT_EQ(literalAtEnd("{0}"), 0u);
  for (const char* line : {"{}", "{1a}", "{+5}", "{5+}", "{5} ", "5}", "{9999999999999999999}"}) {
    EXPECT_EQ(literalAtEnd(line), std::nullopt) << line;
  }
}

TEST(ImapAnswers, QuotingEscapesOrGivesWayToALiteral) {
  EXPECT_EQ(quotedString(""), "\"\"");
  EXPECT_EQ(quotedString("a\"b\\c d"), "\"a\\\"b\\\\c d\"");
  EXPECT_EQ(quotedString(std::string(1024, 'x')), "\"" + std::string(1024, 'x') + "\"");
  for (const std::string& text : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3),
                                  std::string("caf\xe9"), std::string(1025, 'x')}) {
    EXPECT_EQ(quotedString(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace vantrel::net
