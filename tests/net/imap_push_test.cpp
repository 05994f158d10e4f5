// IMAP push on the real Linux platform: the IDLE session against dovecot, which tells of a
// message the moment it lands in the mailbox, and against scripted servers for what dovecot does
// not do on purpose; and the seam under it (watches, lookups that call back, the network signal).
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/imap_push_session.h"
#include "platform/posix/network_posix.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::ScriptedServer;
using Reason = ImapPushSession::EndReason;

class ImapPushTest : public ::testing::Test {
 protected:
  // Every handler wakes the loop, so that runUntil looks again at once.
  std::unique_ptr<ImapPushSession> start(const ImapPushSession::Account& account,
                                         ImapPushSession::Timing timing = {}) {
    return std::make_unique<ImapPushSession>(
        loop, platform.sockets, account, timing,
        ImapPushSession::Handlers{[this](const ImapPushSession::Count& count) {
                                    counts.push_back(count.unseen);
                                    summaries = count.summaries;
                                    loop.wake();
                                  },
                                  [this] {
                                    ++idlings;
                                    loop.wake();
                                  },
                                  [this](const ImapPushSession::End& end) {
                                    ends.push_back(end);
                                    loop.wake();
                                  }});
  }

  // Runs the loop until `done` holds or a few seconds have passed; whether it holds. It looks
  // often, for what a server's thread does wakes no loop.
  bool runUntil(const std::function<bool()>& done) {
    const std::uint64_t deadline = loop.nowMs() + 10'000;
    while (!done() && loop.nowMs() < deadline) loop.waitForSocket(-1, 0, loop.nowMs() + 50);
    return done();
  }

  testing::Platform platform;
  platform::posix::PosixEventLoop& loop = platform.loop;
  std::vector<int> counts;
  std::vector<TSummary> summaries;
  int idlings = 0;
  std::vector<ImapPushSession::End> ends;
};

ImapPushSession::Account account(const std::string& host, int port) {
  ImapPushSession::Account account;
  account.host = host;
  account.port = static_cast<std::uint16_t>(port);
  account.user = "frank";
  account.password = "pushed";
  return account;
}

// A message lands in frank's mailbox as a delivery agent puts it there: written into tmp/, then
// renamed into new/.
void deliver(const std::string& subject) {
  static int delivered = 0;
  const std::string box = std::string(std::getenv("VANTREL_MAIL_DIR")) + "/frank/";
  const std::string name = "500000000" + std::to_string(++delivered) + ".M1.vantrel";
  std::ofstream(box + "tmp/" + name, std::ios::binary)
      << "From: pusher@example.com\r\nSubject: " << subject << "\r\n\r\nbody\r\n";
  ASSERT_EQ(std::rename((box + "tmp/" + name).c_str(), (box + "new/" + name).c_str()), 0);
}

// --- against dovecot ------------------------------------------------------------------------

TEST_F(ImapPushTest, DovecotADeliveryIsCountedWithoutAnyCheckOverStartTlsAndImplicitTls) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  VANTREL_SERVER_PORT(securePort, "VANTREL_IMAPS_PORT");
  for (const bool implicit : {false, true}) {
    SCOPED_TRACE(implicit ? "implicit TLS" : "STARTTLS");
    counts.clear();
    ImapPushSession::Account frank = account("localhost", implicit ? securePort : port);
    frank.secure = implicit;
    frank.summaries = 2;
    const auto session = start(frank);
    ASSERT_TRUE(runUntil([&] { return session->idling() || !ends.empty(); }));
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_TRUE(session->tlsSeen());
    EXPECT_EQ(session->securedBy(), platform::TlsEngine::System);

    const std::string subject = implicit ? "pushed over implicit TLS" : "pushed after STARTTLS";
    deliver(subject);
    ASSERT_TRUE(runUntil([&] { return counts.size() == 2 && session->idling(); }));
    EXPECT_EQ(counts[1], counts[0] + 1);
    ASSERT_FALSE(summaries.empty());
    EXPECT_EQ(summaries[0].Subject, subject);
    EXPECT_TRUE(ends.empty());
  }
  EXPECT_TRUE(
      testing::logHasLine("VANTREL_DOVECOT_LOG", {"imap-login:", "Login: user=<frank>", ", TLS"}));
}

