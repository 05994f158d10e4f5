#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "net/http_client.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::ScriptedServer;
using testing::thrown;

class HttpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    http.Host = "127.0.0.1";
    http.OnSuccess = [this](CmdType cmd) { outcomes.push_back("success " + kind(cmd)); };
    http.OnFailure = [this](CmdType cmd) { outcomes.push_back("failure " + kind(cmd)); };
    http.OnConnect = [this](TAsyncSocket&) { ++connections; };
  }

  static std::string kind(CmdType cmd) { return std::to_string(static_cast<int>(cmd)); }

  // The bytes the HTTP server received for the last answer.
  std::string request() const {
    return testing::base64Decode(testing::headerLine(http.Header, "X-Request"));
  }

  testing::Platform platform;
  THttpClient http{platform.loop, platform.sockets};
  std::vector<std::string> outcomes;
  int connections = 0;
};

// Against the HTTP server that scripts/test-net starts.
class HttpServerTest : public HttpTest {
 protected:
  void SetUp() override {
    HttpTest::SetUp();
    VANTREL_SERVER_PORT(found, "VANTREL_HTTP_PORT");
    http.Port = port = found;
  }

  int port = 0;
};

const std::string kAccept =
    "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
    "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";

// --- request building -----------------------------------------------------------------------

TEST_F(HttpTest, APathOnlyUrlKeepsHostAndPort) {
  http.Host = "updates.example.com";
  http.Port = 80;
  http.RequestURL = "/checkupdate.php?logiciel=Vantrel&version=2.2";
  http.ParseURL();
  EXPECT_EQ(http.Host, "updates.example.com");
  EXPECT_EQ(http.Port, 80);
  EXPECT_EQ(http.RequestPath, "/checkupdate.php?logiciel=Vantrel&version=2.2");

  // A ":" anywhere makes the text before it a scheme, which resets the port.
  http.Port = 8080;
  http.RequestURL = "/q?t=12:30";
  http.ParseURL();
  EXPECT_EQ(http.Port, 80);
  EXPECT_EQ(http.Host, "updates.example.com");
}

TEST_F(HttpTest, AFullUrlSetsHostPortAndPath) {
  http.RequestURL = "http://www.example.org:8080/dir/page.php?a=b";
  http.ParseURL();
  EXPECT_EQ(http.Host, "www.example.org");
  EXPECT_EQ(http.Port, 8080);
  EXPECT_EQ(http.RequestPath, "/dir/page.php?a=b");

  http.RequestURL = "http://other.example.org/";
  http.ParseURL();
  EXPECT_EQ(http.Host, "other.example.org");
  EXPECT_EQ(http.Port, 80);
  EXPECT_EQ(http.RequestPath, "/");
  EXPECT_EQ(http.RequestURL, "http://other.example.org//");

  http.RequestURL = "http://bare.example.org";
  http.ParseURL();
  EXPECT_EQ(http.RequestPath, "/");
  EXPECT_EQ(http.RequestURL, "http://bare.example.org/");

  http.RequestURL = "ftp://files.example.org/x";
  http.ParseURL();
  EXPECT_EQ(http.Port, 21);
  http.RequestURL = "Gopher://hole.example.org/x";
  http.ParseURL();
  EXPECT_EQ(http.Port, 70);

  http.RequestURL = "plain.example.org:81/x";
  http.ParseURL();
  EXPECT_EQ(http.Host, "plain.example.org");
  EXPECT_EQ(http.Port, 81);
  EXPECT_EQ(http.RequestPath, "/x");
}

TEST_F(HttpTest, PathsAreCutAt256Characters) {
  http.RequestURL = "/" + std::string(300, 'p');
  http.ParseURL();
  EXPECT_EQ(http.RequestPath.size(), 256u);
}

TEST_F(HttpTest, BadUrlsFailBeforeAnyConnection) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  http.Port = server.port();
  const auto message = [&](const std::string& url) { return thrown([&] { http.Get(url); }); };
  EXPECT_EQ(message(""), "Empty URL");
  EXPECT_EQ(message("https://secure.example.org/"), "HTTP Secure Socket is not supported");
  EXPECT_THROW(http.Get("http://127.0.0.1:8o/"), EConvertError);
  EXPECT_EQ(server.accepted(), 0);
}

