#include <gtest/gtest.h>

#include <algorithm>

#include "net/imap_client.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::fileText;
using testing::logHasLine;
using testing::replies;
using testing::residentBytes;
using testing::ScriptedServer;
using testing::summariesOf;
namespace reason = platform::tls_reason;

class ImapTest : public testing::MailCheckTest<TImapClient, &TImapClient::UnseenCount,
                                               &TImapClient::RetrieveUnseenSummaries> {
 protected:
  // The test certificate is for localhost.
  void SetUp() override {
    MailCheckTest::SetUp();
    imap.Host = "localhost";
  }

  TImapClient& imap = client;
  platform::posix::PosixEventLoop& loop = platform.loop;
};

std::string oddPassword() {
  const char* password = std::getenv("VANTREL_ODD_PASSWORD");
  return password != nullptr ? password : "";
}

// --- against dovecot ------------------------------------------------------------------------

TEST_F(ImapTest, DovecotPlainAccountsAreSecuredWithStartTlsAndOnlyUnreadMailCounts) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  int disconnects = 0;
  imap.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  check(port, "alice", "secret");
  check(port, "bob", "hunter2");
  // A quote, a backslash and an accented letter: the password goes as a literal.
  ASSERT_EQ(oddPassword(), "q\"b\\\xe9t");
  check(port, "dora", oddPassword());
  EXPECT_EQ(counts, (std::vector<int>{3, 0, 2}));
  EXPECT_EQ(disconnects, 3);
  EXPECT_FALSE(imap.Connected());
  EXPECT_FALSE(imap.Busy());
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"imap-login:", "Login: user=<dora>", ", TLS"}));
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"imap-login:", "Login: user=<alice>", ", TLS"}));
}

TEST_F(ImapTest, DovecotSecureAccountsAreCountedOverImplicitTls) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAPS_PORT");
  imap.Secure = true;
  check(port, "carol", "opensesame");
  check(port, "dora", oddPassword());
  EXPECT_EQ(counts, (std::vector<int>{1, 2}));
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"imap-login:", "Login: user=<carol>", ", TLS"}));
}

TEST_F(ImapTest, DovecotRefusalAsksOnceAndTheNewPasswordLogsInOnTheSameConnection) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  int asked = 0;
  imap.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    EXPECT_TRUE(imap.Connected());
    imap.Password = asked == 1 ? "secret" : "never";
    handled = true;
  };
  check(port, "alice", "wrong");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(counts, std::vector<int>{3});

  imap.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    imap.Password = "still wrong";
    handled = true;
  };
  EXPECT_EQ(failure(port, "alice", "wrong"), "Authentication failed");
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(counts, std::vector<int>{3});
  EXPECT_FALSE(imap.Connected());
}

// A certificate refused after STARTTLS ends the account: the login never goes in clear text.
TEST_F(ImapTest, DovecotStartTlsWithAnUntrustedCertificateSendsNoPassword) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  platform::posix::PosixSockets systemOnly;
  TImapClient plain{loop, systemOnly};
  plain.Host = "localhost";
  plain.Port = port;
  plain.UserID = "eve";
  plain.Password = "listening";
  EXPECT_EQ(testing::tlsRefusal([&] { plain.Connect(); }), reason::kUntrusted);
  EXPECT_FALSE(plain.Connected());
  // dovecot writes the refused handshake down, and would name eve had her login come.
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"imap-login:", "SSL_accept() failed"}));
  EXPECT_EQ(fileText("VANTREL_DOVECOT_LOG").find("user=<eve>"), std::string::npos);
}

// Without their sizes, which cost dovecot a pass over the whole mailbox.
TEST_F(ImapTest, DovecotSummariesAreTheNewestUnreadRawAndNewestFirstAndNoFlagChanges) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  VANTREL_SERVER_PORT(securePort, "VANTREL_IMAPS_PORT");
  const std::string flags = testing::inboxFlags(port, "erin", "summaries");
  ASSERT_NE(flags.find("(UID 10 FLAGS (\\Seen"), std::string::npos) << flags;
  wanted = 5;
  check(port, "erin", "summaries");
  EXPECT_TRUE(summariesOf(summaries, {8, 7, 6, 5, 4}, false));
  EXPECT_TRUE(connectedAfterSummaries);
  const std::string mark = imap.NewestMark();
  EXPECT_FALSE(mark.empty());

  // The read messages 9 and 10 are left out, however many are asked for.
  wanted = 20;
  imap.Secure = true;
  check(securePort, "erin", "summaries");
  EXPECT_TRUE(summariesOf(summaries, {8, 7, 6, 5, 4, 3, 2, 1}, false));
  // The same mailbox again: the same newest messages.
  wanted = 5;
  check(securePort, "erin", "summaries");
  EXPECT_EQ(imap.NewestMark(), mark);
  EXPECT_EQ(counts, (std::vector<int>{8, 8, 8}));
  EXPECT_EQ(testing::inboxFlags(port, "erin", "summaries"), flags);
}

