#include "net/imap_answers.h"

#include <gtest/gtest.h>

namespace vantrel::net {
namespace {

TEST(ImapAnswers, UnseenIsReadOnlyFromAWellFormedStatusOfTheInbox) {
  struct Case {
    ImapAnswer answer;
    std::optional<int> unseen;
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
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unseenOfInbox(c.answer), c.unseen) << c.answer.text;
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
  for (const std::string text : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3),
                                 std::string("caf\xe9"), std::string(1025, 'x')}) {
    EXPECT_EQ(quotedString(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace vantrel::net
