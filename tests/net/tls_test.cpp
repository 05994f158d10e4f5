#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include <sys/socket.h>

#include "net/imap_client.h"
#include "net/pop3_client.h"
#include "platform/tls/anchor_validator.h"
#include "platform/tls/engine_choice.h"
#include "scripted_server.h"
#include "support.h"
#include "tls_contract.h"
#include "validator_cases.h"

namespace vantrel::platform::tls {
// Names the engine in the test's name rather than its bytes.
void PrintTo(EngineChoice choice, std::ostream* out) {
  *out << (choice == EngineChoice::System ? "system" : "built-in");
}
}  // namespace vantrel::platform::tls

namespace vantrel::net {
namespace {

using testing::Act;
using testing::fileText;
using testing::logHasLine;
using testing::ScriptedServer;
using testing::testRoot;
namespace reason = platform::tls_reason;

using platform::tls::EngineChoice;

// alice's account, over TLS from the start.
void secureAlice(TPop3Client& pop) {
  pop.Host = "localhost";
  pop.Secure = true;
  pop.UserID = "alice";
  pop.Password = "secret";
}

// A secure account as the program checks it: log in, count, log out from OnConnect. Each case
// runs with the system's engine (OpenSSL here) and with the built-in one.
class TlsTest : public ::testing::TestWithParam<EngineChoice> {
 protected:
  void SetUp() override {
    secureAlice(pop);
    pop.OnConnect = [this](TAsyncSocket&) {
      counts.push_back(pop.MessageCount());
      if (pop.Connected()) pop.Disconnect();
    };
  }

  // The reason of the refusal; refusedAs says what it comes down to.
  std::string refusal(int port) {
    pop.Port = port;
    refusedAs = platform::TlsRefusal::Other;
    return testing::tlsRefusal([&] {
      try {
        pop.Connect();
      } catch (const ETlsError& e) {
        refusedAs = e.Refusal();
        throw;
      }
    });
  }

  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets{testRoot(), GetParam()};
  TPop3Client pop{loop, sockets};
  std::vector<int> counts;
  platform::TlsRefusal refusedAs = platform::TlsRefusal::Other;
};

INSTANTIATE_TEST_SUITE_P(Engines, TlsTest,
                         ::testing::Values(EngineChoice::System, EngineChoice::BuiltIn),
                         [](const ::testing::TestParamInfo<EngineChoice>& info) {
                           return info.param == EngineChoice::System ? "System" : "BuiltIn";
                         });

TEST_P(TlsTest, ASecureAccountIsCountedOverTlsAndLogsInThere) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3S_PORT");
  pop.Port = port;
  pop.Connect();
  EXPECT_EQ(pop.SecuredBy(), GetParam() == EngineChoice::System ? platform::TlsEngine::System
                                                                : platform::TlsEngine::BuiltIn);
  pop.UserID = "carol";
  pop.Password = "opensesame";
  pop.Connect();
  EXPECT_EQ(counts, (std::vector<int>{3, 1}));
  EXPECT_FALSE(pop.Connected());
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"Login: user=<carol>", ", TLS"}));
}

TEST_P(TlsTest, TheSystemStoreAloneDoesNotTrustTheTestRoot) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3S_PORT");
  platform::posix::PosixSockets systemOnly{{}, GetParam()};
  TPop3Client plain{loop, systemOnly};
  secureAlice(plain);
  plain.Port = port;
  EXPECT_EQ(testing::tlsRefusal([&] { plain.Connect(); }), reason::kUntrusted);
}

