#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "net/pop3_client.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::logHasLine;
using testing::replies;
using testing::residentBytes;
using testing::ScriptedServer;
using testing::summariesOf;
using testing::thrown;

class Pop3Test : public testing::MailCheckTest<TPop3Client, &TPop3Client::MessageCount,
                                               &TPop3Client::RetrieveSummaries> {
 protected:
  // dovecot offers STLS with a certificate for localhost.
  void SetUp() override {
    MailCheckTest::SetUp();
    pop.Host = "localhost";
  }

  TPop3Client& pop = client;
};

// --- against dovecot ------------------------------------------------------------------------

TEST_F(Pop3Test, DovecotMailboxesGiveTheirCountsOnOneComponentInTurn) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3_PORT");
  int disconnects = 0;
  pop.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  check(port, "alice", "secret");
  EXPECT_EQ(pop.MessageCount(), 3);
  EXPECT_FALSE(pop.Connected());
  EXPECT_FALSE(pop.Busy());
  check(port, "bob", "hunter2");
  check(port, "carol", "opensesame");
  EXPECT_EQ(counts, (std::vector<int>{3, 0, 1}));
  EXPECT_EQ(connects, 3);
  EXPECT_EQ(disconnects, 3);
  // The plain account's login went over TLS, which dovecot's log line tells.
  EXPECT_EQ(pop.SecuredBy(), platform::TlsEngine::System);
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"pop3-login:", "Login: user=<carol>", ", TLS"}));
}

TEST_F(Pop3Test, DovecotRefusalAsksOnceAndANewPasswordLogsInOnTheSecondRound) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3_PORT");
  int asked = 0;
  pop.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    EXPECT_TRUE(pop.Connected());
    pop.Password = "secret";
    handled = true;
  };
  check(port, "alice", "wrong");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(counts, std::vector<int>{3});
}

TEST_F(Pop3Test, DovecotSecondRefusalFailsWithoutAskingAgain) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3_PORT");
  int asked = 0;
  pop.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    pop.Password = "still wrong";
    handled = true;
  };
  EXPECT_EQ(failure(port, "alice", "wrong"), "Authentication failed");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(connects, 0);
  EXPECT_FALSE(pop.Connected());
  EXPECT_FALSE(pop.Busy());
  check(port, "alice", "secret");
  EXPECT_EQ(counts, std::vector<int>{3});
}