TEST_F(HttpTest, HeaderLinesComeInTheirOrderWithTheOptionalOnes) {
  http.Host = "h.example.org";
  http.RequestURL = "/x";
  http.RequestKind = CmdType::Link;
  http.LinkParam = "<a>";
  http.SendData = "Send.dat";
  http.HeaderInfo = {"me@example.org", "Vantrel/2.2", "k=v", "http://ref/", "user", "pass"};
  http.ParseURL();
  http.BuildRequestHeader();
  std::string lines;
  for (int i = 0; i < http.HeaderList.Count(); ++i) lines += http.HeaderList[i] + "\n";
  EXPECT_EQ(lines,
            "LINK /x HTTP/1.0\nHost: h.example.org\n"
            "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\n"
            "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\n"
            "User-Agent: Vantrel/2.2\nFrom: me@example.org\nCookie: k=v\nReferer: http://ref/\n"
            "Authorization: Basic dXNlcjpwYXNz\n"
            "Content-type: application/x-www-form-urlencoded\nLink: <a>\nContent-Length: 8\n");

  http.Proxy = "proxy.example.org";
  http.RequestKind = CmdType::Copy;
  http.HeaderInfo = {};
  http.BuildRequestHeader();
  EXPECT_EQ(http.HeaderList[0], "COPY /x HTTP/1.0");
  EXPECT_EQ(http.HeaderList[1], "Proxy-Connection: Keep-Alive");
  EXPECT_EQ(http.HeaderList[2], "Host: h.example.org");
  EXPECT_EQ(http.HeaderList[3].substr(0, 7), "Accept:");
  EXPECT_EQ(http.HeaderList[http.HeaderList.Count() - 1], "URI-header: <a>");
}

TEST(ExStringList, FindsHeadersByNameWithoutCaseAndSetsOrRemovesThem) {
  TExStringList list;
  list.Add("no colon here");
  list.Add("Host: a");
  list.Add("X-Long-Name: 1");
  EXPECT_EQ(list.IndexOfHeader("HOST"), 1);
  EXPECT_EQ(list.IndexOfHeader("X-Long"), -1);
  EXPECT_EQ(list.IndexOfHeader("no colon here"), -1);
  list.SetHeader("host", "b");
  EXPECT_EQ(list[1], "host: b");
  list.SetHeader("Cookie", "c=1");
  EXPECT_EQ(list[3], "Cookie: c=1");
  list.SetHeader("X-LONG-NAME", "");
  list.SetHeader("Absent", "");
  EXPECT_EQ(list.Count(), 3);
}

// --- against the HTTP server ----------------------------------------------------------------

TEST_F(HttpServerTest, TheUpdateCheckReachesTheServerExactlyAsBuilt) {
  const std::string target =
      "/checkupdate.php?logiciel=Vantrel&version=2.2&oeversion=6.00.2900.5512"
      "&winversion=5.1.2600&winmisc=Service+Pack+2";
  http.Get(target);
  EXPECT_EQ(request(), "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept +
                           "Content-type: application/x-www-form-urlencoded\r\n\r\n");
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
  EXPECT_EQ(http.Body, "2.3");
  EXPECT_EQ(http.BytesTotal(), 3);
  EXPECT_EQ(http.ReplyNumber(), 200);
  EXPECT_EQ(http.Header.substr(0, 17), "HTTP/1.0 200 OK\r\n");
  EXPECT_EQ(http.Header.substr(http.Header.size() - 4), "\r\n\r\n");
  EXPECT_EQ(http.Port, port);
  EXPECT_FALSE(http.Connected());
}

TEST_F(HttpServerTest, AnErrorStatusRaisesOnFailureAndKeepsTheBody) {
  EXPECT_NO_THROW(http.Get("/missing"));
  EXPECT_EQ(outcomes, std::vector<std::string>{"failure 0"});
  EXPECT_EQ(http.ReplyNumber(), 404);
  EXPECT_EQ(http.Body, "not here");
}

TEST_F(HttpServerTest, ARedirectionIsFollowedOnANewConnectionWithItsCookie) {
  http.Get("/redirect");
  EXPECT_EQ(connections, 2);
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
  EXPECT_EQ(http.RequestURL, "http://127.0.0.1:" + std::to_string(port) + "/echo/after");
  EXPECT_EQ(http.Location, http.RequestURL);
  EXPECT_EQ(http.Body, "GET /echo/after HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept +
                           "Cookie: session=abc123\r\n"
                           "Content-type: application/x-www-form-urlencoded\r\n\r\n");
}