// Each refused server writes down what it heard: a refused handshake, and never a command. The
// intermediate left out is not fetched from the address its certificate gives.
TEST_P(TlsTest, RefusedCertificatesEndTheConnectionBeforeUserOrPass) {
  using platform::TlsRefusal;
  struct Case {
    const char* portVariable;
    const char* name;
    const char* reason;
    TlsRefusal kind;
    bool builtInOnly;  // OpenSSL, the system's engine here, leaves this to the server
  };
  const Case cases[] = {
      {"VANTREL_TLS_OTHERNAME_PORT", "othername", reason::kOtherName, TlsRefusal::OtherName, false},
      {"VANTREL_TLS_EXPIRED_PORT", "expired", reason::kExpired, TlsRefusal::Expired, false},
      {"VANTREL_TLS_UNTRUSTED_PORT", "untrusted", reason::kUntrusted, TlsRefusal::Untrusted, false},
      {"VANTREL_TLS_NOINTER_PORT", "nointer", reason::kUntrusted, TlsRefusal::Untrusted, false},
      // An ECDHE_RSA key exchange signed by a key whose certificate allows no signature.
      {"VANTREL_TLS_NOSIGN_PORT", "nosign", reason::kCannotSign, TlsRefusal::CannotSign, true},
  };
  int disconnects = 0;
  std::vector<std::string> tried;
  pop.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  for (const Case& c : cases) {
    if (c.builtInOnly && GetParam() != EngineChoice::BuiltIn) continue;
    SCOPED_TRACE(c.name);
    VANTREL_SERVER_PORT(port, c.portVariable);
    EXPECT_EQ(refusal(port), c.reason);
    EXPECT_EQ(refusedAs, c.kind);
    EXPECT_FALSE(pop.Connected());
    tried.push_back(c.name);
  }
  EXPECT_TRUE(counts.empty());
  EXPECT_EQ(disconnects, static_cast<int>(tried.size()));
  EXPECT_TRUE(logHasLine("VANTREL_TLS_LOG", {"nointer handshake refused"}));
  EXPECT_EQ(fileText("VANTREL_AIA_LOG"), "");
  const std::string log = fileText("VANTREL_TLS_LOG");
  for (const std::string& name : tried) {
    EXPECT_NE(log.find(name + " accepted"), std::string::npos) << log;
    EXPECT_EQ(log.find(name + " heard"), std::string::npos) << log;
  }
}

// The validator the built-in engine has here, fed the chains itself; wine_check runs the same
// table for the Windows check.
TEST(CertificateValidatorTest, TheTableOfChainsIsJudgedByTheBuiltInValidator) {
  const std::string root = testRoot();
  if (root.empty()) GTEST_SKIP() << "VANTREL_TEST_CA is not set";
  const std::string folder = root.substr(0, root.rfind('/') + 1);
  platform::tls::AnchorValidator validator(folder + "roots.pem");
  for (const testing::ValidatorCase& c : testing::kValidatorCases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> chain;
    for (const char* name : c.chain) {
      if (name != nullptr) chain.push_back(testing::fileBytes(folder + name + ".der"));
    }
    ASSERT_FALSE(chain.front().empty());
    EXPECT_EQ(validator.validate(chain, c.serverName), c.reason);
  }
}

TEST_P(TlsTest, RepliesCutAcrossRecordsAndRecordsCutIntoSingleBytesStillMakeADialogue) {
  VANTREL_SERVER_PORT(port, "VANTREL_TLS_PIECES_PORT");
  pop.Port = port;
  pop.Connect();
  EXPECT_EQ(counts, std::vector<int>{2});
  ASSERT_TRUE(logHasLine("VANTREL_TLS_LOG", {"pieces heard QUIT"}));
  const std::string log = fileText("VANTREL_TLS_LOG");
  EXPECT_NE(log.find("pieces heard USER alice\npieces heard PASS secret\npieces heard "
                     "STAT\npieces heard QUIT\n"),
            std::string::npos)
      << log;
}

TEST_P(TlsTest, AServerAskingForANewHandshakeMidConversationGetsOneAndTheCountFollows) {
  VANTREL_SERVER_PORT(port, "VANTREL_TLS_RENEGOTIATES_PORT");
  const auto renewedBefore = fileText("VANTREL_TLS_LOG").find("renegotiates renewed");
  pop.Port = port;
  pop.Connect();
  EXPECT_EQ(counts, std::vector<int>{4});
  EXPECT_TRUE(logHasLine("VANTREL_TLS_LOG", {"renegotiates heard QUIT"}));
  EXPECT_NE(
      fileText("VANTREL_TLS_LOG")
          .find("renegotiates renewed", renewedBefore == std::string::npos ? 0 : renewedBefore + 1),
      std::string::npos);
}