TEST_F(Pop3Test, DovecotSummariesAreTheNewestMessagesRawAndNewestFirstPlainAndSecure) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3_PORT");
  VANTREL_SERVER_PORT(securePort, "VANTREL_POP3S_PORT");
  std::vector<std::pair<int, int>> listed;
  pop.OnList = [&](int msg, int size) { listed.emplace_back(msg, size); };
  wanted = 3;
  check(port, "erin", "summaries");
  // The highest numbers, read or not: POP3 knows nothing of flags.
  EXPECT_TRUE(summariesOf(summaries, {10, 9, 8}));
  EXPECT_EQ(listed, (std::vector<std::pair<int, int>>{{10, 83}, {9, 83}, {8, 107}}));
  EXPECT_TRUE(connectedAfterSummaries);

  wanted = 20;
  pop.Secure = true;
  pop.Host = "localhost";
  check(securePort, "erin", "summaries");
  EXPECT_TRUE(summariesOf(summaries, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(counts, (std::vector<int>{10, 10}));
}

// --- scripted servers -----------------------------------------------------------------------

// A server of its time, which offers no STLS: its capabilities, or "-ERR" to CAPA for one older
// than the command.
const std::string kCapabilities = "+OK\r\nUSER\r\nTOP\r\n.\r\n";

// The greeting (positive), an older server's refusal of CAPA, then each of `lines` in turn; each
// but the greeting after a line of the client.
std::vector<Act> withoutCapa(std::vector<std::string> lines, Act::Kind end = Act::Hold) {
  lines.insert(lines.begin() + 1, "-ERR unknown command\r\n");
  return replies(lines, end);
}

// A server that takes any login and answers STAT with `stat`.
std::vector<Act> dialogue(const std::string& stat, const std::string& greeting = "+OK\r\n") {
  return replies({greeting, kCapabilities, "+OK\r\n", "+OK\r\n", stat, "+OK bye\r\n"});
}

TEST_F(Pop3Test, TheDialogueOnTheWireIsCapaUserPassStatQuit) {
  const ScriptedServer server(dialogue("+OK 3 4520\r\n", "+OK POP3 server ready\r\n"));
  check(server.port(), "ann", "pw");
  EXPECT_EQ(counts, std::vector<int>{3});
  EXPECT_EQ(server.received(), "CAPA\r\nUSER ann\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

TEST_F(Pop3Test, RepliesOneByteAtATimeAndSplitLineEndsStillMakeADialogue) {
  const ScriptedServer server({{Act::SendBytes, "+OK slow server\r\n"},
                               {Act::ExpectLine},
                               {Act::SendBytes, kCapabilities},
                               {Act::ExpectLine},
                               {Act::Send, "+OK\r"},
                               {Act::Pause, "", 20},
                               {Act::Send, "\n"},
                               {Act::ExpectLine},
                               {Act::SendBytes, "+OK\r\n"},
                               {Act::ExpectLine},
                               {Act::SendBytes, "+OK 5 100\r\n"},
                               {Act::ExpectLine},
                               {Act::SendBytes, "+OK\r\n"},
                               {Act::Hold}});
  check(server.port(), "ann", "pw");
  EXPECT_EQ(counts, std::vector<int>{5});
}

TEST_F(Pop3Test, AStatCountWithNothingAfterItReadsAsZero) {
  const ScriptedServer first(dialogue("+OK 7 700\r\n"));
  const ScriptedServer bare(dialogue("+OK 3\r\n"));
  check(first.port(), "ann", "pw");
  check(bare.port(), "ann", "pw");
  EXPECT_EQ(counts, (std::vector<int>{7, 0}));
}

TEST_F(Pop3Test, ARefusedUserFailsAtOnceWhenNoHandlerOrADecliningOneAnswers) {
  const std::vector<Act> refuseUser = withoutCapa({"+OK\r\n", "-ERR who?\r\n", "+OK\r\n"});
  const ScriptedServer unhandled(refuseUser);
  EXPECT_EQ(failure(unhandled.port(), "ann", "pw"), "Authentication failed");
  EXPECT_EQ(unhandled.received(), "CAPA\r\nUSER ann\r\nQUIT\r\n");

  const ScriptedServer declined(refuseUser);
  int asked = 0;
  pop.OnAuthenticationFailed = [&](bool&) { ++asked; };
  EXPECT_EQ(failure(declined.port(), "ann", "pw"), "Authentication failed");
  EXPECT_EQ(declined.received(), "CAPA\r\nUSER ann\r\nQUIT\r\n");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(connects, 0);
}

// Only a refusal of the password asks for another (answered No here); a refusal that names the
// server's own trouble ends the login with the server's words, and the goodbye is still said.
TEST_F(Pop3Test, OnlyARefusedPasswordAsksForAnotherNotTheServersOwnTrouble) {
  struct Case {
    const char* name;
    std::vector<std::string> answers;  // the greeting, USER's, PASS's, QUIT's
    bool asked;
    std::string outcome;
  };
  const std::string refused = "password refused";
  const Case cases[] = {
      {"no code", {"+OK\r\n", "+OK\r\n", "-ERR invalid\r\n", "+OK\r\n"}, true, refused},
      {"AUTH", {"+OK\r\n", "+OK\r\n", "-ERR [AUTH] Invalid\r\n", "+OK\r\n"}, true, refused},
      {"SYS/TEMP",
       {"+OK\r\n", "+OK\r\n", "-ERR [SYS/TEMP] Temporary authentication failure.\r\n", "+OK\r\n"},
       false,
       "server: SYS/TEMP: Temporary authentication failure."},
      {"SYS/PERM in small letters",
       {"+OK\r\n", "+OK\r\n", "-ERR [sys/perm] Closed\r\n", "+OK\r\n"},
       false,
       "server: SYS/PERM: Closed"},
      {"IN-USE",
       {"+OK\r\n", "+OK\r\n", "-ERR [IN-USE] Busy\r\n", "+OK\r\n"},
       false,
       "server: IN-USE: Busy"},
      {"LOGIN-DELAY on USER",
       {"+OK\r\n", "-ERR [LOGIN-DELAY] Wait\r\n", "+OK\r\n"},
       false,
       "server: LOGIN-DELAY: Wait"},
  };
  int asked = 0;
  pop.OnAuthenticationFailed = [&](bool& handled) {
    ++asked;
    handled = false;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(withoutCapa(c.answers));
    asked = 0;
    std::string outcome = "counted";
    try {
      check(server.port(), "ann", "pw");
    } catch (const EAuthenticationFailed&) {
      outcome = refused;
    } catch (const EServerRefusal& e) {
      outcome = "server: " + e.Code() + ": " + e.ServerText();
    }
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(asked, c.asked ? 1 : 0);
    EXPECT_TRUE(server.received().ends_with("QUIT\r\n")) << server.received();
  }
  EXPECT_EQ(connects, 0);
}

TEST_F(Pop3Test, ARefusedGreetingFailsWithTheLineAndStillSaysQuit) {
  const ScriptedServer server(replies({"-ERR busy\r\n", "+OK\r\n"}));
  EXPECT_EQ(failure(server.port(), "ann", "pw"), "-ERR busy\r\n");
  EXPECT_EQ(server.received(), "QUIT\r\n");
  EXPECT_EQ(connects, 0);
  EXPECT_FALSE(pop.Connected());
}

TEST_F(Pop3Test, ARefusedStatAnnouncesTheLoginWithoutTheCountOfTheConnectionBefore) {
  const ScriptedServer good(dialogue("+OK 4 10\r\n"));
  const ScriptedServer refusing(dialogue("-ERR mailbox locked\r\n"));
  check(good.port(), "ann", "pw");
  bool connectedInHandler = true;
  pop.OnConnect = [&](TAsyncSocket&) {
    ++connects;
    connectedInHandler = pop.Connected();
    counts.push_back(pop.MessageCount());
  };
  EXPECT_EQ(failure(refusing.port(), "ann", "pw"), "-ERR mailbox locked\r\n");
  EXPECT_FALSE(connectedInHandler);  // the QUIT came first
  EXPECT_EQ(refusing.received(), "CAPA\r\nUSER ann\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
  EXPECT_EQ(counts, (std::vector<int>{4, 0}));
  EXPECT_EQ(pop.MessageCount(), 0);
}

TEST_F(Pop3Test, ARefusedQuitClosesAnywayAndFailsWithItsLine) {
  const ScriptedServer server(
      withoutCapa({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n", "-ERR no\r\n"}));
  std::string quitError;
  pop.OnConnect = [&](TAsyncSocket&) { quitError = thrown<Exception>([&] { pop.Disconnect(); }); };
  check(server.port(), "ann", "pw");
  EXPECT_EQ(quitError, "-ERR no\r\n");
  EXPECT_FALSE(pop.Connected());
}

TEST_F(Pop3Test, AServerThatHangsUpMidDialogueFailsTheLogin) {
  const ScriptedServer server({{Act::Send, "+OK\r\n"},
                               {Act::ExpectLine},
                               {Act::Send, kCapabilities},
                               {Act::ExpectLine},
                               {Act::Close}});
  EXPECT_EQ(failure(server.port(), "ann", "pw"), "Authentication failed");
  EXPECT_EQ(connects, 0);
  EXPECT_FALSE(pop.Connected());
}

TEST_F(Pop3Test, AGreetingLongerThanTheBufferFailsInAnOrderlyWay) {
  const ScriptedServer server({{Act::Send, std::string(100 * 1024, 'g')}, {Act::Hold}});
  EXPECT_EQ(failure(server.port(), "ann", "pw"), "Line too long");
  EXPECT_FALSE(pop.Connected());
}

TEST_F(Pop3Test, ASilentServerIsLeftWhenTheTimeOutFires) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  pop.TimeOut = 250;
  int ticks = 0;
  const auto timer = platform.loop.startTimer(10, [&] { ++ticks; });
  EXPECT_THROW(check(server.port(), "ann", "pw"), EAbortError);
  platform.loop.stopTimer(timer);
  EXPECT_TRUE(pop.TimedOut());
  EXPECT_FALSE(pop.Connected());  // the abort dropped the connection without a QUIT
  EXPECT_EQ(server.received(), "");
  EXPECT_GT(ticks, 0);
}

TEST_F(Pop3Test, AbortFromTheProgramsTimerEndsTheWaitOnASilentServer) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  int ticks = 0;
  const auto timer = platform.loop.startTimer(5, [&] {
    if (++ticks == 4) pop.Abort();
  });
  EXPECT_EQ(thrown<EAbortError>([&] { check(server.port(), "ann", "pw"); }),
            "Socket readln aborted");
  platform.loop.stopTimer(timer);
  EXPECT_FALSE(pop.Connected());
  EXPECT_FALSE(pop.Busy());
}

TEST_F(Pop3Test, MissingCredentialsAreAskedForOnceOrFailWithoutConnecting) {
  const ScriptedServer server(dialogue("+OK 2 2\r\n"));
  EXPECT_EQ(failure(server.port(), "ann", ""), "Authentication failed");
  int asked = 0;
  pop.OnAuthenticationNeeded = [&](bool& handled) { handled = ++asked > 1; };
  EXPECT_EQ(failure(server.port(), "", "pw"), "Authentication failed");
  EXPECT_EQ(server.accepted(), 0);
  pop.OnAuthenticationNeeded = [&](bool& handled) {
    ++asked;
    pop.Password = "pw";
    handled = true;
  };
  check(server.port(), "ann", "");
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(counts, std::vector<int>{2});
}

// Sent as it stands, such a value would end its line early and carry a command of its own.
TEST_F(Pop3Test, ALineBreakOrZeroByteInTheLoginIsRefusedBeforeItIsSent) {
  struct Case {
    std::string name;
    std::string user;
    std::string password;
    std::string retyped;   // the password the refusal handler gives
    std::string received;  // what the server heard
    int accepted;
  };
  const std::vector<Case> cases = {
      {"CR LF in the user name", "ann\r\nDELE 1", "pw", "", "", 0},
      {"LF in the password", "ann", "pw\nDELE 1", "", "", 0},
      {"a lone CR in the password", "ann", "pw\r", "", "", 0},
      {"a zero byte in the user name", std::string("ann\0x", 5), "pw", "", "", 0},
      {"a line break in the password given after a refusal", "ann", "pw", "pw2\r\nDELE 1",
       "CAPA\r\nUSER ann\r\nPASS pw\r\nQUIT\r\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(withoutCapa({"+OK\r\n", "+OK\r\n", "-ERR bad\r\n", "+OK\r\n"}));
    pop.OnAuthenticationFailed = [&](bool& handled) {
      pop.Password = c.retyped;
      handled = true;
    };
    EXPECT_EQ(failure(server.port(), c.user, c.password),
              "User name or password holds a line break or a zero byte");
    EXPECT_EQ(server.accepted(), c.accepted);
    EXPECT_EQ(server.received(), c.received);
    EXPECT_FALSE(pop.Connected());
  }
  EXPECT_EQ(connects, 0);
}

TEST_F(Pop3Test, AHangUpAfterARefusalShowsInConnectedAndTheHandlersReconnectDoesTheLogin) {
  // The first server refuses PASS and hangs up; the handler, like the user sitting in the
  // question, only asks Connected, then checks the mailbox again from inside the first Connect.
  const ScriptedServer refusing(
      withoutCapa({"+OK\r\n", "+OK\r\n", "-ERR bad password\r\n"}, Act::Close));
  const ScriptedServer good(dialogue("+OK 6 60\r\n"));
  bool busyInside = false;
  bool hungUp = false;
  pop.OnAuthenticationFailed = [&](bool& handled) {
    const std::uint64_t giveUp = platform.loop.nowMs() + 2000;
    while (!(hungUp = !pop.Connected()) && platform.loop.nowMs() < giveUp) {
      platform.loop.sleep(10);
    }
    if (hungUp) {
      busyInside = pop.Busy();
      check(good.port(), "ann", "pw2");
    }
    handled = true;
  };
  check(refusing.port(), "ann", "pw");
  EXPECT_TRUE(hungUp);
  EXPECT_TRUE(busyInside);
  EXPECT_EQ(counts, std::vector<int>{6});  // announced once, by the login that counted
  EXPECT_EQ(pop.MessageCount(), 6);
  EXPECT_EQ(refusing.received(), "CAPA\r\nUSER ann\r\nPASS pw\r\n");
  EXPECT_EQ(good.received(), "CAPA\r\nUSER ann\r\nPASS pw2\r\nSTAT\r\nQUIT\r\n");
  EXPECT_FALSE(pop.Busy());
}

// TimeOut bounds the whole Connect: a server that answers each line just within it cannot
// stretch the login to several times over.
TEST_F(Pop3Test, AServerThatDripsItsRepliesIsLeftWithinTheTimeOut) {
  const auto late = [](const std::string& reply) {
    return std::vector<Act>{{Act::Pause, "", 150}, {Act::SendBytes, reply}, {Act::ExpectLine}};
  };
  std::vector<Act> script;
  for (const char* reply : {"+OK\r\n", "-ERR\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n"}) {
    const auto step = late(reply);
    script.insert(script.end(), step.begin(), step.end());
  }
  script.emplace_back(Act::Hold);
  const ScriptedServer server(script);
  pop.TimeOut = 300;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(check(server.port(), "ann", "pw"), EAbortError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(550));
  EXPECT_TRUE(pop.TimedOut());
  EXPECT_FALSE(pop.Connected());
  EXPECT_EQ(connects, 0);
}

TEST_F(Pop3Test, TheTimeOutDoesNotRunWhileTheRefusalHandlerAsks) {
  const ScriptedServer server(
      withoutCapa({"+OK\r\n", "-ERR who?\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 2\r\n", "+OK\r\n"}));
  pop.TimeOut = 200;
  pop.OnAuthenticationFailed = [&](bool& handled) {
    // A question the user takes his time over, with the program's events going on.
    platform.loop.waitForSocket(-1, 0, platform.loop.nowMs() + 400);
    handled = true;
  };
  check(server.port(), "ann", "pw");
  EXPECT_EQ(counts, std::vector<int>{2});
}

TEST_F(Pop3Test, AConnectFromInsideItsOwnWaitIsRefusedAndTheFirstGoesOn) {
  std::vector<Act> script =
      withoutCapa({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 4 4\r\n", "+OK\r\n"});
  script.insert(script.begin(), Act(Act::Pause, "", 100));
  const ScriptedServer server(script);
  std::string refusal;
  const auto timer = platform.loop.startTimer(10, [&] {
    if (!refusal.empty()) return;
    try {
      pop.Connect();
      refusal = "accepted";
    } catch (const ESockError& e) {
      refusal = e.what();
    }
  });
  check(server.port(), "ann", "pw");
  platform.loop.stopTimer(timer);
  EXPECT_EQ(refusal, "Socket busy: called from inside its own wait");
  EXPECT_EQ(counts, std::vector<int>{4});
  EXPECT_EQ(server.accepted(), 1);
}

// A server that takes any login, answers STAT with `stat`, then each of `answers` in turn.
std::vector<Act> summaryDialogue(const std::string& stat, std::vector<std::string> answers,
                                 Act::Kind end = Act::Hold) {
  answers.insert(answers.begin(), {"+OK\r\n", kCapabilities, "+OK\r\n", "+OK\r\n", stat});
  return replies(answers, end);
}

TEST_F(Pop3Test, SummariesOnTheWire) {
  struct Case {
    const char* name;
    int wanted;
    std::vector<Act> script;
    std::string heard;
    std::string events;
    std::vector<std::vector<std::string>> headers;
    bool connected;
  };
  const std::string login = "CAPA\r\nUSER ann\r\nPASS pw\r\nSTAT\r\n";
  const Case cases[] = {
      {"the newest first, dot-stuffing undone, folds unfolded",
       2,
       summaryDialogue(
           "+OK 3 999\r\n",
           {"+OK 3 120\r\n",
            "+OK\r\nFrom: a@example.com\r\nSubject: three\r\n\tfolded\r\n..dots: lead\r\n"
            "\r\n.\r\n",
            "+OK 2 80\r\n", "+OK top follows\r\nSubject: two\r\n.\r\n", "+OK\r\n"}),
       login + "LIST 3\r\nTOP 3 0\r\nLIST 2\r\nTOP 2 0\r\nQUIT\r\n",
       "start 3:120 end start 2:80 end",
       {{"From: a@example.com", "Subject: three\tfolded", ".dots: lead"}, {"Subject: two"}},
       true},
      {"TOP refused: the count alone, no error, the connection kept",
       5,
       summaryDialogue("+OK 2 10\r\n", {"+OK 2 5\r\n", "-ERR no TOP here\r\n", "+OK\r\n"}),
       login + "LIST 2\r\nTOP 2 0\r\nQUIT\r\n",
       "start 2:5 end",
       {},
       true},
      {"LIST refused: no size; bare line ends; the body and a stray fold passed over",
       5,
       summaryDialogue(
           "+OK 1 10\r\n",
           {"-ERR\r\n", "+OK\n stray\nSubject: only\n\nbody: not a field\n.\n", "+OK\r\n"}),
       login + "LIST 1\r\nTOP 1 0\r\nQUIT\r\n",
       "start end",
       {{"Subject: only"}},
       true},
      {"an empty mailbox: nothing asked",
       5,
       summaryDialogue("+OK 0 0\r\n", {"+OK\r\n"}),
       login + "QUIT\r\n",
       "",
       {},
       true},
  };
  std::string events;
  pop.OnRetrieveStart = [&](TAsyncSocket&) { events += events.empty() ? "start" : " start"; };
  pop.OnRetrieveEnd = [&](TAsyncSocket&) { events += " end"; };
  pop.OnList = [&](int msg, int size) {
    events += " " + std::to_string(msg) + ":" + std::to_string(size);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.clear();
    const ScriptedServer server(c.script);
    wanted = c.wanted;
    check(server.port(), "ann", "pw");
    EXPECT_EQ(server.received(), c.heard);
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(connectedAfterSummaries, c.connected);
    std::vector<std::vector<std::string>> headers;
    for (const TSummary& summary : summaries) {
      headers.emplace_back();
      for (int i = 0; i < summary.Header.Count(); ++i) headers.back().push_back(summary.Header[i]);
    }
    EXPECT_EQ(headers, c.headers);
  }
  ASSERT_EQ(counts, (std::vector<int>{3, 2, 1, 0}));
}

// The unique-id of the newest message, or nothing where the server gives none worth the name.
TEST_F(Pop3Test, TheNewestUniqueIdOnTheWire) {
  struct Case {
    const char* name;
    std::vector<Act> answer;
    std::string uidl;
    bool connected;
  };
  const auto then = [](const std::string& reply) {
    return std::vector<Act>{
        {Act::Send, reply}, {Act::ExpectLine}, {Act::Send, "+OK bye\r\n"}, {Act::Hold}};
  };
  const Case cases[] = {
      {"a unique-id", then("+OK 3 QhdPYR:00WBw1Ph7x7\r\n"), "QhdPYR:00WBw1Ph7x7", true},
      {"no UIDL here", then("-ERR unknown command\r\n"), "", true},
      {"another message's", then("+OK 2 abc\r\n"), "", true},
      {"longer than a unique-id may be", then("+OK 3 " + std::string(71, 'u') + "\r\n"), "", true},
      {"a control character", then(std::string("+OK 3 ab\x01") + "c\r\n"), "", true},
      {"a hang-up instead", {{Act::Close}}, "", false},
  };
  std::string uidl;
  bool connected = false;
  pop.OnConnect = [&](TAsyncSocket&) {
    uidl = pop.Uidl(pop.MessageCount());
    connected = pop.Connected();
    if (pop.Connected()) pop.Disconnect();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Act> script = summaryDialogue("+OK 3 300\r\n", {});
    script.back() = Act(Act::ExpectLine);
    script.insert(script.end(), c.answer.begin(), c.answer.end());
    const ScriptedServer server(script);
    check(server.port(), "ann", "pw");
    EXPECT_EQ(uidl, c.uidl);
    EXPECT_EQ(connected, c.connected);
    EXPECT_EQ(server.received(), std::string("CAPA\r\nUSER ann\r\nPASS pw\r\nSTAT\r\nUIDL 3\r\n") +
                                     (c.connected ? "QUIT\r\n" : ""));
  }
}

// Each ends within the time-out, or sooner, keeps nothing of what it was sent, and leaves the count
// the login read.
TEST_F(Pop3Test, HostileSummaryAnswersAreBoundedAndTheCountStays) {
  struct Case {
    const char* name;
    std::vector<Act> answer;
    bool timedOut;
  };
  std::string headerLines;
  while (headerLines.size() < 65536) headerLines += "X-Filler: " + std::string(60, 'x') + "\r\n";
  const Case cases[] = {
      {"a TOP answer that never ends",
       {{Act::Send, "+OK\r\nFrom: a@example.com\r\n"}, {Act::Flood, "X-Drip: y\r\n"}},
       true},
      {"a header of 50 MB", {{Act::Send, "+OK\r\n"}, {Act::Flood, headerLines}}, false},
      {"one header line of 50 MB",
       {{Act::Send, "+OK\r\n"}, {Act::Flood, std::string(65536, 'x')}},
       false},
      {"a hang-up in the middle of TOP",
       {{Act::Send, "+OK\r\nSubject: cut\r\n"}, {Act::Pause, "", 50}, {Act::Close}},
       false},
  };
  pop.TimeOut = 1000;
  wanted = 5;
  long peak = 0;
  const auto sampler =
      platform.loop.startTimer(10, [&] { peak = std::max(peak, residentBytes()); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Act> script = summaryDialogue("+OK 3 300\r\n", {"+OK 3 100\r\n"});
    script.back() = Act(Act::ExpectLine);
    script.insert(script.end(), c.answer.begin(), c.answer.end());
    const ScriptedServer server(script);
    const long before = residentBytes();
    peak = before;
    check(server.port(), "ann", "pw");
    EXPECT_EQ(counts.back(), 3);
    EXPECT_TRUE(summaries.empty());
    EXPECT_FALSE(connectedAfterSummaries);
    EXPECT_EQ(pop.TimedOut(), c.timedOut);
    EXPECT_LT(peak - before, 8L << 20);
    EXPECT_EQ(server.received(), "CAPA\r\nUSER ann\r\nPASS pw\r\nSTAT\r\nLIST 3\r\nTOP 3 0\r\n");
  }
  platform.loop.stopTimer(sampler);
  EXPECT_EQ(connects, 4);
}

TEST_F(Pop3Test, AttachFilePathEndsWithABackslash) {
  EXPECT_EQ(pop.Port, 110);
  pop.SetAttachFilePath("C:\\Mail");
  EXPECT_EQ(pop.AttachFilePath(), "C:\\Mail\\");
  pop.SetAttachFilePath("C:\\Mail\\");
  EXPECT_EQ(pop.AttachFilePath(), "C:\\Mail\\");
  pop.SetAttachFilePath("");
  EXPECT_EQ(pop.AttachFilePath(), "");
}

TEST_F(Pop3Test, DisconnectWhenNotConnectedDoesNothing) {
  int disconnects = 0;
  pop.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  EXPECT_NO_THROW(pop.Disconnect());
  EXPECT_EQ(disconnects, 0);
}

}  // namespace
}  // namespace vantrel::net
