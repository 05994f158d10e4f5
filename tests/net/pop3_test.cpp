#include <gtest/gtest.h>

#include <chrono>

#include "net/pop3_client.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::replies;
using testing::ScriptedServer;
using testing::thrown;

class Pop3Test : public testing::MailCheckTest<TPop3Client, &TPop3Client::MessageCount> {
 protected:
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

// --- scripted servers -----------------------------------------------------------------------

// A server that takes any login and answers STAT with `stat`.
std::vector<Act> dialogue(const std::string& stat, const std::string& greeting = "+OK\r\n") {
  return replies({greeting, "+OK\r\n", "+OK\r\n", stat, "+OK bye\r\n"});
}

TEST_F(Pop3Test, TheDialogueOnTheWireIsUserPassStatQuit) {
  const ScriptedServer server(dialogue("+OK 3 4520\r\n", "+OK POP3 server ready\r\n"));
  check(server.port(), "ann", "pw");
  EXPECT_EQ(counts, std::vector<int>{3});
  EXPECT_EQ(server.received(), "USER ann\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

TEST_F(Pop3Test, RepliesOneByteAtATimeAndSplitLineEndsStillMakeADialogue) {
  const ScriptedServer server({{Act::SendBytes, "+OK slow server\r\n"},
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
  const std::vector<Act> refuseUser = replies({"+OK\r\n", "-ERR who?\r\n", "+OK\r\n"});
  const ScriptedServer unhandled(refuseUser);
  EXPECT_EQ(failure(unhandled.port(), "ann", "pw"), "Authentication failed");
  EXPECT_EQ(unhandled.received(), "USER ann\r\nQUIT\r\n");

  const ScriptedServer declined(refuseUser);
  int asked = 0;
  pop.OnAuthenticationFailed = [&](bool&) { ++asked; };
  EXPECT_EQ(failure(declined.port(), "ann", "pw"), "Authentication failed");
  EXPECT_EQ(declined.received(), "USER ann\r\nQUIT\r\n");
  EXPECT_EQ(asked, 1);
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
  EXPECT_EQ(refusing.received(), "USER ann\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
  EXPECT_EQ(counts, (std::vector<int>{4, 0}));
  EXPECT_EQ(pop.MessageCount(), 0);
}

TEST_F(Pop3Test, ARefusedQuitClosesAnywayAndFailsWithItsLine) {
  const ScriptedServer server(
      replies({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n", "-ERR no\r\n"}));
  std::string quitError;
  pop.OnConnect = [&](TAsyncSocket&) { quitError = thrown<Exception>([&] { pop.Disconnect(); }); };
  check(server.port(), "ann", "pw");
  EXPECT_EQ(quitError, "-ERR no\r\n");
  EXPECT_FALSE(pop.Connected());
}

TEST_F(Pop3Test, AServerThatHangsUpMidDialogueFailsTheLogin) {
  const ScriptedServer server({{Act::Send, "+OK\r\n"}, {Act::ExpectLine}, {Act::Close}});
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
       "USER ann\r\nPASS pw\r\nQUIT\r\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(replies({"+OK\r\n", "+OK\r\n", "-ERR bad\r\n", "+OK\r\n"}));
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
      replies({"+OK\r\n", "+OK\r\n", "-ERR bad password\r\n"}, Act::Close));
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
  EXPECT_EQ(refusing.received(), "USER ann\r\nPASS pw\r\n");
  EXPECT_EQ(good.received(), "USER ann\r\nPASS pw2\r\nSTAT\r\nQUIT\r\n");
  EXPECT_FALSE(pop.Busy());
}

// TimeOut bounds the whole Connect: a server that answers each line just within it cannot
// stretch the login to several times over.
TEST_F(Pop3Test, AServerThatDripsItsRepliesIsLeftWithinTheTimeOut) {
  const auto late = [](const std::string& reply) {
    return std::vector<Act>{{Act::Pause, "", 150}, {Act::SendBytes, reply}, {Act::ExpectLine}};
  };
  std::vector<Act> script;
  for (const char* reply : {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n"}) {
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
      replies({"+OK\r\n", "-ERR who?\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 2\r\n", "+OK\r\n"}));
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
  std::vector<Act> script = replies({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 4 4\r\n", "+OK\r\n"});
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