// --- scripted servers -----------------------------------------------------------------------

// A greeting, a login, the inbox examined and counted (1), and the next command read.
std::vector<Act> counted(const std::string& capabilities = "IMAP4rev1 IDLE ESEARCH") {
  const std::string offered = "[CAPABILITY " + capabilities + "]";
  return {
      {Act::Send, "* OK " + offered + " ready\r\n"},
      {Act::ExpectLine},
      {Act::Send, "a1 OK " + offered + " in\r\n"},
      {Act::ExpectLine},
      {Act::ExpectLine},
      {Act::Send,
       "* 1 EXISTS\r\na2 OK [READ-ONLY] done\r\n* ESEARCH (TAG \"a3\") UID COUNT 1\r\na3 OK\r\n"},
      {Act::ExpectLine}};
}

std::vector<Act> then(std::vector<Act> start, const std::vector<Act>& more) {
  start.insert(start.end(), more.begin(), more.end());
  return start;
}

// ... and IDLE taken.
std::vector<Act> idling() {
  return then(counted(), {{Act::Send, "+ idling\r\n"}});
}

TEST_F(ImapPushTest, EndsOfASessionAreToldApart) {
  const std::string login = "a1 LOGIN \"frank\" \"pushed\"\r\n";
  const std::string counting = "a2 EXAMINE \"INBOX\"\r\na3 UID SEARCH RETURN (COUNT) UNSEEN\r\n";
  struct Case {
    const char* name;
    std::vector<Act> script;
    std::function<void(ImapPushSession::Account&)> account;
    Reason reason;
    std::string text;  // the end's text, or the TLS reason
    std::string heard;
  };
  const auto same = [](ImapPushSession::Account&) {};
  const Case cases[] = {
      {"a goodbye while idling",
       then(idling(), {{Act::Send, "* BYE shutting down\r\n"}, {Act::Hold}}), same, Reason::Dropped,
       "* BYE shutting down", login + counting + "a4 IDLE\r\n"},
      {"a hang-up while idling", then(idling(), {{Act::Close}}), same, Reason::Dropped, "",
       login + counting + "a4 IDLE\r\n"},
      {"a renewal left unanswered", then(idling(), {{Act::ExpectLine}, {Act::Hold}}), same,
       Reason::Dropped, "", login + counting + "a4 IDLE\r\nDONE\r\n"},
      {"IDLE refused",
       then(counted(), {{Act::Send, "a4 NO not here\r\n"}, {Act::ExpectLine}, {Act::Hold}}), same,
       Reason::NoIdle, "The server refuses IDLE", login + counting + "a4 IDLE\r\na5 LOGOUT\r\n"},
      {"no IDLE offered", then(counted("IMAP4rev1 ESEARCH"), {{Act::Hold}}), same, Reason::NoIdle,
       "The server does not offer IDLE", login + counting + "a4 LOGOUT\r\n"},
      {"a refused password",
       testing::replies(
           {"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n", "a1 NO [AUTHENTICATIONFAILED] wrong\r\n"}),
       same, Reason::PasswordRefused, "a1 NO [AUTHENTICATIONFAILED] wrong", login},
      {"an 8-bit password as a literal, after the go-ahead",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n", "+ go on\r\n",
                         "a1 NO [AUTHENTICATIONFAILED] wrong\r\n"}),
       [](ImapPushSession::Account& a) { a.password = "p\xe9"; }, Reason::PasswordRefused,
       "a1 NO [AUTHENTICATIONFAILED] wrong", "a1 LOGIN \"frank\" {2}\r\np\xe9\r\n"},
      {"a literal refused: nothing said of the password",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n", "a1 BAD no literals\r\n"}),
       [](ImapPushSession::Account& a) { a.password = "p\xe9"; }, Reason::Dropped,
       "a1 BAD no literals", "a1 LOGIN \"frank\" {2}\r\n"},
      {"the server's own trouble",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n",
                         "a1 NO [UNAVAILABLE] Temporary authentication failure.\r\n"}),
       same, Reason::ServerRefused, "a1 NO [UNAVAILABLE] Temporary authentication failure.", login},
      {"a STARTTLS offer stripped from a server known to take TLS",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n"}),
       [](ImapPushSession::Account& a) { a.knownSecure = true; }, Reason::SecureRefused,
       "the server offered a secure connection before and now offers none", ""},
      {"a password that goes only over TLS, to a server without it",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n"}),
       [](ImapPushSession::Account& a) { a.passwordOnlyOverTls = true; }, Reason::SecureRefused,
       "this password goes only over a secure connection, and the server offers none", ""},
      {"no password in clear text",
       testing::replies({"* OK [CAPABILITY IMAP4rev1 IDLE LOGINDISABLED] hi\r\n"}), same,
       Reason::SecureRefused,
       "the server takes passwords only over a secure connection, and offers none", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ends.clear();
    const ScriptedServer server(c.script);
    ImapPushSession::Account frank = account("127.0.0.1", server.port());
    c.account(frank);
    const auto session = start(frank, {500, 300});
    ASSERT_TRUE(runUntil([&] { return !ends.empty(); }));
    EXPECT_EQ(ends[0].reason, c.reason);
    EXPECT_EQ(c.reason == Reason::SecureRefused ? ends[0].tlsReason : ends[0].text, c.text);
    EXPECT_TRUE(runUntil([&] { return server.received() == c.heard; })) << server.received();
  }
}