// --- scripted servers -----------------------------------------------------------------------

const char* const kGreeting = "* OK [CAPABILITY IMAP4rev1 AUTH=PLAIN] ready\r\n";

TEST_F(ImapTest, DialoguesOnTheWire) {
  struct Case {
    const char* name;
    std::string user;
    std::string password;
    std::vector<Act> script;
    int count;
    std::string heard;
  };
  const Case cases[] = {
      {"capabilities in the greeting, quoted strings escaped", "ann", "p\"w\\x",
       replies({kGreeting, "a1 OK [CAPABILITY IMAP4rev1] in\r\n",
                "* STATUS INBOX (MESSAGES 5 UNSEEN 2)\r\na2 OK done\r\n",
                "* BYE see you\r\na3 OK\r\n"}),
       2, "a1 LOGIN \"ann\" \"p\\\"w\\\\x\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
      {"capabilities asked; literals in answers skipped, the mailbox one read", "ann", "pw",
       replies({"* OK hello\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n",
                "* 1 FETCH (BODY[] {21}\r\na2 NO fake\r\n* BYE x\r\n)\r\na2 OK\r\n",
                "* STATUS {5}\r\nINBOX (UNSEEN 7)\r\na3 OK\r\n", "a4 OK\r\n"}),
       7,
       "a1 CAPABILITY\r\na2 LOGIN \"ann\" \"pw\"\r\na3 STATUS \"INBOX\" (UNSEEN)\r\na4 LOGOUT\r\n"},
      {"already logged in: no password at all", "ann", "pw",
       replies({"* PREAUTH [CAPABILITY IMAP4rev1] welcome back\r\n",
                "* STATUS \"INBOX\" (UNSEEN 4)\r\na1 OK\r\n", "a2 OK\r\n"}),
       4, "a1 STATUS \"INBOX\" (UNSEEN)\r\na2 LOGOUT\r\n"},
      {"8-bit user name and password as literals, each after the go-ahead", "jos\xe9", "p\xe9",
       replies({kGreeting, "+ go on\r\n", "+ go on\r\n", "a1 OK\r\n",
                "* STATUS Drafts (UNSEEN 9)\r\n* STATUS inbox (UNSEEN 1)\r\na2 OK\r\n",
                "a3 OK\r\n"}),
       1, "a1 LOGIN {4}\r\njos\xe9 {2}\r\np\xe9\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
      {"a goodbye and a hang-up in answer to LOGOUT", "ann", "pw",
       replies({kGreeting, "a1 OK\r\n", "* STATUS INBOX (UNSEEN 0)\r\na2 OK\r\n", "* BYE\r\n"},
               Act::Close),
       0, "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    counts.clear();
    const ScriptedServer server(c.script);
    imap.Host = "127.0.0.1";
    check(server.port(), c.user, c.password);
    EXPECT_EQ(counts, std::vector<int>{c.count});
    EXPECT_EQ(server.received(), c.heard);
    EXPECT_FALSE(imap.Connected());
  }
}

TEST_F(ImapTest, RefusalsEndTheAccountWithTheServersLineAndAGoodbye) {
  struct Case {
    const char* name;
    std::vector<Act> script;
    std::string error;
    std::string heard;
  };
  const Case cases[] = {
      {"a greeting that is no greeting", replies({"a1 OK what\r\n", "a1 OK\r\n"}), "a1 OK what",
       "a1 LOGOUT\r\n"},
      {"a refusing greeting", replies({"* BYE too busy\r\n"}), "* BYE too busy", ""},
      {"LOGIN not understood", replies({kGreeting, "a1 BAD what?\r\n", "a2 OK\r\n"}),
       "a1 BAD what?", "a1 LOGIN \"ann\" \"pw\"\r\na2 LOGOUT\r\n"},
      {"a refused login without a handler",
       replies({kGreeting, "a1 NO [AUTHENTICATIONFAILED] no\r\n", "a2 OK\r\n"}),
       "Authentication failed", "a1 LOGIN \"ann\" \"pw\"\r\na2 LOGOUT\r\n"},
      {"STATUS refused",
       replies({kGreeting, "a1 OK\r\n", "a2 NO [NONEXISTENT] no inbox\r\n", "a3 OK\r\n"}),
       "a2 NO [NONEXISTENT] no inbox",
       "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
      // An unread count that cannot be read is no count of 0.
      {"STATUS OK without its answer",
       replies({kGreeting, "a1 OK\r\n", "a2 OK done\r\n", "a3 OK\r\n"}),
       "The server gave no count of unread messages",
       "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
      {"STATUS answered for another mailbox, or without a number",
       replies({kGreeting, "a1 OK\r\n",
                "* STATUS Sent (UNSEEN 2)\r\n* STATUS INBOX (UNSEEN many)\r\na2 OK\r\n",
                "a3 OK\r\n"}),
       "The server gave no count of unread messages",
       "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n"},
      {"STARTTLS offered, then refused: no fall-back to clear text",
       replies({"* OK [CAPABILITY IMAP4rev1 STARTTLS] hi\r\n", "a1 NO not today\r\n", "a2 OK\r\n"}),
       "Secure connection failed: the server offers a secure connection and then refuses it",
       "a1 STARTTLS\r\na2 LOGOUT\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(c.script);
    imap.Host = "127.0.0.1";
    EXPECT_EQ(failure(server.port(), "ann", "pw"), c.error);
    EXPECT_EQ(server.received(), c.heard);
    EXPECT_FALSE(imap.Connected());
    EXPECT_FALSE(imap.Busy());
  }
  EXPECT_TRUE(counts.empty());
}

// How a login ended: a refused password (the one case for the password question), the server's
// own trouble in its words, or another failure.
template <typename Action>
std::string loginOutcome(Action&& action) {
  try {
    action();
  } catch (const EAuthenticationFailed&) {
    return "password refused";
  } catch (const EServerRefusal& e) {
    return "server: " + e.Code() + ": " + e.ServerText();
  } catch (const std::exception& e) {
    return std::string("other: ") + e.what();
  }
  return "counted";
}

// The question is asked, and answered No, so that each case ends on its first LOGIN. A refusal
// that comes with an alert alone asks it too (the alert may ask for an application password),
// and says so.
TEST_F(ImapTest, OnlyARefusedPasswordAsksForAnotherAndAlertsReachTheUser) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;  // to LOGIN, or to its first part
    bool asked;
    std::string outcome;
    std::vector<std::string> alerts;
    std::string password = "pw";
    bool alerted = false;  // the refusal asked about came with its alert
  };
  const std::string noCode = "password refused";
  const std::vector<std::string> none;
  const Case cases[] = {
      {"no code", {"a1 NO wrong\r\n"}, true, noCode, none},
      {"AUTHENTICATIONFAILED", {"a1 NO [AUTHENTICATIONFAILED] Invalid\r\n"}, true, noCode, none},
      {"AUTHORIZATIONFAILED", {"a1 NO [AUTHORIZATIONFAILED] Not you\r\n"}, true, noCode, none},
      {"EXPIRED", {"a1 NO [EXPIRED] Change it\r\n"}, true, noCode, none},
      {"UNAVAILABLE",
       {"a1 NO [UNAVAILABLE] Temporary authentication failure.\r\n"},
       false,
       "server: UNAVAILABLE: Temporary authentication failure.",
       none},
      {"a code in small letters",
       {"a1 NO [unavailable] Later\r\n"},
       false,
       "server: UNAVAILABLE: Later",
       none},
      {"PRIVACYREQUIRED",
       {"a1 NO [PRIVACYREQUIRED] Use TLS\r\n"},
       false,
       "server: PRIVACYREQUIRED: Use TLS",
       none},
      {"CONTACTADMIN",
       {"a1 NO [CONTACTADMIN] Call us\r\n"},
       false,
       "server: CONTACTADMIN: Call us",
       none},
      {"LIMIT", {"a1 NO [LIMIT] Too many\r\n"}, false, "server: LIMIT: Too many", none},
      {"INUSE", {"a1 NO [INUSE] Busy\r\n"}, false, "server: INUSE: Busy", none},
      {"SERVERBUG", {"a1 NO [SERVERBUG] Oops\r\n"}, false, "server: SERVERBUG: Oops", none},
      {"ALERT on the refusal",
       {"a1 NO [ALERT] Application-specific password required\r\n"},
       true,
       noCode,
       {"Application-specific password required"},
       "pw",
       true},
      {"ALERT in small letters on the refusal",
       {"a1 NO [alert] Log in on the web first\r\n"},
       true,
       noCode,
       {"Log in on the web first"},
       "pw",
       true},
      {"an untagged ALERT beside a refused password",
       {"* OK [ALERT] Too many failures\r\na1 NO [AUTHENTICATIONFAILED] Invalid\r\n"},
       true,
       noCode,
       {"Too many failures"}},
      {"ALERT on a login that passed",
       {"a1 OK [ALERT] Your mailbox is nearly full\r\n", "* STATUS INBOX (UNSEEN 2)\r\na2 OK\r\n"},
       false,
       "counted",
       {"Your mailbox is nearly full"}},
      // The password goes as a literal, whose announcement is refused.
      {"the literal's announcement refused",
       {"a1 NO too long\r\n"},
       false,
       "other: a1 NO too long",
       none,
       "p\xe9"},
  };
  int asked = 0;
  bool alerted = false;
  imap.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    alerted = imap.LoginRefusedWithAlert();
    handled = false;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    alerted = false;
    std::vector<Act> script = {{Act::Send, kGreeting}};
    // Each answer, then the goodbye, after a line of the client.
    for (const std::string& answer : c.answers) {
      script.emplace_back(Act::ExpectLine);
      script.emplace_back(Act::Send, answer);
    }
    script.insert(script.end(), {{Act::ExpectLine}, {Act::Send, "* BYE\r\n"}, {Act::Close}});
    const ScriptedServer server(script);
    imap.Host = "127.0.0.1";
    asked = 0;
    EXPECT_EQ(loginOutcome([&] { check(server.port(), "ann", c.password); }), c.outcome);
    EXPECT_EQ(asked, c.asked ? 1 : 0);
    EXPECT_EQ(alerted, c.alerted);
    EXPECT_EQ(imap.TakeAlerts(), c.alerts);
    EXPECT_FALSE(imap.Connected());
  }
  EXPECT_TRUE(imap.TakeAlerts().empty()) << "taken once";
}

// Each ends within the time-out, or sooner, and nothing it sends is kept.
TEST_F(ImapTest, HostileServersAreLeftWithBoundedMemory) {
  struct Case {
    const char* name;
    std::vector<Act> script;
    std::string error;
    bool timedOut;
    std::string heard;
  };
  const std::string tonsOfBytes(65536, 'x');
  const Case cases[] = {
      {"silent after the greeting", replies({"* OK hi\r\n"}), "Socket readln aborted", true, ""},
      {"an endless line",
       {{Act::Send, "* OK "}, {Act::Flood, tonsOfBytes}},
       "Line too long",
       false,
       ""},
      {"an endless stream of untagged answers",
       {{Act::Send, kGreeting}, {Act::ExpectLine}, {Act::Flood, "* 1 EXISTS\r\n"}},
       "Socket readln aborted",
       true,
       "a1 LOGIN \"ann\" \"pw\"\r\n"},
      {"a literal announcing 2 GB",
       {{Act::Send, kGreeting},
        {Act::ExpectLine},
        {Act::Send, "* 1 FETCH (BODY[] {2147483648}\r\n"},
        {Act::Flood, tonsOfBytes}},
       "Socket capture aborted",
       true,
       "a1 LOGIN \"ann\" \"pw\"\r\n"},
      {"BYE in the middle", replies({kGreeting, "a1 OK\r\n", "* BYE shutting down\r\n"}),
       "* BYE shutting down", false, "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\n"},
      {"a hang-up in the middle",
       {{Act::Send, kGreeting}, {Act::ExpectLine}, {Act::Close}},
       "Connection closed by the server",
       false,
       "a1 LOGIN \"ann\" \"pw\"\r\n"},
      {"LOGINDISABLED without STARTTLS: no password sent",
       replies({"* OK [CAPABILITY IMAP4rev1 LOGINDISABLED] hi\r\n", "* BYE\r\na1 OK\r\n"}),
       "Secure connection failed: the server takes passwords only over a secure connection, and "
       "offers none",
       false, "a1 LOGOUT\r\n"},
  };
  imap.TimeOut = 500;
  long peak = 0;
  const auto sampler = loop.startTimer(10, [&] { peak = std::max(peak, residentBytes()); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(c.script);
    imap.Host = "127.0.0.1";
    const long before = residentBytes();
    peak = before;
    EXPECT_EQ(failure(server.port(), "ann", "pw"), c.error);
    EXPECT_EQ(imap.TimedOut(), c.timedOut);
    EXPECT_LT(peak - before, 8L << 20);
    EXPECT_FALSE(imap.Connected());
    EXPECT_FALSE(imap.Busy());
    EXPECT_EQ(server.received(), c.heard);
  }
  loop.stopTimer(sampler);
  EXPECT_TRUE(counts.empty());
}

// A literal of the text, as a server sends one: its size, a line end, the bytes.
std::string literal(const std::string& text) {
  return "{" + std::to_string(text.size()) + "}\r\n" + text;
}

// The dialogue up to the count of `unseen`, with `capabilities` after the login, then each of
// `answers` in turn, each to one line of the client.
std::vector<Act> summaryDialogue(const std::string& capabilities, std::vector<std::string> answers,
                                 Act::Kind end = Act::Hold) {
  answers.insert(answers.begin(), {kGreeting, "a1 OK\r\n", "* STATUS INBOX (UNSEEN 5)\r\na2 OK\r\n",
                                   "* CAPABILITY IMAP4rev1 " + capabilities + "\r\na3 OK\r\n"});
  return replies(answers, end);
}

const char* const kExamined =
    "* FLAGS (\\Answered \\Seen)\r\n* OK [PERMANENTFLAGS ()] read-only\r\n* 9 EXISTS\r\n"
    "* 2 RECENT\r\n* OK [UIDVALIDITY 7] valid\r\na4 OK [READ-ONLY] done\r\n";
const char* const kFields = "BODY[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)]";
const std::string kLoggedIn =
    "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN UIDNEXT UIDVALIDITY)\r\n"
    "a3 CAPABILITY\r\na4 EXAMINE \"INBOX\"\r\n";
const std::string kFetch = " (UID BODY.PEEK[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)])\r\n";

TEST_F(ImapTest, SummariesOnTheWire) {
  struct Summary {
    std::uint32_t uid;
    std::string subject;
    int bytes;
    bool operator==(const Summary&) const = default;
  };
  struct Case {
    const char* name;
    int wanted;
    std::vector<Act> script;
    std::string heard;
    std::vector<Summary> summaries;
    bool connected;
  };
  const std::string fields = kFields;
  const Case cases[] = {
      {"SEARCH; answers and items in the server's order, the header a literal, a quoted string "
       "or NIL",
       3,
       summaryDialogue(
           "IDLE",
           {kExamined, "* SEARCH 4 9 7 2\r\na5 OK\r\n",
            "* 3 FETCH (" + fields + " " + literal("Subject: four\r\nFrom: d@example.com\r\n\r\n") +
                " UID 4 RFC822.SIZE 40)\r\n* 9 FETCH (UID 9 RFC822.SIZE 90 " + fields +
                " \"Subject: nine\")\r\n* 5 FETCH (FLAGS (\\Seen) UID 5)\r\n* 7 FETCH (RFC822.SIZE "
                "70 UID 7 " +
                fields + " NIL)\r\na6 OK\r\n",
            "a7 OK\r\n"}),
       kLoggedIn + "a5 UID SEARCH UNSEEN\r\na6 UID FETCH 9,7,4" + kFetch + "a7 LOGOUT\r\n",
       {{9, "nine", 90}, {7, "", 70}, {4, "four", 40}},
       true},
      {"ESEARCH offered: runs of UIDs as ranges; a message not answered for is left out",
       4,
       summaryDialogue(
           "ESEARCH",
           {kExamined, "* ESEARCH (TAG \"a5\") UID ALL 2:4,13:12,9\r\na5 OK\r\n",
            "* 8 FETCH (UID 13 " + fields + " " + literal("Subject: 13\r\n\r\n") + ")\r\na6 OK\r\n",
            "a7 OK\r\n"}),
       kLoggedIn + "a5 UID SEARCH RETURN (ALL) UNSEEN\r\na6 UID FETCH 13,12,9,4" + kFetch +
           "a7 LOGOUT\r\n",
       {{13, "13", 0}},
       true},
      {"a FETCH refused after one answer: that one kept",
       5,
       summaryDialogue(
           "", {kExamined, "* SEARCH 9\r\na5 OK\r\n",
                "* 1 FETCH (UID 9 " + fields + " \"Subject: x\")\r\na6 NO gone\r\n", "a7 OK\r\n"}),
       kLoggedIn + "a5 UID SEARCH UNSEEN\r\na6 UID FETCH 9" + kFetch + "a7 LOGOUT\r\n",
       {{9, "x", 0}},
       true},
      {"no unread message after all: nothing fetched",
       5,
       summaryDialogue("", {kExamined, "* SEARCH\r\na5 OK\r\n", "a6 OK\r\n"}),
       kLoggedIn + "a5 UID SEARCH UNSEEN\r\na6 LOGOUT\r\n",
       {},
       true},
      {"EXAMINE refused: nothing more asked",
       5,
       summaryDialogue("", {"a4 NO [NONEXISTENT] no inbox\r\n", "a5 OK\r\n"}),
       kLoggedIn + "a5 LOGOUT\r\n",
       {},
       true},
      {"a goodbye instead: the connection closed, the count kept",
       5,
       summaryDialogue("", {"* BYE going down\r\n"}, Act::Close),
       kLoggedIn,
       {},
       false},
  };
  imap.Host = "127.0.0.1";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(c.script);
    wanted = c.wanted;
    check(server.port(), "ann", "pw");
    EXPECT_EQ(server.received(), c.heard);
    std::vector<Summary> got;
    for (const TSummary& summary : summaries) {
      got.push_back({summary.Number, summary.Subject, summary.Bytes});
    }
    EXPECT_EQ(got, c.summaries);
    EXPECT_EQ(connectedAfterSummaries, c.connected);
    EXPECT_EQ(counts.back(), 5);
    EXPECT_FALSE(imap.Connected());
  }
  EXPECT_EQ(connects, 6);
}

// Each ends within the time-out, or sooner, keeps nothing of what it was sent, and leaves the count
// the login read.
TEST_F(ImapTest, HostileSummaryAnswersAreBoundedAndTheCountStays) {
  struct Case {
    const char* name;
    std::vector<Act> answers;
    bool timedOut;
    bool connected;
    std::string heardLast;
    std::size_t summaries = 0;
  };
  std::string hundredThousand = "* SEARCH";
  for (int uid = 1; uid <= 100000; ++uid) hundredThousand += " " + std::to_string(uid);
  const std::string searched = "* SEARCH 9\r\na5 OK\r\n";
  const std::string fetch9 = "a6 UID FETCH 9" + kFetch;
  const Case cases[] = {
      {"a SEARCH answer of 100,000 numbers: read as it comes, the newest five fetched",
       {{Act::Send, hundredThousand + "\r\na5 OK\r\n"},
        {Act::ExpectLine},
        {Act::Send, "a6 OK\r\n"},
        {Act::ExpectLine},
        {Act::Send, "a7 OK\r\n"},
        {Act::Hold}},
       false,
       true,
       "a6 UID FETCH 100000,99999,99998,99997,99996" + kFetch + "a7 LOGOUT\r\n"},
      {"a SEARCH answer that never ends",
       {{Act::Send, "* SEARCH"}, {Act::Flood, " 1 2 3 4 5 6 7 8 9 10 11 12"}},
       true,
       false,
       "a5 UID SEARCH UNSEEN\r\n"},
      {"a FETCH literal announcing 2 GB, after an answer that stays",
       {{Act::Send, "* SEARCH 9 8\r\na5 OK\r\n"},
        {Act::ExpectLine},
        {Act::Send, std::string("* 1 FETCH (UID 9 ") + kFields +
                        " \"Subject: kept\")\r\n* 2 FETCH (UID 8 " + kFields + " {2147483648}\r\n"},
        {Act::Flood, std::string(65536, 'x')}},
       false,
       false,
       "a6 UID FETCH 9,8" + kFetch,
       1},
      {"a FETCH literal that never ends",
       {{Act::Send, searched},
        {Act::ExpectLine},
        {Act::Send, std::string("* 1 FETCH (UID 9 ") + kFields + " {200000}\r\nSubject: "},
        {Act::Flood, "x"}},
       true,
       false,
       fetch9},
      {"endless untagged answers to FETCH",
       {{Act::Send, searched}, {Act::ExpectLine}, {Act::Flood, "* 1 FETCH (FLAGS ())\r\n"}},
       true,
       false,
       fetch9},
  };
  imap.Host = "127.0.0.1";
  imap.TimeOut = 1000;
  wanted = 5;
  long peak = 0;
  const auto sampler = loop.startTimer(10, [&] { peak = std::max(peak, residentBytes()); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Act> script = summaryDialogue("", {kExamined});
    script.back() = Act(Act::ExpectLine);
    script.insert(script.end(), c.answers.begin(), c.answers.end());
    const ScriptedServer server(script);
    const long before = residentBytes();
    peak = before;
    check(server.port(), "ann", "pw");
    EXPECT_EQ(counts.back(), 5);
    EXPECT_EQ(summaries.size(), c.summaries);
    EXPECT_EQ(connectedAfterSummaries, c.connected);
    EXPECT_EQ(imap.TimedOut(), c.timedOut);
    EXPECT_LT(peak - before, 8L << 20);
    const std::string heard = server.received();
    EXPECT_TRUE(heard.ends_with(c.heardLast)) << heard.substr(heard.rfind("a5 "));
  }
  loop.stopTimer(sampler);
  EXPECT_EQ(connects, 5);
}

const std::string kEsearchLogin = "a1 OK [CAPABILITY IMAP4rev1 ESEARCH] in\r\n";
const std::string kSearched = "a1 LOGIN \"ann\" \"pw\"\r\na2 EXAMINE \"INBOX\"\r\n";

// A server that lets ann in with `login`, then reads two lines of the client before it goes on.
std::vector<Act> searchDialogue(const std::string& login, const std::vector<Act>& then) {
  std::vector<Act> script = {{Act::Send, kGreeting},
                             {Act::ExpectLine},
                             {Act::Send, login},
                             {Act::ExpectLine},
                             {Act::ExpectLine}};
  script.insert(script.end(), then.begin(), then.end());
  return script;
}

// Where ESEARCH is offered once logged in, the count searches the examined inbox, EXAMINE and the
// search in one write (the server reads both before it answers), and the newest it names are
// fetched at once. Hostile answers end within the time-out and keep no more than the UIDs needed.
TEST_F(ImapTest, CountsBySearchOnTheWire) {
  struct Case {
    const char* name;
    int wanted;
    std::vector<Act> script;
    std::string heard;
    std::string outcome;  // the count, or what went wrong
    std::vector<std::uint32_t> summaries = {};
    bool timedOut = false;
  };
  const std::string examined = "* 6 EXISTS\r\n* OK [UIDVALIDITY 7] ok\r\na2 OK [READ-ONLY] in\r\n";
  const std::string all = kSearched + "a3 UID SEARCH RETURN (COUNT ALL) UNSEEN\r\n";
  std::string everyOther = "* ESEARCH (TAG \"a3\") UID COUNT 100000 ALL 1";
  for (int uid = 3; uid < 200000; uid += 2) everyOther += "," + std::to_string(uid);
  const Case cases[] = {
      {"COUNT and ALL in one answer; the newest it names fetched",
       2,
       searchDialogue(kEsearchLogin,
                      replies({examined + "* ESEARCH (TAG \"a3\") UID COUNT 6 ALL 2:4,13:12,9\r\n"
                                          "a3 OK\r\n",
                               std::string("* 1 FETCH (UID 13 ") + kFields +
                                   " \"Subject: x\")\r\n"
                                   "a4 OK\r\n",
                               "a5 OK\r\n"})),
       all + "a4 UID FETCH 13,12" + kFetch + "a5 LOGOUT\r\n",
       "6",
       {13}},
      {"ESEARCH told beside the login; the count alone", 0,
       searchDialogue(
           "* CAPABILITY IMAP4rev1 ESEARCH\r\na1 OK in\r\n",
           replies({examined + "* ESEARCH (TAG \"a3\") UID COUNT 4\r\na3 OK\r\n", "a4 OK\r\n"})),
       kSearched + "a3 UID SEARCH RETURN (COUNT) UNSEEN\r\na4 LOGOUT\r\n", "4"},
      // What a server offers before the login is not what it offers after it.
      {"ESEARCH offered before the login only: STATUS", 0,
       replies({"* OK [CAPABILITY IMAP4rev1 ESEARCH] hi\r\n", "a1 OK in\r\n",
                "* STATUS INBOX (UNSEEN 2)\r\na2 OK\r\n", "a3 OK\r\n"}),
       "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN)\r\na3 LOGOUT\r\n", "2"},
      {"no ESEARCH after the login: STATUS, then the lines without asking again",
       1,
       replies({kGreeting, "a1 OK [CAPABILITY IMAP4rev1] in\r\n",
                "* STATUS INBOX (UNSEEN 2 UIDNEXT 9 UIDVALIDITY 7)\r\na2 OK\r\n",
                "a3 OK [READ-ONLY]\r\n", "* SEARCH 8 5\r\na4 OK\r\n",
                std::string("* 1 FETCH (UID 8 ") + kFields + " NIL)\r\na5 OK\r\n", "a6 OK\r\n"}),
       "a1 LOGIN \"ann\" \"pw\"\r\na2 STATUS \"INBOX\" (UNSEEN UIDNEXT UIDVALIDITY)\r\n"
       "a3 EXAMINE \"INBOX\"\r\na4 UID SEARCH UNSEEN\r\na5 UID FETCH 8" +
           kFetch + "a6 LOGOUT\r\n",
       "2",
       {8}},
      {"EXAMINE refused: no count", 5,
       searchDialogue(
           kEsearchLogin,
           replies({"a2 NO [NONEXISTENT] no inbox\r\na3 BAD no mailbox\r\n", "a4 OK\r\n"})),
       all + "a4 LOGOUT\r\n", "a2 NO [NONEXISTENT] no inbox"},
      {"100,000 UIDs one by one: read as they come, the newest five fetched", 5,
       searchDialogue(kEsearchLogin, replies({"a2 OK\r\n" + everyOther + "\r\na3 OK\r\n",
                                              "a4 OK\r\n", "a5 OK\r\n"})),
       all + "a4 UID FETCH 199999,199997,199995,199993,199991" + kFetch + "a5 LOGOUT\r\n",
       "100000"},
      {"a search answer that never ends",
       5,
       searchDialogue(kEsearchLogin,
                      {{Act::Send, "a2 OK\r\n* ESEARCH (TAG \"a3\") UID COUNT 9 ALL 1"},
                       {Act::Flood, ",3:4"}}),
       all,
       "Socket readln aborted",
       {},
       true},
      {"a count past what a mailbox holds", 5,
       searchDialogue(kEsearchLogin,
                      replies({"a2 OK\r\n* ESEARCH (TAG \"a3\") UID COUNT 4294967296\r\na3 OK\r\n",
                               "a4 OK\r\n"})),
       all + "a4 LOGOUT\r\n", "The server gave no count of unread messages"},
  };
  imap.Host = "127.0.0.1";
  imap.TimeOut = 1000;
  long peak = 0;
  const auto sampler = loop.startTimer(10, [&] { peak = std::max(peak, residentBytes()); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    counts.clear();
    summaries.clear();
    const ScriptedServer server(c.script);
    wanted = c.wanted;
    const long before = residentBytes();
    peak = before;
    const std::string failed = failure(server.port(), "ann", "pw");
    EXPECT_EQ(counts.empty() ? failed : std::to_string(counts.back()), c.outcome);
    EXPECT_EQ(server.received(), c.heard);
    std::vector<std::uint32_t> got;
    for (const TSummary& summary : summaries) got.push_back(summary.Number);
    EXPECT_EQ(got, c.summaries);
    EXPECT_EQ(imap.TimedOut(), c.timedOut);
    EXPECT_LT(peak - before, 8L << 20);
    EXPECT_FALSE(imap.Connected());
  }
  loop.stopTimer(sampler);
}

}  // namespace
}  // namespace vantrel::net
