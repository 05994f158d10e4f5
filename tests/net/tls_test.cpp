#include <gtest/gtest.h>

#include "net/pop3_client.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::fileText;
using testing::logHasLine;
using testing::ScriptedServer;
using testing::testRoot;
namespace reason = platform::tls_reason;

// A secure account as the program checks it: log in, count, log out from OnConnect.
class TlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pop.Host = "localhost";
    pop.Secure = true;
    pop.UserID = "alice";
    pop.Password = "secret";
    pop.OnConnect = [this](TAsyncSocket&) {
      counts.push_back(pop.MessageCount());
      if (pop.Connected()) pop.Disconnect();
    };
  }

  // The reason of the refusal, or what happened instead.
  std::string refusal(int port) {
    pop.Port = port;
    try {
      pop.Connect();
    } catch (const ETlsError& e) {
      return e.Reason();
    } catch (const std::exception& e) {
      return std::string("not a TLS refusal: ") + e.what();
    }
    return "no exception";
  }

  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets{testRoot()};
  TPop3Client pop{loop, sockets};
  std::vector<int> counts;
};

TEST_F(TlsTest, ASecureAccountIsCountedOverTlsAndLogsInThere) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3S_PORT");
  pop.Port = port;
  pop.Connect();
  pop.UserID = "carol";
  pop.Password = "opensesame";
  pop.Connect();
  EXPECT_EQ(counts, (std::vector<int>{3, 1}));
  EXPECT_FALSE(pop.Connected());
  EXPECT_TRUE(logHasLine("VANTREL_DOVECOT_LOG", {"Login: user=<carol>", ", TLS"}));
}

TEST_F(TlsTest, TheSystemStoreAloneDoesNotTrustTheTestRoot) {
  VANTREL_SERVER_PORT(port, "VANTREL_POP3S_PORT");
  platform::posix::PosixSockets systemOnly;
  TPop3Client plain{loop, systemOnly};
  plain.Host = "localhost";
  plain.Port = port;
  plain.Secure = true;
  plain.UserID = "alice";
  plain.Password = "secret";
  try {
    plain.Connect();
    ADD_FAILURE() << "the test root was trusted";
  } catch (const ETlsError& e) {
    EXPECT_EQ(e.Reason(), reason::kUntrusted);
  }
}

// Each refused server writes down what it heard: a refused handshake, and never a command.
TEST_F(TlsTest, RefusedCertificatesEndTheConnectionBeforeUserOrPass) {
  struct Case {
    const char* portVariable;
    const char* name;
    const char* reason;
  };
  const Case cases[] = {
      {"VANTREL_TLS_OTHERNAME_PORT", "othername", reason::kOtherName},
      {"VANTREL_TLS_EXPIRED_PORT", "expired", reason::kExpired},
      {"VANTREL_TLS_UNTRUSTED_PORT", "untrusted", reason::kUntrusted},
  };
  int disconnects = 0;
  pop.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VANTREL_SERVER_PORT(port, c.portVariable);
    EXPECT_EQ(refusal(port), c.reason);
    EXPECT_FALSE(pop.Connected());
  }
  EXPECT_TRUE(counts.empty());
  EXPECT_EQ(disconnects, 3);
  EXPECT_TRUE(logHasLine("VANTREL_TLS_LOG", {"untrusted handshake refused"}));
  const std::string log = fileText("VANTREL_TLS_LOG");
  for (const Case& c : cases) {
    EXPECT_NE(log.find(std::string(c.name) + " accepted"), std::string::npos) << log;
    EXPECT_EQ(log.find(std::string(c.name) + " heard"), std::string::npos) << log;
  }
}

TEST_F(TlsTest, RepliesCutAcrossRecordsAndRecordsCutIntoPiecesStillMakeADialogue) {
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

TEST_F(TlsTest, APlainServerWhereTlsWasAskedForHearsNoCommand) {
  ScriptedServer server({{Act::Send, "+OK POP3 ready\r\n"}, {Act::ExpectLine}, {Act::Hold}});
  pop.Host = "127.0.0.1";
  const std::string why = refusal(server.port());
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(why.find("not a TLS refusal"), std::string::npos) << why;
  EXPECT_EQ(server.received().find("USER"), std::string::npos);
  EXPECT_EQ(server.received().find("PASS"), std::string::npos);
  EXPECT_TRUE(counts.empty());
}

TEST_F(TlsTest, ATlsTimeOutLeavesASilentServerWithoutACommand) {
  ScriptedServer server(std::vector<Act>{Act(Act::Hold)});
  pop.Host = "127.0.0.1";
  pop.TimeOut = 300;
  pop.Port = server.port();
  try {
    pop.Connect();
    ADD_FAILURE() << "no time-out";
  } catch (const ETlsError& e) {
    ADD_FAILURE() << e.what();
  } catch (const ESockError& e) {
    EXPECT_STREQ(e.what(), "Connection Timed out");
  }
  EXPECT_FALSE(pop.Connected());
  EXPECT_EQ(server.received().find("USER"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::net