// What every engine's send and receive promise; wine_check holds SChannel to the same.
TEST_P(TlsTest, ASendThatWouldBlockIsFinishedByItsOwnBytesAndByNothingElse) {
  VANTREL_SERVER_PORT(port, "VANTREL_TLS_STALLS_PORT");
  EXPECT_EQ(testing::sendAfterWouldBlockFaults(sockets, loop, port), std::vector<std::string>{});
}

TEST_P(TlsTest, AServerThatHangsUpWithOrWithoutItsCloseNoticeEndsTheStreamAtOnce) {
  VANTREL_SERVER_PORT(port, "VANTREL_TLS_ENDS_PORT");
  EXPECT_EQ(testing::endOfStreamFaults(sockets, loop, port), std::vector<std::string>{});
}

TEST_P(TlsTest, APlainServerWhereTlsWasAskedForHearsNoCommand) {
  ScriptedServer server({{Act::Send, "+OK POP3 ready\r\n"}, {Act::ExpectLine}, {Act::Hold}});
  pop.Host = "127.0.0.1";
  const std::string why = refusal(server.port());
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(why.find("not a TLS refusal"), std::string::npos) << why;
  EXPECT_EQ(server.received().find("USER"), std::string::npos);
  EXPECT_EQ(server.received().find("PASS"), std::string::npos);
  EXPECT_TRUE(counts.empty());
}

// A server silent from the start, and one that stops in the middle of its hello.
TEST_P(TlsTest, AHandshakeThatStallsEndsWithTheTimeOutWithoutACommand) {
  const std::string halfAHello("\x16\x03\x03\x00\x40\x02\x00\x00\x3c\x03\x03", 11);
  for (const std::vector<Act>& script :
       {std::vector<Act>{Act(Act::Hold)}, std::vector<Act>{{Act::Send, halfAHello}, {Act::Hold}}}) {
    SCOPED_TRACE(script.size());
    ScriptedServer server(script);
    pop.Host = "127.0.0.1";
    pop.TimeOut = 300;
    pop.Port = server.port();
    EXPECT_EQ(testing::thrown<ESockError>([&] { pop.Connect(); }), "Connection Timed out");
    EXPECT_FALSE(pop.Connected());
    EXPECT_EQ(server.received().find("USER"), std::string::npos);
  }
}

