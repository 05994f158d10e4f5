// The readers behind the mail summaries, without a connection: a header read a line at a time,
// the UIDs of SEARCH and ESEARCH answers read a piece at a time, and the items of FETCH answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/imap_summary_answers.h"
#include "net/mail_summary.h"

namespace vantrel::net {
namespace {

std::vector<std::string> headerLines(const TSummary& summary) {
  std::vector<std::string> lines;
  for (int i = 0; i < summary.Header.Count(); ++i) lines.push_back(summary.Header[i]);
  return lines;
}

TEST(MailSummary, HeaderFieldsAreReadRawUnfoldedAndTheFirstOfEachCounts) {
  struct Case {
    const char* name;
    std::string header;
    std::string from;
    std::string subject;
    std::string messageId;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"names in any case, blanks around values dropped",
       "fROM:  a@example.com \r\nsubject :\tHi \r\nMESSAGE-id: <1@x>\r\n\r\n",
       "a@example.com",
       "Hi",
       "<1@x>",
       {"fROM:  a@example.com ", "subject :\tHi ", "MESSAGE-id: <1@x>"}},
      {"folds: each line break gone, its blank kept",
       "Subject: =?UTF-8?Q?a?=\r\n =?UTF-8?Q?b?=\r\n\t\tc\r\nFrom: x\r\n",
       "x",
       "=?UTF-8?Q?a?= =?UTF-8?Q?b?=\t\tc",
       "",
       {"Subject: =?UTF-8?Q?a?= =?UTF-8?Q?b?=\t\tc", "From: x"}},
      {"the first of several; an empty value is a value",
       "Subject:\r\nSubject: second\r\nFrom: one\r\nFrom: two\r\n",
       "one",
       "",
       "",
       {"Subject:", "Subject: second", "From: one", "From: two"}},
      {"lines that are no fields, and their folds, passed over",
       " stray fold\r\nno colon\r\n\tits fold\r\nbad name: x\r\n: nameless\r\nX-Ok: y\r\n",
       "",
       "",
       "",
       {"X-Ok: y"}},
      {"the blank line ends the header; bare line ends do",
       "From: a\nSubject: b\n\nFrom: body\n",
       "a",
       "b",
       "",
       {"From: a", "Subject: b"}},
      {"8-bit bytes, NUL and a last line without its end kept as they are",
       std::string("From: J\xf6rg\r\nSubject: a\0b", 24),
       "J\xf6rg",
       std::string("a\0b", 3),
       "",
       {"From: J\xf6rg", std::string("Subject: a\0b", 12)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSummary summary;
    readHeader(c.header, summary);
    EXPECT_EQ(summary.From, c.from);
    EXPECT_EQ(summary.Subject, c.subject);
    EXPECT_EQ(summary.MessageId, c.messageId);
    EXPECT_EQ(headerLines(summary), c.lines);
  }
}

// A header of many megabytes, read line by line, keeps no more than its bounds.
TEST(MailSummary, AHeaderOfAnyLengthKeepsItsBoundsAndStillFindsLateFields) {
  TSummary summary;
  THeaderReader reader(summary);
  const std::string received = "Received: from somewhere by elsewhere; Mon, 3 Mar 2025";
  for (int i = 0; i < 20000; ++i) reader.line(received);
  reader.line("Subject: " + std::string(100, 's'));
  for (int i = 0; i < 20000; ++i) reader.line(" " + std::string(100, 'f'));
  reader.line("From: late@example.com");
  reader.line("");
  reader.line("Message-ID: <after the end>");
  EXPECT_EQ(summary.From, "late@example.com");
  EXPECT_EQ(summary.Subject.size(), TSummary::kKeptHeader - 9);  // "Subject: " counts
  EXPECT_EQ(summary.MessageId, "");
  std::size_t kept = 0;
  for (const std::string& line : headerLines(summary)) {
    EXPECT_EQ(line, received);
    kept += line.size();
  }
  EXPECT_LE(kept, TSummary::kKeptHeader);
  EXPECT_GT(kept, TSummary::kKeptHeader - received.size() - 1);
}

TEST(ImapSummaryAnswers, TheHighestUidsAndTheCountOfSearchAnswersWhateverTheirPieces) {
  struct Case {
    std::string answers;
    std::size_t most;
    std::vector<std::uint32_t> uids;
    std::optional<std::uint32_t> count = std::nullopt;
  };
  const Case cases[] = {
      {"* SEARCH 2 84 7 3\r\n", 3, {84, 7, 3}},
      {"* search 5 5 5\r\n* SEARCH 1\r\n* SEARCH 9\n", 5, {9, 5, 1}},
      {"* SEARCH 1 4294967295 4294967296 0 x7 12345678901 -3\r\n", 5, {4294967295u, 1}},
      {"* SEARCH 3 (MODSEQ 917)\r\n", 5, {3}},
      {"* SEARCH 3 4\r\n", 0, {}},
      {"* ESEARCH (TAG \"a5\") UID ALL 2:4,13:12,9 MAX 13\r\n", 4, {13, 12, 9, 4}},
      {"* ESEARCH (TAG \"a5\") UID COUNT 3 MIN 1 MAX 8\r\n", 5, {}, 3},
      {"* ESEARCH (TAG \"a3\") UID COUNT 2 ALL 4,9\r\n", 5, {9, 4}, 2},
      {"* ESEARCH (TAG \"COUNT 5\") UID ALL 4:5 COUNT 2\r\n* ESEARCH COUNT 0\r\n", 1, {5}, 0},
      {"* ESEARCH UID COUNT 4294967296\r\n* ESEARCH UID COUNT x\r\n* SEARCH 1 2\r\n", 5, {2, 1}},
      {"* ESEARCH (TAG \"ALL\") UID ALL 6\r\n", 5, {6}},
      {"* ESEARCH UID ALL 1:4294967295\r\n", 3, {4294967295u, 4294967294u, 4294967293u}},
      {"* ESEARCH UID ALL 1:*,5,3::4,7:,0:2,x,8\r\n", 5, {8, 5}},
      {"* ESEARCH UID ALL 1:4294967296,2\r\n", 5, {2}},
      {"a5 SEARCH 1 2\r\n* 3 EXISTS 4\r\n* OK [UIDNEXT 7] x\r\n", 5, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    NewestUids whole(c.most);
    whole.feed(c.answers);
    EXPECT_EQ(whole.newestFirst(), c.uids);
    EXPECT_EQ(whole.count(), c.count);
    NewestUids bytewise(c.most);
    for (const char byte : c.answers) bytewise.feed(std::string_view(&byte, 1));
    EXPECT_EQ(bytewise.newestFirst(), c.uids);
    EXPECT_EQ(bytewise.count(), c.count);
  }
}

TEST(ImapSummaryAnswers, FetchItemsAreFoundInAnyOrderAndTheHeaderInAnyForm) {
  struct Case {
    const char* name;
    ImapAnswer answer;
    std::optional<std::uint32_t> uid;
    std::optional<std::uint64_t> size;
    std::optional<std::string> header;
  };
  const Case cases[] = {
      {"the header a literal, after a list holding another",
       {"* 12 FETCH (X-LIST ({3} \"(\") BODY[HEADER.FIELDS (FROM)] {5} UID 3 RFC822.SIZE 99)",
        {"abc", "hello"}},
       3,
       99,
       "hello"},
      {"the header a quoted string with escapes, the UID last",
       {"* 1 fetch (body[header.fields (subject)] \"Subject: \\\"q\\\" \\\\\" FLAGS (\\Seen) "
        "uid 7)",
        {}},
       7,
       std::nullopt,
       "Subject: \"q\" \\"},
      {"NIL for a header",
       {"* 1 FETCH (UID 8 BODY[HEADER.FIELDS (FROM)] NIL)", {}},
       8,
       std::nullopt,
       ""},
      {"a literal that was not kept",
       {"* 1 FETCH (UID 8 BODY[HEADER.FIELDS (FROM)] {5})", {}},
       8,
       std::nullopt,
       std::nullopt},
      {"other sections are not the header",
       {"* 1 FETCH (UID 8 BODY[HEADER.FIELDS.NOT (FROM)] \"x\" BODY[] \"y\")", {}},
       8,
       std::nullopt,
       std::nullopt},
      {"a size past ten digits is none",
       {"* 1 FETCH (UID 8 RFC822.SIZE 99999999999)", {}},
       8,
       std::nullopt,
       std::nullopt},
      {"what follows a malformed item is not read",
       {"* 1 FETCH (UID 4 X \"open BODY[HEADER.FIELDS (FROM)] \"h\")", {}},
       4,
       std::nullopt,
       std::nullopt},
      {"no UID",
       {"* 1 FETCH (RFC822.SIZE 5 BODY[HEADER.FIELDS (FROM)] \"h\")", {}},
       std::nullopt,
       std::nullopt,
       std::nullopt},
      {"UID 0", {"* 1 FETCH (UID 0)", {}}, std::nullopt, std::nullopt, std::nullopt},
      {"no FETCH answer", {"* 1 EXISTS", {}}, std::nullopt, std::nullopt, std::nullopt},
      {"no message number", {"* x FETCH (UID 3)", {}}, std::nullopt, std::nullopt, std::nullopt},
      {"tagged", {"a6 FETCH (UID 3)", {}}, std::nullopt, std::nullopt, std::nullopt},
      {"no list", {"* 1 FETCH UID 3", {}}, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<FetchedItems> items = fetchedItems(c.answer);
    ASSERT_EQ(items.has_value(), c.uid.has_value());
    if (!items) continue;
    EXPECT_EQ(items->uid, *c.uid);
    EXPECT_EQ(items->size, c.size);
    EXPECT_EQ(items->header, c.header);
  }
}

}  // namespace
}  // namespace vantrel::net