TEST_F(HttpServerTest, OnRedirectCanEndTheCycleAtTheFirstAnswer) {
  http.OnRedirect = [](bool& handled) { handled = true; };
  http.Get("/redirect");
  EXPECT_EQ(connections, 1);
  EXPECT_TRUE(outcomes.empty());
  EXPECT_EQ(http.ReplyNumber(), 302);
  EXPECT_EQ(http.HeaderInfo.Cookie, "session=abc123");
}

TEST_F(HttpServerTest, AServerThatClosesWithoutAnswerGivesSuccessWithAnEmptyBody) {
  http.Get("/silent");
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
  EXPECT_EQ(http.Body, "");
  EXPECT_EQ(http.Header, "");
  EXPECT_EQ(http.ReplyNumber(), 0);
}

TEST_F(HttpServerTest, AServerThatNeverAnswersEndsWithinTheRequestBound) {
  http.RequestTimeOut = 1000;
  const auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(thrown<ESockError>([&] { http.Get("/hold"); }), "Request Timed Out");
  const auto took = std::chrono::steady_clock::now() - began;
  EXPECT_GE(took, std::chrono::milliseconds(1000));
  EXPECT_LT(took, std::chrono::milliseconds(3000));
  EXPECT_TRUE(http.RequestTimedOut());
  EXPECT_TRUE(outcomes.empty());
  EXPECT_FALSE(http.Connected());

  // The bound is per request: the next one starts afresh.
  http.Get("/checkupdate.php");
  EXPECT_FALSE(http.RequestTimedOut());
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
}

TEST_F(HttpServerTest, TheBodyBoundKeepsAnAnswerThatFitsAndEndsAnEndlessOne) {
  http.MaxBodySize = 3;
  http.Get("/checkupdate.php");
  EXPECT_EQ(http.Body, "2.3");

  http.MaxBodySize = 4096;
  EXPECT_EQ(thrown<ESockError>([&] { http.Get("/endless"); }), "Answer too long");
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
  EXPECT_EQ(http.Body, std::string(4096, '9'));
  EXPECT_LT(http.Body.capacity(), 2 * TAsyncSocket::kIoBufferSize);
  EXPECT_FALSE(http.Connected());
}

TEST_F(HttpServerTest, PostSendsItsEncodedDataWithItsLength) {
  http.Post("/echo/form", "a b=1&c");
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 3"});
  EXPECT_EQ(http.Body.substr(0, 26), "POST /echo/form HTTP/1.0\r\n");
  EXPECT_NE(http.Body.find("\r\nContent-Length: 11\r\n\r\na+b%3D1%26c"), std::string::npos);
}

TEST_F(HttpServerTest, FileModesPutTheAnswerAndTakeTheRequestDataFromFiles) {
  const auto dir =
      std::filesystem::temp_directory_path() /
      ("vantrel-http-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
       std::to_string(port));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "send.txt", std::ios::binary) << std::string(70000, 's');
  http.InputFileMode = true;
  http.OutputFileMode = true;
  http.Body = (dir / "body.txt").string();
  http.Header = (dir / "head.txt").string();
  int packetsSent = 0;
  http.OnPacketSent = [&](TAsyncSocket&) { ++packetsSent; };
  http.Put("/echo/file", (dir / "send.txt").string());
  const std::string body = testing::fileBytes(dir / "body.txt");
  EXPECT_EQ(body.substr(0, 25), "PUT /echo/file HTTP/1.0\r\n");
  EXPECT_NE(body.find("Content-Length: 70000\r\n\r\n" + std::string(70000, 's')),
            std::string::npos);
  EXPECT_EQ(testing::fileBytes(dir / "head.txt").substr(0, 17), "HTTP/1.0 200 OK\r\n");
  EXPECT_GE(packetsSent, 2);
  std::filesystem::remove_all(dir);
}

// --- scripted servers -----------------------------------------------------------------------

TEST_F(HttpTest, AHeaderLineLongerThanTheBufferEndsTheRequestWithoutAnOutcome) {
  const ScriptedServer server(
      {{Act::ReadRequest},
       {Act::Send, "HTTP/1.0 200 OK\r\nX-Huge: " + std::string(100 * 1024, 'h') + "\r\n\r\nbody"},
       {Act::Hold}});
  http.Port = server.port();
  EXPECT_EQ(thrown<ESockError>([&] { http.Get("/"); }), "Line too long");
  EXPECT_TRUE(outcomes.empty());
  EXPECT_FALSE(http.Connected());
}

