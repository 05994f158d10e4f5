// The pure rules under IMAP push: answers made of bytes in any pieces, what an IDLE session is
// told, the pause before a dropped connection is tried again, and what counts as a network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/imap_answer_reader.h"
#include "net/imap_push_answers.h"
#include "net/imap_unseen_count.h"
#include "net/retry_pause.h"
#include "platform/posix/network_posix.h"

namespace vantrel {
namespace {

using net::ImapAnswerReader;

// The answers of `stream` read in pieces of `piece` bytes, each as "text|literal|literal", and
// every byte the pieces saw.
struct Read {
  std::vector<std::string> answers;
  std::string pieces;
  bool broken = false;
};

Read readInPieces(const std::string& stream, std::size_t piece) {
  Read read;
  ImapAnswerReader reader;
  reader.setPieces([&read](std::string_view bytes) { read.pieces += bytes; });
  for (std::size_t at = 0; at < stream.size(); at += piece) {
    std::string_view bytes = std::string_view(stream).substr(at, piece);
    while (!bytes.empty()) {
      bytes.remove_prefix(reader.take(bytes));
      if (const auto answer = reader.answer()) {
        std::string shown = answer->text;
        for (const std::string& literal : answer->literals) shown += "|" + literal;
        read.answers.push_back(shown);
      }
    }
  }
  read.broken = reader.broken();
  return read;
}

TEST(ImapAnswerReader, AnswersAreTheSameInWhateverPiecesTheyCome) {
  struct Case {
    const char* what;
    std::string stream;
    std::vector<std::string> answers;
    std::string pieces;  // the lines' bytes, literals left out
  };
  const Case cases[] = {
      {"lines, with and without CR",
       "* 3 EXISTS\r\n+ idling\na1 OK done\r\n",
       {"* 3 EXISTS", "+ idling", "a1 OK done"},
       "* 3 EXISTS\r\n+ idling\na1 OK done\r\n"},
      {"a literal joins two lines, {0} too",
       "* 1 FETCH (UID 4 BODY[] {5}\r\nab\r\nc {0}\r\n)\r\na2 OK\r\n",
       {"* 1 FETCH (UID 4 BODY[] {5} {0})|ab\r\nc|", "a2 OK"},
       "* 1 FETCH (UID 4 BODY[] {5}\r\n {0}\r\n)\r\na2 OK\r\n"},
      {"a literal's announcement is read at the line's end only",
       "* OK {3} said\r\n",
       {"* OK {3} said"},
       "* OK {3} said\r\n"},
  };
  for (const Case& c : cases) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, c.stream.size()}) {
      SCOPED_TRACE(std::string(c.what) + ", pieces of " + std::to_string(piece));
      const Read read = readInPieces(c.stream, piece);
      EXPECT_EQ(read.answers, c.answers);
      EXPECT_EQ(read.pieces, c.pieces);
      EXPECT_FALSE(read.broken);
    }
  }
}

TEST(ImapAnswerReader, WhatIsKeptIsBoundedWhateverTheServerSends) {
  const std::string longLine = "* SEARCH " + std::string(100'000, '7') + "\r\n";
  const Read searched = readInPieces(longLine + "a1 OK\r\n", 4096);
  ASSERT_EQ(searched.answers.size(), 2u);
  EXPECT_EQ(searched.answers[0].size(), ImapAnswerReader::kKeptText);
  EXPECT_EQ(searched.pieces.size(), longLine.size() + 7);

  std::string literals = "* 1 FETCH (";
  for (int i = 0; i < 6; ++i) literals += "X {20000}\r\n" + std::string(20'000, 'h');
  const Read fetched = readInPieces(literals + ")\r\n", 65536);
  ASSERT_EQ(fetched.answers.size(), 1u);
  const std::string kept(ImapAnswerReader::kKeptLiteral, 'h');
  EXPECT_EQ(fetched.answers[0].substr(fetched.answers[0].find('|')),
            "|" + kept + "|" + kept + "|" + kept + "|" + kept);

  const Read harm = readInPieces("* 1 FETCH (BODY[] {262145}\r\nabc\r\na1 OK\r\n", 5);
  EXPECT_TRUE(harm.broken);
  EXPECT_TRUE(harm.answers.empty());
}

TEST(ImapPushAnswers, ChangesAreExistsExpungeAndFlagsOnly) {
  const struct {
    const char* line;
    bool change;
  } cases[] = {
      {"* 7 EXISTS", true},
      {"* 7 exists", true},
      {"* 2 EXPUNGE", true},
      {"* 2 FETCH (FLAGS (\\Seen))", true},
      {"* 2 FETCH (UID 9 RFC822.SIZE 4)", false},
      {"* 3 RECENT", false},
      {"* OK Still here", false},
      {"* EXISTS 7", false},
      {"a1 7 EXISTS", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(net::tellsOfChange(net::classifyImapLine(c.line)), c.change) << c.line;
  }
}

TEST(ImapPushAnswers, AnEsearchCountIsFoundWhereverItStandsInTheAnswer) {
  const struct {
    const char* what;
    std::string answers;
    std::optional<int> count;
  } cases[] = {
      {"count alone", "* ESEARCH (TAG \"a4\") UID COUNT 12\r\n", 12},
      {"after a long set",
       "* ESEARCH (TAG \"a4\") UID ALL 1:3," + std::string(5000, '9') + " COUNT 10000\r\n", 10000},
      {"no match", "* ESEARCH (TAG \"a4\") UID COUNT 0\r\n", 0},
      {"the correlator's words are not items", "* ESEARCH (TAG COUNT 5)\r\n", std::nullopt},
      {"another answer", "* SEARCH 1 2 3\r\n* STATUS INBOX (COUNT 4)\r\n", std::nullopt},
      {"a count past int", "* ESEARCH UID COUNT 99999999999\r\n", std::nullopt},
  };
  for (const auto& c : cases) {
    net::UnseenCounter count({.esearch = true});
    for (std::size_t at = 0; at < c.answers.size(); at += 3) count.feed(c.answers.substr(at, 3));
    EXPECT_EQ(count.count(), c.count) << c.what;
  }
}

TEST(RetryPause, DoublesFromTwoSecondsUpToFiveMinutes) {
  const std::vector<std::uint32_t> expected = {0,     2000,   4000,   8000,   16000, 32000,
                                               64000, 128000, 256000, 300000, 300000};
  for (unsigned drops = 0; drops < expected.size(); ++drops) {
    EXPECT_EQ(net::retryPauseMs(drops), expected[drops]) << drops << " drops";
  }
  EXPECT_EQ(net::retryPauseMs(1000), 300000u);
}

TEST(PosixNetwork, ARouteThatIsUpThroughAnotherInterfaceThanLoopbackIsANetwork) {
  const std::string heading =
      "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
  const struct {
    const char* what;
    std::string table;
    bool network;
  } cases[] = {
      {"a default route", heading + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n",
       true},
      {"a subnet alone", heading + "v0\t0009090A\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n",
       true},
      {"no route", heading, false},
      {"nothing at all", "", false},
      {"loopback only", heading + "lo\t0000007F\t00000000\t0001\t0\t0\t0\t000000FF\t0\t0\t0\n",
       false},
      {"a route that is down", heading + "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t0\t0\t0\t0\n",
       false},
      {"flags that are no number", heading + "eth0\t00000000\t010200C0\tzz\t0\n", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::posix::routesLeaveTheMachine(c.table), c.network) << c.what;
  }
}

}  // namespace
}  // namespace vantrel