// How many lines of the log `matches`, once the count has settled at `expected` (servers write
// their logs in their own time) or a few seconds have passed.
int logLines(const char* variable, const std::function<bool(const std::string&)>& matches,
             int expected) {
  int count = 0;
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::istringstream log(fileText(variable));
    count = 0;
    for (std::string each; std::getline(log, each);) count += matches(each) ? 1 : 0;
    if (count == expected || expected < 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return count;
}

// The same for whole lines that are exactly `line`.
int logLines(const char* variable, const std::string& line, int expected) {
  return logLines(
      variable, [&](const std::string& each) { return each == line; }, expected);
}

// The system's engine as it fails on Windows XP (no TLS 1.2 at all) or on a Windows that shares
// no cipher suite with the server, or as it refuses a certificate (lacking nothing). It sends
// nothing.
class StandInSystemTls final : public platform::tls::Engine {
 public:
  explicit StandInSystemTls(platform::tls::Shortfall lacking,
                            std::string reason = "the stand-in refuses")
      : lacking_(lacking), reason_(std::move(reason)) {}
  std::unique_ptr<platform::tls::Session> start(platform::SocketHandle,
                                                const std::string&) override {
    return std::make_unique<Refusing>(*this);
  }

 private:
  class Refusing final : public platform::tls::Session {
   public:
    explicit Refusing(const StandInSystemTls& engine) : engine_(engine) {}
    platform::TlsStep step() override {
      return {platform::TlsStep::State::Failed, engine_.reason_};
    }
    long send(const char*, std::size_t) override { return -1; }
    long receive(char*, std::size_t, bool) override { return -1; }
    int error() const override { return platform::wsa::kNotConnected; }
    platform::tls::Shortfall shortfall() const override { return engine_.lacking_; }

   private:
    const StandInSystemTls& engine_;
  };
  platform::tls::Shortfall lacking_;
  std::string reason_;
};

// The system's engine making a handshake at once and leaving the bytes as they are, so that a
// scripted server goes on in plain text over a connection the client takes for secured.
class PassThroughTls final : public platform::tls::Engine {
 public:
  std::unique_ptr<platform::tls::Session> start(platform::SocketHandle socket,
                                                const std::string&) override {
    return std::make_unique<Plain>(static_cast<int>(socket));
  }

 private:
  class Plain final : public platform::tls::Session {
   public:
    explicit Plain(int fd) : fd_(fd) {}
    platform::TlsStep step() override { return {platform::TlsStep::State::Done, {}}; }
    long send(const char* data, std::size_t length) override {
      return moved(::send(fd_, data, length, MSG_NOSIGNAL));
    }
    long receive(char* data, std::size_t length, bool peek) override {
      return moved(::recv(fd_, data, length, peek ? MSG_PEEK : 0));
    }
    int error() const override { return error_; }

   private:
    long moved(ssize_t bytes) {
      if (bytes < 0) error_ = platform::posix::winsockCode(errno);
      return static_cast<long>(bytes);
    }
    int fd_;
    int error_ = 0;
  };
};

// Each case counts what its servers saw: connections, handshakes refused (or connections given
// up before one), and commands, which only ever come over TLS 1.2 with a valid certificate.
TEST(TlsEngineChoiceTest, TheBuiltInEngineTakesOverWhereTheSystemsCannotAndNeverForACertificate) {
  using platform::tls::Shortfall;
  struct Visit {
    const char* host;    // as the account gives it
    const char* server;  // whose port
  };
  struct Tally {
    const char* server;
    int accepted;
    int refusedHandshakes;
  };
  struct Case {
    const char* name;
    std::optional<Shortfall> standIn;  // none: OpenSSL is the system's engine
    std::vector<Visit> visits;
    const char* refusal;  // empty: counted by the built-in engine
    std::vector<Tally> tallies;
    platform::TlsRefusal kind = platform::TlsRefusal::Other;  // of the refusal
  };
  const Visit localhost{"localhost", "localhost"};
  const Case cases[] = {
      // The built-in engine goes on over the same connection, and takes every later one.
      {"no TLS 1.2 in the system",
       Shortfall::NoTls12,
       {localhost, localhost},
       "",
       {{"localhost", 2, 0}}},
      // A new connection, then the built-in engine straight away for that server.
      {"nothing in common",
       Shortfall::NothingInCommon,
       {localhost, localhost},
       "",
       {{"localhost", 3, 1}}},
      // What is remembered is the host, whatever its letter case and final dot, and the port.
      {"nothing in common, remembered by host and port",
       Shortfall::NothingInCommon,
       {localhost, {"LocalHost.", "localhost"}, {"LocalHost.", "asks"}},
       "",
       {{"localhost", 3, 1}, {"asks", 2, 1}}},
      // Anyone on the way can forge the server's word; the built-in engine must show it does
      // better before the system's is left aside.
      {"nothing in common, and the built-in engine refused as well: the system's engine again",
       Shortfall::NothingInCommon,
       {{"localhost", "forges"}, {"localhost", "forges"}},
       "in common",
       {{"forges", 4, 0}},
       platform::TlsRefusal::NothingInCommon},
      {"nothing in common, then a refused certificate",
       Shortfall::NothingInCommon,
       {{"localhost", "untrusted"}},
       reason::kUntrusted,
       {{"untrusted", 2, 2}},
       platform::TlsRefusal::Untrusted},
      {"a refused certificate is not tried again",
       std::nullopt,
       {{"localhost", "untrusted"}},
       reason::kUntrusted,
       {{"untrusted", 1, 1}},
       platform::TlsRefusal::Untrusted},
      {"no TLS 1.2 on the server",
       Shortfall::NoTls12,
       {{"localhost", "old"}},
       "in common",
       {{"old", 1, 1}},
       platform::TlsRefusal::NothingInCommon},
  };
  const auto port = [](const std::string& server) {
    std::string variable = "VANTREL_TLS_" + server + "_PORT";
    for (char& letter : variable) letter = static_cast<char>(std::toupper(letter));
    return testing::serverPort(variable.c_str());
  };
  if (!port("localhost")) GTEST_SKIP() << "VANTREL_TLS_LOCALHOST_PORT is not set";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    struct Before {
      int accepted, refused, users;
    };
    std::vector<Before> before;
    for (const Tally& t : c.tallies) {
      const std::string server = t.server;
      before.push_back({logLines("VANTREL_TLS_LOG", server + " accepted", -1),
                        logLines("VANTREL_TLS_LOG", server + " handshake refused", -1),
                        logLines("VANTREL_TLS_LOG", server + " heard USER alice", -1)});
    }

    platform::posix::PosixEventLoop loop;
    platform::posix::PosixSockets sockets(
        testRoot(), EngineChoice::Automatic,
        c.standIn ? std::make_unique<StandInSystemTls>(*c.standIn) : nullptr);
    TPop3Client pop(loop, sockets);
    secureAlice(pop);
    int counted = 0;
    pop.OnConnect = [&](TAsyncSocket&) {
      ++counted;
      pop.Disconnect();
    };
    // The connection goes to the server's address whatever the host typed (no name with a
    // final dot resolves here); the host is the name the certificate is checked against.
    pop.Proxy = "127.0.0.1";
    for (const Visit& visit : c.visits) {
      pop.Host = visit.host;
      pop.ProxyPort = port(visit.server).value_or(0);
      try {
        pop.Connect();
        EXPECT_STREQ(c.refusal, "");
        EXPECT_EQ(pop.SecuredBy(), platform::TlsEngine::BuiltIn);
      } catch (const ETlsError& e) {
        EXPECT_NE(*c.refusal, '\0');
        EXPECT_NE(e.Reason().find(c.refusal), std::string::npos) << e.Reason();
        EXPECT_EQ(e.Refusal(), c.kind);
      }
    }
    const bool counts = *c.refusal == '\0';
    EXPECT_EQ(counted, counts ? static_cast<int>(c.visits.size()) : 0);
    for (std::size_t i = 0; i < c.tallies.size(); ++i) {
      const Tally& t = c.tallies[i];
      SCOPED_TRACE(t.server);
      const std::string server = t.server;
      const auto visits = std::count_if(c.visits.begin(), c.visits.end(),
                                        [&](const Visit& v) { return server == v.server; });
      const int accepted = before[i].accepted + t.accepted;
      const int refused = before[i].refused + t.refusedHandshakes;
      const int users = before[i].users + (counts ? static_cast<int>(visits) : 0);
      EXPECT_EQ(logLines("VANTREL_TLS_LOG", server + " accepted", accepted), accepted);
      EXPECT_EQ(logLines("VANTREL_TLS_LOG", server + " handshake refused", refused), refused);
      EXPECT_EQ(logLines("VANTREL_TLS_LOG", server + " heard USER alice", users), users);
    }
  }
}