TEST_F(ImapPushTest, WhyTheConnectionEndedIsKept) {
  // The server's response code, and the connection's own end.
  const ScriptedServer refusing(testing::replies(
      {"* OK [CAPABILITY IMAP4rev1 IDLE] hi\r\n", "a1 NO [UNAVAILABLE] down for a while\r\n"}));
  const auto refused = start(account("127.0.0.1", refusing.port()));
  ASSERT_TRUE(runUntil([&] { return !ends.empty(); }));
  EXPECT_EQ(ends[0].code, "UNAVAILABLE");
  EXPECT_EQ(ends[0].serverText, "down for a while");

  const struct {
    std::vector<Act> script;
    ConnectionEnd::Why why;
  } drops[] = {{then(idling(), {{Act::Close}}), ConnectionEnd::Why::HungUp},
               {then(idling(), {{Act::Hold}}), ConnectionEnd::Why::TimedOut}};
  for (const auto& drop : drops) {
    ends.clear();
    const ScriptedServer server(drop.script);
    const auto session = start(account("127.0.0.1", server.port()), {500, 300});
    ASSERT_TRUE(runUntil([&] { return !ends.empty(); }));
    ASSERT_TRUE(ends[0].connection);
    EXPECT_EQ(ends[0].connection->why, drop.why);
  }
  ends.clear();
  const auto unknown = start(account("no-such-host.invalid", 143));
  ASSERT_TRUE(runUntil([&] { return !ends.empty(); }));
  ASSERT_TRUE(ends[0].connection);
  EXPECT_EQ(ends[0].connection->why, ConnectionEnd::Why::NoSuchHost);
}

TEST_F(ImapPushTest, AFloodOfNoticesCostsOneCount) {
  std::string flood;
  for (int i = 2; i < 2000; ++i) flood += "* " + std::to_string(i) + " EXISTS\r\n";
  const ScriptedServer server(
      then(idling(), {{Act::Send, flood},
                      {Act::ExpectLine},
                      {Act::Send, "a4 OK Idle completed\r\n"},
                      {Act::ExpectLine},
                      {Act::Send, "* ESEARCH (TAG \"a5\") UID COUNT 1999\r\na5 OK\r\n"},
                      {Act::ExpectLine},
                      {Act::Send, "+ idling\r\n"},
                      {Act::ExpectLine},
                      {Act::ExpectLine},
                      {Act::Hold}}));
  const auto session = start(account("127.0.0.1", server.port()));
  ASSERT_TRUE(runUntil([&] { return counts.size() == 2 && session->idling(); }));
  EXPECT_EQ(counts, (std::vector<int>{1, 1999}));
  session->close();
  EXPECT_TRUE(runUntil(
      [&] { return server.accepted() == 1 && server.received().ends_with("LOGOUT\r\n"); }));
  EXPECT_EQ(
      server.received().substr(server.received().find("a4 IDLE")),
      "a4 IDLE\r\nDONE\r\na5 UID SEARCH RETURN (COUNT) UNSEEN\r\na6 IDLE\r\nDONE\r\na7 LOGOUT\r\n");
  EXPECT_TRUE(ends.empty());
}

