#include <gtest/gtest.h>

#include <netdb.h>
#include <cerrno>

#include "net/async_socket.h"
#include "net/pop3_client.h"
#include "net/text.h"
#include "support.h"

namespace vantrel::net {
namespace {

TEST(NthField, SplitsAtEverySeparatorAndKeepsTheLineEndInTheLastField) {
  const std::string reply = "+OK 2 320\r\n";
  EXPECT_EQ(NthField(reply, ' ', 1), "+OK");
  EXPECT_EQ(NthField(reply, ' ', 2), "2");
  EXPECT_EQ(NthField(reply, ' ', 3), "320\r\n");
  EXPECT_EQ(NthField(reply, ' ', 4), "");
  EXPECT_EQ(NthField("a  b", ' ', 2), "");
  EXPECT_EQ(NthField("a  b", ' ', 3), "b");
  EXPECT_EQ(NthField("", ' ', 1), "");
  EXPECT_EQ(NthField("whole line\r\n", '/', 1), "whole line\r\n");
  EXPECT_EQ(NthField("http://host:8080/path", '/', 3), "host:8080");
  EXPECT_EQ(NthField("x", ' ', 0), "");
}

TEST(NthCharPos, CountsFromOneAndAnswersPastTheEndForAMissingOrFinalOccurrence) {
  EXPECT_EQ(NthCharPos("http://host/path", '/', 3), 12u);
  EXPECT_EQ(NthCharPos("http://host/", '/', 3), 13u);  // the last character
  EXPECT_EQ(NthCharPos("http://host", '/', 3), 12u);
  EXPECT_EQ(NthCharPos("", '/', 1), 1u);
  EXPECT_EQ(NthCharPos("a/b", '/', 1), 2u);
  EXPECT_EQ(NthCharPos("a/b", '/', 0), 4u);
}

TEST(ToInteger, AcceptsOnlyAWholeDecimalNumber) {
  EXPECT_EQ(ToInteger("3"), 3);
  EXPECT_EQ(ToInteger("-12"), -12);
  EXPECT_EQ(ToInteger("+7"), 7);
  EXPECT_EQ(ToInteger("3\r\n"), std::nullopt);
  EXPECT_EQ(ToInteger(""), std::nullopt);
  EXPECT_EQ(ToInteger("+"), std::nullopt);
  EXPECT_EQ(ToInteger("++1"), std::nullopt);
  EXPECT_EQ(ToInteger("12abc"), std::nullopt);
  EXPECT_EQ(ToInteger("99999999999999999999999"), std::nullopt);
}

TEST(Pop3Reply, IsPositiveWhenItsFirstFieldHoldsPlusOk) {
  EXPECT_TRUE(IsPositive("+OK Dovecot ready.\r\n"));
  EXPECT_TRUE(IsPositive("+OK\r\n"));
  EXPECT_TRUE(IsPositive("x+OKy rest"));
  EXPECT_FALSE(IsPositive("-ERR busy\r\n"));
  EXPECT_FALSE(IsPositive("-ERR +OK\r\n"));
  EXPECT_FALSE(IsPositive(""));
}

TEST(ErrorText, GivesCodeAndTextOrTheUnknownLine) {
  testing::Platform platform;
  TAsyncSocket socket(platform.loop, platform.sockets);
  EXPECT_EQ(socket.ErrorText(10061), "10061:Connection refused");
  EXPECT_EQ(socket.ErrorText(11004), "11004:Valid name, no data record of requested type");
  EXPECT_EQ(socket.ErrorText(10065), "10065:No route to Host");
  EXPECT_EQ(socket.ErrorText(12345), "Unknown Error No. 12345");
  EXPECT_EQ(socket.ErrorText(10000), "Unknown Error No. 10000");
  EXPECT_EQ(socket.ErrorText(0), "");
}

TEST(WinsockCodes, LinuxErrorsReadAsWinsockOnes) {
  using platform::posix::winsockCode;
  using platform::posix::winsockLookupCode;
  EXPECT_EQ(winsockCode(ECONNREFUSED), 10061);
  EXPECT_EQ(winsockCode(EAGAIN), 10035);
  EXPECT_EQ(winsockCode(EINPROGRESS), 10035);
  EXPECT_EQ(winsockCode(ENOTCONN), 10057);
  EXPECT_EQ(winsockCode(ECONNRESET), 10054);
  EXPECT_EQ(winsockCode(EPIPE), 10054);
  EXPECT_EQ(winsockCode(ETIMEDOUT), 10060);
  EXPECT_EQ(winsockLookupCode(EAI_NONAME), 11001);
  EXPECT_EQ(winsockLookupCode(EAI_AGAIN), 11002);
}

}  // namespace
}  // namespace vantrel::net