// STARTTLS comes after the greeting: only the whole conversation, started over from its first
// byte, can bring the built-in engine in.
TEST(TlsEngineChoiceTest, AConnectionSecuredMidConversationIsStartedOverForTheBuiltInEngine) {
  VANTREL_SERVER_PORT(port, "VANTREL_IMAP_PORT");
  const auto tlsLogin = [](const std::string& line) {
    return line.find("imap-login:") != std::string::npos &&
           line.find("Login: user=<carol>") != std::string::npos &&
           line.find(", TLS") != std::string::npos;
  };
  const int before = logLines("VANTREL_DOVECOT_LOG", tlsLogin, -1);
  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets(
      testRoot(), EngineChoice::Automatic,
      std::make_unique<StandInSystemTls>(platform::tls::Shortfall::NothingInCommon));
  TImapClient imap(loop, sockets);
  imap.Host = "localhost";
  imap.Port = port;
  imap.UserID = "carol";
  imap.Password = "opensesame";
  std::vector<int> counts;
  imap.OnConnect = [&](TAsyncSocket&) {
    counts.push_back(imap.UnseenCount());
    imap.Disconnect();
  };
  imap.Connect();
  EXPECT_EQ(counts, std::vector<int>{1});
  EXPECT_EQ(logLines("VANTREL_DOVECOT_LOG", tlsLogin, before + 1), before + 1);
}