// --- the seam on Linux -------------------------------------------------------------------------

TEST_F(ImapPushTest, AWatchIsToldWhereverTheLoopDispatches) {
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const platform::posix::Fd readEnd(pipeEnds[0]);
  const platform::posix::Fd writeEnd(pipeEnds[1]);
  int told = 0;
  const auto watch = loop.watchSocket(readEnd.get(), platform::kSocketRead, [&] {
    ++told;
    char byte = 0;
    ASSERT_EQ(::read(readEnd.get(), &byte, 1), 1);
    if (byte == 'q') loop.quit();
  });
  loop.processMessages();
  EXPECT_EQ(told, 0);
  ASSERT_EQ(::write(writeEnd.get(), "a", 1), 1);
  loop.processMessages();
  EXPECT_EQ(told, 1);

  // Inside another socket's wait, which goes on.
  const ScriptedServer silent(std::vector<Act>{{Act::Hold}});
  TAsyncSocket socket(loop, platform.sockets);
  socket.Host = "127.0.0.1";
  socket.Port = silent.port();
  socket.TimeOut = 300;
  socket.Connect();
  ASSERT_EQ(::write(writeEnd.get(), "b", 1), 1);
  std::string line;
  EXPECT_THROW(socket.ReadLn(line), EAbortError);
  EXPECT_EQ(told, 2);

  ASSERT_EQ(::write(writeEnd.get(), "q", 1), 1);
  loop.run();
  EXPECT_EQ(told, 3);
  loop.unwatchSocket(watch);
}

TEST_F(ImapPushTest, ALookupCallsBackFromTheLoopOnly) {
  const struct {
    const char* name;
    int error;
  } cases[] = {{"localhost", 0}, {"no-such-host.invalid", platform::wsa::kHostNotFound}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool told = false;
    const auto lookup = platform.sockets.lookupThen(c.name, loop, [&] {
      told = true;
      loop.wake();
    });
    EXPECT_FALSE(told);
    ASSERT_TRUE(runUntil([&] { return told; }));
    EXPECT_EQ(lookup->error(), c.error);
    if (c.error == 0) {
      EXPECT_EQ(lookup->address(), 0x0100007fu);
    }
  }
}

TEST_F(ImapPushTest, TheNetworkSignalSeesANetworkComeToAMachineWithoutOne) {
  EXPECT_TRUE(platform::posix::PosixNetwork(loop).connected())
      << "this machine has no route off it";
  // In a network namespace of its own, a child has the loopback interface alone, down.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::unshare(CLONE_NEWNET) != 0) ::_exit(77);
    platform::posix::PosixEventLoop childLoop;
    platform::posix::PosixNetwork network(childLoop);
    if (network.connected()) ::_exit(1);
    bool changed = false;
    network.watchChanges([&] {
      changed = true;
      childLoop.wake();
    });
    if (std::system("ip link add v0 type veth peer name v1 && ip addr add 10.9.9.9/24 dev v0 && "
                    "ip link set v0 up && ip link set v1 up") != 0) {
      ::_exit(2);
    }
    const std::uint64_t deadline = childLoop.nowMs() + 5000;
    while (!(changed && network.connected()) && childLoop.nowMs() < deadline) {
      childLoop.waitForSocket(-1, 0, deadline);
    }
    ::_exit(changed ? (network.connected() ? 0 : 4) : 3);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no network namespace of our own here";
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "1: a network at first; 2: no interface made; 3: no change told; 4: still none";
}

}  // namespace
}  // namespace vantrel::net