TEST_F(HttpTest, ABodyThatNeverEndsIsCutByTheTimeOut) {
  const ScriptedServer server({{Act::ReadRequest},
                               {Act::Send, "HTTP/1.0 200 OK\r\n\r\n"},
                               {Act::Flood, std::string(1024, 'b')}});
  http.Port = server.port();
  http.TimeOut = 300;
  int ticks = 0;
  const auto timer = platform.loop.startTimer(10, [&] { ++ticks; });
  EXPECT_EQ(thrown<EAbortError>([&] { http.Get("/endless"); }), "Socket capture aborted");
  platform.loop.stopTimer(timer);
  EXPECT_TRUE(outcomes.empty());
  EXPECT_GT(http.BytesRecvd(), 0);
  EXPECT_GT(ticks, 0);
  EXPECT_FALSE(http.Connected());
}

TEST_F(HttpTest, EndlessHeaderLinesAreCutAtTheHeaderBound) {
  const ScriptedServer server(
      {{Act::ReadRequest}, {Act::Send, "HTTP/1.0 200 OK\r\n"}, {Act::Flood, "X-Filler: abc\r\n"}});
  http.Port = server.port();
  http.MaxHeaderSize = 1024;
  EXPECT_EQ(thrown<ESockError>([&] { http.Get("/"); }), "Header too long");
  EXPECT_TRUE(outcomes.empty());
  EXPECT_LE(http.Header.size(), 1024u);
  EXPECT_FALSE(http.Connected());
}

TEST_F(HttpTest, ARedirectionLoopStopsAfterTwentyRounds) {
  const ScriptedServer server({{Act::ReadRequest},
                               {Act::Send, "HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n"},
                               {Act::Close}},
                              THttpClient::kMaxRounds + 5);
  http.Port = server.port();
  EXPECT_EQ(thrown<Exception>([&] { http.Get("/again"); }), "Too many redirections");
  EXPECT_EQ(connections, THttpClient::kMaxRounds);
}

TEST_F(HttpTest, StatusLinesThatAreNotHttpCountAsSuccess) {
  const ScriptedServer server(
      {{Act::ReadRequest}, {Act::Send, "SSH-2.0-OpenSSH_9.2\r\n\r\nwhatever"}, {Act::Close}});
  http.Port = server.port();
  http.Get("/");
  EXPECT_EQ(outcomes, std::vector<std::string>{"success 0"});
  EXPECT_EQ(http.ReplyNumber(), 0);
  EXPECT_EQ(http.Body, "whatever");

  // A status line without a reason phrase ends in its code.
  for (const std::string line : {"HTTP/1.1 200\r\n", "HTTP/1.0 404\n"}) {
    SCOPED_TRACE(line);
    const ScriptedServer noReason({{Act::ReadRequest}, {Act::Send, line + "\r\nx"}, {Act::Close}});
    http.Port = noReason.port();
    http.Get("/");
    EXPECT_EQ(http.ReplyNumber(), std::stoi(line.substr(9)));
    EXPECT_EQ(http.Body, "x");
  }
}

TEST_F(HttpTest, HeaderValuesAreReadOnlyWhenASpaceFollowsTheColon) {
  const ScriptedServer server(
      {{Act::ReadRequest},
       {Act::Send, "HTTP/1.0 500 Oops\r\nset-cookie: a=" + std::string(300, 'c') +
                       "\r\nLocation:nospace\r\ncontent-length: x12y3\r\n\r\n"},
       {Act::Close}});
  http.Port = server.port();
  http.Location = "kept";
  http.Get("/");
  EXPECT_EQ(outcomes, std::vector<std::string>{"failure 0"});
  EXPECT_EQ(http.ReceivedCookie.size(), 256u);
  EXPECT_EQ(http.Location, "kept");
  EXPECT_EQ(http.BytesTotal(), 12);
}

TEST_F(HttpTest, ARefusedConnectionRaisesOnConnectionFailed) {
  int failed = 0;
  http.OnConnectionFailed = [&](TAsyncSocket&) { ++failed; };
  http.Port = testing::refusingPort();
  EXPECT_THROW(http.Get("/"), ESockError);
  EXPECT_EQ(failed, 1);
  EXPECT_TRUE(outcomes.empty());
}

}  // namespace
}  // namespace vantrel::net