// A plain IMAP server that has offered TLS once gets no password in clear text for the rest of the
// run: not on the new connection the built-in engine needs after the system's found nothing in
// common (where someone on the way strips the offer), nor at a later check. Nor does any server a
// password that has gone over TLS before.
TEST(StartTlsDowngradeTest, AServerThatOfferedTlsNeverHearsThePasswordInClearText) {
  const std::string offered = "* OK [CAPABILITY IMAP4rev1 STARTTLS] hi\r\n";
  const std::string stripped = "* OK [CAPABILITY IMAP4rev1] hi\r\n";
  const std::string goneReason =
      "the server offered a secure connection before and now offers none";
  // Up to the handshake that the system's engine gives up on.
  const auto upToTls = [](const std::string& greeting) {
    return std::vector<Act>{
        {Act::Send, greeting}, {Act::ExpectLine}, {Act::Send, "a1 OK begin TLS\r\n"}, {Act::Hold}};
  };
  const auto greetAndLogIn = [](const std::string& greeting) {
    return testing::replies(
        {greeting, "a1 OK\r\n", "* STATUS INBOX (UNSEEN 1)\r\na2 OK\r\n", "a3 OK\r\n"});
  };
  struct Case {
    const char* name;
    std::vector<std::vector<Act>> connections;
    std::vector<std::string> hosts;  // one per check
    std::string reason;              // of the last check's refusal
    std::string heard;
    bool passwordOverTlsOnly = false;
  };
  const Case cases[] = {
      {"STARTTLS stripped on the new connection",
       {upToTls(offered), greetAndLogIn(stripped)},
       {"127.0.0.1"},
       goneReason,
       "a1 STARTTLS\r\na1 LOGOUT\r\n"},
      {"STARTTLS and LOGINDISABLED stripped on the new connection",
       {upToTls("* OK [CAPABILITY IMAP4rev1 STARTTLS LOGINDISABLED] hi\r\n"),
        greetAndLogIn(stripped)},
       {"127.0.0.1"},
       goneReason,
       "a1 STARTTLS\r\na1 LOGOUT\r\n"},
      {"PREAUTH on the new connection",
       {upToTls(offered),
        testing::replies({"* PREAUTH [CAPABILITY IMAP4rev1] welcome back\r\n",
                          "* STATUS INBOX (UNSEEN 9)\r\na1 OK\r\n", "a2 OK\r\n"})},
       {"127.0.0.1"},
       "the server offered a secure connection before and now lets the mailbox in without one",
       "a1 STARTTLS\r\na1 LOGOUT\r\n"},
      {"STARTTLS stripped from the capabilities asked for",
       {{{Act::Send, "* OK hi\r\n"},
         {Act::ExpectLine},
         {Act::Send, "* CAPABILITY IMAP4rev1 STARTTLS\r\na1 OK\r\n"},
         {Act::ExpectLine},
         {Act::Send, "a2 OK begin TLS\r\n"},
         {Act::Hold}},
        testing::replies(
            {"* OK hi\r\n", "* CAPABILITY IMAP4rev1\r\na1 OK\r\n", "a2 OK\r\n", "a3 OK\r\n"})},
       {"127.0.0.1"},
       goneReason,
       "a1 CAPABILITY\r\na2 STARTTLS\r\na1 CAPABILITY\r\na2 LOGOUT\r\n"},
      // The first check ends on the refused STARTTLS; the server's name is written otherwise at
      // the next.
      {"STARTTLS stripped at the next check",
       {testing::replies({offered, "a1 NO not now\r\n", "a2 OK\r\n"}), greetAndLogIn(stripped)},
       {"localhost", "LocalHost"},
       goneReason,
       "a1 STARTTLS\r\na2 LOGOUT\r\na1 LOGOUT\r\n"},
      {"a password that has gone over TLS, to a server offering none",
       {greetAndLogIn(stripped)},
       {"127.0.0.1"},
       kPasswordSecuredBefore,
       "a1 LOGOUT\r\n",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(testing::ScriptsInTurn{c.connections});
    platform::posix::PosixEventLoop loop;
    platform::posix::PosixSockets sockets(
        testRoot(), EngineChoice::Automatic,
        std::make_unique<StandInSystemTls>(platform::tls::Shortfall::NothingInCommon));
    TImapClient imap(loop, sockets);
    imap.TimeOut = 5000;
    imap.Port = server.port();
    imap.UserID = "ann";
    imap.Password = "secret-pw";
    imap.PasswordOverTlsOnly = c.passwordOverTlsOnly;
    int counted = 0;
    imap.OnConnect = [&](TAsyncSocket&) {
      ++counted;
      imap.Disconnect();
    };
    std::string reason;
    for (const std::string& host : c.hosts) {
      imap.Host = host;
      reason = testing::tlsRefusal([&] { imap.Connect(); });
    }
    EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(counted, 0);
    EXPECT_EQ(server.accepted(), static_cast<int>(c.connections.size()));
    EXPECT_EQ(server.received(), c.heard);
    EXPECT_FALSE(imap.Connected());
  }
}

// The clients of one owner share what they learnt: a server one of them saw offer TLS is refused a
// password in clear text by the other.
TEST(StartTlsDowngradeTest, ClientsSharingTheirMemoryKeepOneAnothersPromise) {
  const ScriptedServer server(testing::ScriptsInTurn{
      {testing::replies(
           {"* OK [CAPABILITY IMAP4rev1 STARTTLS] hi\r\n", "a1 NO not now\r\n", "a2 OK\r\n"}),
       testing::replies({"* OK [CAPABILITY IMAP4rev1] hi\r\n", "a1 OK\r\n"})}});
  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets(testRoot());
  SecureServers shared;
  TImapClient first(loop, sockets, &shared);
  TImapClient second(loop, sockets, &shared);
  for (TImapClient* client : {&first, &second}) {
    client->Host = "127.0.0.1";
    client->Port = server.port();
    client->UserID = "ann";
    client->Password = "secret-pw";
  }
  EXPECT_EQ(testing::tlsRefusal([&] { first.Connect(); }), kTlsOfferedThenRefused);
  EXPECT_EQ(testing::tlsRefusal([&] { second.Connect(); }), kSecureNoMore);
  EXPECT_EQ(server.received(), "a1 STARTTLS\r\na2 LOGOUT\r\na1 LOGOUT\r\n");
}

// A plain POP3 server that has offered STLS, or made a TLS session, in this run hears no password
// in clear text, nor does any server a password that has gone over TLS before: they are refused
// before USER. Only a server that never offered TLS, without CAPA, hears one in clear text.
TEST(StlsDowngradeTest, OnlyAServerThatNeverOfferedTlsHearsThePasswordInClearText) {
  const std::string offered = "+OK\r\nUSER\r\nSTLS\r\n.\r\n";
  const std::string stripped = "+OK\r\nUSER\r\n.\r\n";
  const std::string noCapa = "-ERR unknown command\r\n";
  const std::string login = "USER ann\r\nPASS secret-pw\r\nSTAT\r\nQUIT\r\n";
  // Up to the handshake, which the system's engine gives up on or refuses.
  const std::vector<Act> upToTls = {{Act::Send, "+OK hi\r\n"},  {Act::ExpectLine},
                                    {Act::Send, offered},       {Act::ExpectLine},
                                    {Act::Send, "+OK TLS\r\n"}, {Act::Hold}};
  const auto refusedAfter = [](const std::string& capabilities) {
    return testing::replies({"+OK hi\r\n", capabilities, "+OK bye\r\n"});
  };
  const auto logIn = [](const std::vector<std::string>& upToLogin) {
    auto lines = upToLogin;
    lines.insert(lines.end(), {"+OK\r\n", "+OK\r\n", "+OK 1 1\r\n", "+OK bye\r\n"});
    return testing::replies(lines);
  };
  // STLS, the capabilities asked again over TLS, then the login.
  const auto securedLogIn = logIn({"+OK hi\r\n", offered, "+OK TLS\r\n", stripped});
  const std::string afterTls = "CAPA\r\nSTLS\r\nCAPA\r\n" + login;
  enum class Handshake { NothingInCommon, Refused, Made };  // by the system's engine
  struct Case {
    const char* name;
    Handshake handshake;
    std::vector<std::vector<Act>> connections;
    int checks;
    std::string reason;  // of the last check's refusal
    std::string heard;
    bool passwordOverTlsOnly = false;
  };
  const auto inTurn = [](auto... scripts) { return std::vector<std::vector<Act>>{scripts...}; };
  const auto stlsRefused =
      testing::replies({"+OK hi\r\n", offered, "-ERR not now\r\n", "+OK bye\r\n"});
  const Case cases[] = {
      {"STLS offered, then stripped on the other engine's new connection",
       Handshake::NothingInCommon, inTurn(upToTls, refusedAfter(stripped)), 1, kSecureNoMore,
       "CAPA\r\nSTLS\r\nCAPA\r\nQUIT\r\n"},
      {"STLS stripped at the check after a TLS one", Handshake::Made,
       inTurn(securedLogIn, refusedAfter(stripped)), 2, kSecureNoMore,
       afterTls + "CAPA\r\nQUIT\r\n"},
      {"CAPA refused at the check after a TLS one", Handshake::Made,
       inTurn(securedLogIn, refusedAfter(noCapa)), 2, kSecureNoMore, afterTls + "CAPA\r\nQUIT\r\n"},
      {"STLS answered -ERR", Handshake::Made, inTurn(stlsRefused), 1, kTlsOfferedThenRefused,
       "CAPA\r\nSTLS\r\nQUIT\r\n"},
      {"the upgrade's certificate refused", Handshake::Refused, inTurn(upToTls), 1,
       reason::kUntrusted, "CAPA\r\nSTLS\r\n"},
      {"a password that has gone over TLS, to a server without CAPA", Handshake::Made,
       inTurn(refusedAfter(noCapa)), 1, kPasswordSecuredBefore, "CAPA\r\nQUIT\r\n", true},
      {"a server without CAPA", Handshake::Made, inTurn(logIn({"+OK hi\r\n", noCapa})), 1,
       "no exception", "CAPA\r\n" + login},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptedServer server(testing::ScriptsInTurn{c.connections});
    using platform::tls::Shortfall;
    std::unique_ptr<platform::tls::Engine> engine = std::make_unique<PassThroughTls>();
    if (c.handshake == Handshake::NothingInCommon) {
      engine = std::make_unique<StandInSystemTls>(Shortfall::NothingInCommon);
    } else if (c.handshake == Handshake::Refused) {
      engine = std::make_unique<StandInSystemTls>(Shortfall::None, reason::kUntrusted);
    }
    platform::posix::PosixEventLoop loop;
    platform::posix::PosixSockets sockets(testRoot(), EngineChoice::Automatic, std::move(engine));
    TPop3Client pop(loop, sockets);
    pop.TimeOut = 5000;
    pop.Host = "127.0.0.1";
    pop.Port = server.port();
    pop.UserID = "ann";
    pop.Password = "secret-pw";
    pop.PasswordOverTlsOnly = c.passwordOverTlsOnly;
    pop.OnConnect = [&](TAsyncSocket&) { pop.Disconnect(); };
    std::string reason;
    for (int check = 0; check < c.checks; ++check) {
      reason = testing::tlsRefusal([&] { pop.Connect(); });
    }
    EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(server.accepted(), static_cast<int>(c.connections.size()));
    EXPECT_EQ(server.received(), c.heard);
    EXPECT_FALSE(pop.Connected());
  }
}

}  // namespace
}  // namespace vantrel::net
