#include <gtest/gtest.h>

#include <netdb.h>
#include <cerrno>

#include "net/async_socket.h"
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
  EXPECT_EQ(winsockCode(ECONNREFUSED), 10061);
  // A connect under way is a would-block to Winsock, which the components tolerate.
  EXPECT_EQ(winsockCode(EINPROGRESS), 10035);
  EXPECT_EQ(winsockCode(ENOTCONN), 10057);
  EXPECT_EQ(platform::posix::winsockLookupCode(EAI_NONAME), 11001);
}

}  // namespace
}  // namespace vantrel::net
