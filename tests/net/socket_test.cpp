#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

#include <unistd.h>

#include "net/async_socket.h"
#include "scripted_server.h"
#include "support.h"

namespace vantrel::net {
namespace {

using testing::Act;
using testing::replies;
using testing::ScriptedServer;
using testing::thrown;

class SocketTest : public ::testing::Test {
 protected:
  void connectTo(const ScriptedServer& server) {
    socket.Host = "127.0.0.1";
    socket.Port = server.port();
    socket.Connect();
  }

  testing::Platform platform;
  TAsyncSocket socket{platform.loop, platform.sockets};
};

// The real sockets, except that making a new one fails while `failOpen` is set (the process is
// out of descriptors, for instance), and that a send answers `overcount` bytes more than it sent.
class FlakySockets : public platform::Sockets {
 public:
  explicit FlakySockets(platform::Sockets& real) : real_(real) {}
  bool failOpen = false;
  long overcount = 0;

  int acquire() override { return real_.acquire(); }
  void release() override { real_.release(); }
  platform::SocketHandle open(bool lingerAbort) override {
    return failOpen ? platform::kNoSocket : real_.open(lingerAbort);
  }
  int close(platform::SocketHandle socket) override { return real_.close(socket); }
  int connect(platform::SocketHandle socket, std::uint32_t address, std::uint16_t port) override {
    return real_.connect(socket, address, port);
  }
  int connectResult(platform::SocketHandle socket) override { return real_.connectResult(socket); }
  long send(platform::SocketHandle socket, const char* data, std::size_t length) override {
    const long sent = real_.send(socket, data, length);
    return sent > 0 ? sent + overcount : sent;
  }
  long receive(platform::SocketHandle socket, char* data, std::size_t length, bool peek) override {
    return real_.receive(socket, data, length, peek);
  }
  int lastError() const override {
    return failOpen ? platform::wsa::kTooManyFiles : real_.lastError();
  }
  std::optional<std::uint32_t> parseDotted(const std::string& text) const override {
    return real_.parseDotted(text);
  }
  std::unique_ptr<platform::HostLookup> lookup(const std::string& name,
                                               platform::EventLoop& loop) override {
    return real_.lookup(name, loop);
  }
  std::unique_ptr<platform::HostLookup> lookupThen(const std::string& name,
                                                   platform::EventLoop& loop,
                                                   std::function<void()> onFinished) override {
    return real_.lookupThen(name, loop, std::move(onFinished));
  }

 private:
  platform::Sockets& real_;
};

TEST_F(SocketTest, ReadLnKeepsTheLineEndAndLeavesTheNextLineWaiting) {
  const ScriptedServer server({{Act::Send, "+OK ready\r\nsecond\nthird"}, {Act::Hold}});
  connectTo(server);
  std::string line = "stale";
  socket.ReadLn(line);
  EXPECT_EQ(line, "+OK ready\r\n");
  socket.ReadLn(line);
  EXPECT_EQ(line, "second\n");
}

TEST_F(SocketTest, ReadLnAssemblesLinesThatArriveInPieces) {
  const ScriptedServer server({{Act::SendBytes, "+OK slow\r\n"},
                               {Act::Send, "split\r"},
                               {Act::Pause, "", 30},
                               {Act::Send, "\nrest\r\n"},
                               {Act::Hold}});
  connectTo(server);
  std::string line;
  socket.ReadLn(line);
  EXPECT_EQ(line, "+OK slow\r\n");
  socket.ReadLn(line);
  EXPECT_EQ(line, "split\r\n");
  socket.ReadLn(line);
  EXPECT_EQ(line, "rest\r\n");
}

TEST_F(SocketTest, APeerThatClosesBeforeTheLineEndsGivesAnEmptyLineAndClosesUs) {
  const ScriptedServer server({{Act::Send, "half a li"}, {Act::Close}});
  int disconnects = 0;
  socket.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  connectTo(server);
  std::string line = "stale";
  socket.ReadLn(line);
  EXPECT_EQ(line, "");
  EXPECT_FALSE(socket.Connected());
  EXPECT_EQ(disconnects, 1);
  // An unconnected socket ends a read at once, with nothing.
  socket.ReadLn(line);
  EXPECT_EQ(line, "");
}

TEST_F(SocketTest, ALineLongerThanTheBufferEndsTheConversation) {
  const ScriptedServer server({{Act::Send, std::string(100 * 1024, 'A')}, {Act::Hold}});
  connectTo(server);
  std::string line;
  EXPECT_EQ(thrown<ESockError>([&] {
              try {
                socket.ReadLn(line);
              } catch (const EAbortError&) {
                throw std::logic_error("not an abort");
              }
            }),
            "Line too long");
  EXPECT_FALSE(socket.Connected());
}

TEST_F(SocketTest, TransactionSendsTheCommandAndReadsTheLeadingNumber) {
  std::vector<Act> script =
      replies({"250 Ok\r\n", "+OK 2 320\r\n", "letters\r\n", "12345678901 too big\r\n"});
  script.insert(script.begin(), Act(Act::ExpectLine));
  const ScriptedServer server(script);
  connectTo(server);
  std::vector<std::string> statuses;
  socket.ReportLevel = 1;  // the reply lines only
  socket.OnStatus = [&](TAsyncSocket&, const std::string& status) { statuses.push_back(status); };
  std::string reply;
  socket.Transaction("HELO there", reply);
  EXPECT_EQ(reply, "250 Ok\r\n");
  EXPECT_EQ(socket.ReplyNumber(), 250);
  socket.Transaction("STAT", reply);
  EXPECT_EQ(socket.ReplyNumber(), 0);
  EXPECT_EQ(socket.LastReply(), "+OK 2 320\r\n");
  socket.Transaction("", reply);
  EXPECT_EQ(socket.ReplyNumber(), 0);
  EXPECT_THROW(socket.Transaction("BIG", reply), ERangeError);
  EXPECT_EQ(server.received(), "HELO there\r\nSTAT\r\n\r\nBIG\r\n");
  EXPECT_EQ(statuses, (std::vector<std::string>{"250 Ok\r\n", "+OK 2 320\r\n", "letters\r\n",
                                                "12345678901 too big\r\n"}));
  EXPECT_EQ(socket.StatusText(), "12345678901 too big\r\n");
}

TEST_F(SocketTest, CapturesTakeEverythingUntilThePeerCloses) {
  const ScriptedServer slow({{Act::SendBytes, "one byte per packet"}, {Act::Close}});
  connectTo(slow);
  int packets = 0;
  socket.OnPacketRecvd = [&](TAsyncSocket&) { ++packets; };
  std::string text;
  socket.CaptureString(text, -1);
  EXPECT_EQ(text, "one byte per packet");
  EXPECT_EQ(socket.BytesRecvd(), 19);
  EXPECT_GE(packets, 2);

  // The limit is looked at before each receive only.
  const ScriptedServer burst({{Act::Send, std::string(1000, 'b')}, {Act::Close}});
  socket.Disconnect();
  connectTo(burst);
  text.clear();
  for (int turn = 0; turn < 1000 && !socket.DataAvailable(); ++turn) {
    platform.loop.waitForSocket(-1, 0, platform.loop.nowMs() + 5);
  }
  socket.CaptureString(text, 100);
  EXPECT_EQ(text.size(), 1000u);
}

// Files go out whole, however many buffers they fill, and a capture keeps every byte.
TEST_F(SocketTest, SendFileAndCaptureFileCarryFilesByteForByte) {
  const auto folder = std::filesystem::temp_directory_path();
  const auto sent = (folder / ("vantrel-sent-" + std::to_string(::getpid()))).string();
  const auto captured = (folder / ("vantrel-captured-" + std::to_string(::getpid()))).string();
  const std::string request = std::string(70000, 'x') + "\r\n\r\n";
  std::ofstream(sent, std::ios::binary) << request;
  const std::string reply = std::string("binary\0\r\n\x1A\xFF", 12) + std::string(70000, 'y');
  const ScriptedServer server({{Act::ReadRequest}, {Act::Send, reply}, {Act::Close}});
  connectTo(server);
  socket.SendFile(sent);
  socket.CaptureFile(captured);
  const std::string got = testing::fileBytes(captured);
  EXPECT_EQ(server.received(), request);
  EXPECT_EQ(got, reply);
  EXPECT_THROW(socket.SendFile((folder / "vantrel-no-such-file").string()), Exception);
  std::remove(sent.c_str());
  std::remove(captured.c_str());
}

TEST_F(SocketTest, ARefusedConnectionRaisesConnectionFailedAndLeavesTheComponentUsable) {
  int failures = 0;
  socket.OnConnectionFailed = [&](TAsyncSocket&) { ++failures; };
  socket.Host = "127.0.0.1";
  socket.Port = testing::refusingPort();
  EXPECT_EQ(thrown<ESockError>([&] { socket.Connect(); }), "Connection Failed");
  EXPECT_EQ(failures, 1);
  EXPECT_FALSE(socket.Connected());

  const ScriptedServer server({{Act::Send, "hello\r\n"}, {Act::Hold}});
  connectTo(server);
  std::string line;
  socket.ReadLn(line);
  EXPECT_EQ(line, "hello\r\n");
}

TEST_F(SocketTest, ConnectTwiceIsRefusedAndReconnectAfterDisconnectWorks) {
  const ScriptedServer server({{Act::Send, "hi\r\n"}, {Act::Hold}}, 2);
  int connects = 0;
  int disconnects = 0;
  socket.OnConnect = [&](TAsyncSocket&) { ++connects; };
  socket.OnDisconnect = [&](TAsyncSocket&) { ++disconnects; };
  connectTo(server);
  EXPECT_THROW(socket.Connect(), ESockError);
  socket.Disconnect();
  EXPECT_FALSE(socket.Connected());
  connectTo(server);
  std::string line;
  socket.ReadLn(line);
  EXPECT_EQ(line, "hi\r\n");
  EXPECT_EQ(connects, 2);
  EXPECT_EQ(disconnects, 1);
}

TEST_F(SocketTest, AReplacementSocketThatCouldNotBeMadeIsMadeByTheNextConnect) {
  FlakySockets flaky(platform.sockets);
  TAsyncSocket flakySocket(platform.loop, flaky);
  const ScriptedServer server({{Act::Send, "hi\r\n"}, {Act::Hold}}, 2);
  flakySocket.Host = "127.0.0.1";
  flakySocket.Port = server.port();
  flakySocket.Connect();
  flaky.failOpen = true;
  EXPECT_THROW(flakySocket.Disconnect(), ESockError);
  EXPECT_FALSE(flakySocket.Connected());
  EXPECT_THROW(flakySocket.Connect(), ESockError);  // still no descriptor to be had
  flaky.failOpen = false;
  flakySocket.Connect();
  std::string line;
  flakySocket.ReadLn(line);
  EXPECT_EQ(line, "hi\r\n");
}

TEST_F(SocketTest, ASendThatCountsMoreThanItWasGivenEndsTheConversationThere) {
  FlakySockets flaky(platform.sockets);
  TAsyncSocket flakySocket(platform.loop, flaky);
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  flakySocket.Host = "127.0.0.1";
  flakySocket.Port = server.port();
  flakySocket.Connect();
  flaky.overcount = 5;
  EXPECT_EQ(thrown<ESockError>([&] { flakySocket.Writeln("QUIT"); }),
            "Socket send counted more bytes than it was given");
  EXPECT_FALSE(flakySocket.Connected());
}

TEST_F(SocketTest, NamesAreLookedUpButDottedAddressesAreNot) {
  const ScriptedServer server({{Act::Hold}}, 2);
  int resolved = 0;
  socket.OnHostResolved = [&](TAsyncSocket&) { ++resolved; };
  connectTo(server);
  EXPECT_EQ(resolved, 0);
  socket.Disconnect();
  socket.Host = "localhost";
  socket.Connect();
  EXPECT_EQ(resolved, 1);
  EXPECT_EQ(socket.RemoteAddress().address, 0x0100007fu);
}

TEST_F(SocketTest, AnUnknownHostAsksOnInvalidHostOnceForOneMoreAttempt) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  socket.Port = server.port();
  socket.Host = "no-such-host.invalid";
  int asked = 0;
  socket.OnInvalidHost = [&](bool& handled) {
    ++asked;
    handled = true;
  };
  EXPECT_EQ(thrown<ESockError>([&] { socket.Connect(); }), "Null Remote Address");
  EXPECT_EQ(asked, 1);

  socket.OnInvalidHost = [&](bool& handled) {
    ++asked;
    socket.Host = "127.0.0.1";
    handled = true;
  };
  socket.Host = "no-such-host.invalid";
  socket.Connect();
  EXPECT_TRUE(socket.Connected());
  EXPECT_EQ(asked, 2);
}

TEST_F(SocketTest, ATimeOutEndsAWaitOnASilentServerWithAnAbort) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  connectTo(server);
  socket.TimeOut = 200;
  int ticks = 0;
  const auto timer = platform.loop.startTimer(10, [&] { ++ticks; });
  std::string line;
  EXPECT_THROW(socket.ReadLn(line), EAbortError);
  platform.loop.stopTimer(timer);
  EXPECT_TRUE(socket.TimedOut());
  EXPECT_FALSE(socket.Canceled());
  EXPECT_GT(ticks, 0);
  // The component is still connected and usable for the next wait.
  EXPECT_TRUE(socket.Connected());
}

TEST_F(SocketTest, ACancelFromTheProgramsTimerEndsAWaitWithoutTimeOut) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  connectTo(server);
  int ticks = 0;
  const auto timer = platform.loop.startTimer(5, [&] {
    if (++ticks == 3) socket.Abort();
  });
  std::string text;
  EXPECT_EQ(thrown<EAbortError>([&] { socket.CaptureString(text, -1); }), "Socket capture aborted");
  platform.loop.stopTimer(timer);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(socket.TimedOut());
}

TEST_F(SocketTest, ATimeOutCountsFromItsFirstArmingEvenWhileDataKeepsComing) {
  const ScriptedServer server({{Act::Flood, std::string(512, 'f')}});
  connectTo(server);
  socket.TimeOut = 300;
  std::string text;
  EXPECT_THROW(socket.CaptureString(text, -1), EAbortError);
  EXPECT_GT(socket.BytesRecvd(), 0);
  EXPECT_EQ(text.size(), static_cast<std::size_t>(socket.BytesRecvd()));
}

TEST_F(SocketTest, EveryCallFromInsideItsOwnWaitIsRefusedAndTheWaitGoesOn) {
  const ScriptedServer server({{Act::Pause, "", 150}, {Act::Send, "late\r\n"}, {Act::Hold}});
  connectTo(server);
  std::string scratch;
  const std::vector<std::function<void()>> nested = {
      [&] { socket.Connect(); },       [&] { socket.ResolveHost(); },
      [&] { socket.ReadLn(scratch); }, [&] { socket.Transaction("NOOP", scratch); },
      [&] { socket.Write("NOOP"); },   [&] { socket.CaptureString(scratch, -1); },
  };
  std::vector<std::string> refusals;
  std::size_t next = 0;
  const auto timer = platform.loop.startTimer(5, [&] {
    if (next == nested.size()) return;
    refusals.push_back(thrown<ESockError>(nested[next++]));
  });
  std::string line;
  socket.ReadLn(line);
  platform.loop.stopTimer(timer);
  EXPECT_EQ(line, "late\r\n");
  EXPECT_EQ(refusals, std::vector<std::string>(nested.size(),
                                               "Socket busy: called from inside its own wait"));
  EXPECT_EQ(server.received(), "");
  EXPECT_TRUE(socket.Connected());
}

TEST_F(SocketTest, AnInterruptedLookupRaisesItsOwnErrorType) {
  socket.Host = "localhost";
  socket.Cancel();
  EXPECT_THROW(socket.ResolveHost(), ELookupInterrupted);
}

TEST_F(SocketTest, AConnectWhileTheProgramEndsIsCancelledWithoutAFailureEvent) {
  const ScriptedServer server(std::vector<Act>{{Act::Hold}});
  int failures = 0;
  socket.OnConnectionFailed = [&](TAsyncSocket&) { ++failures; };
  platform.loop.quit();
  EXPECT_EQ(thrown<EAbortError>([&] { connectTo(server); }), "Connection Canceled");
  EXPECT_EQ(failures, 0);
  EXPECT_FALSE(socket.Connected());
}

// A cancel that a nested wait of another component happened to take must still end the wait it
// interrupted, not leave it blocked until its server gives up.
TEST_F(SocketTest, ATimeOutThatFiresDuringAnotherComponentsWaitStillEndsOurs) {
  const ScriptedServer ours(std::vector<Act>{{Act::Hold}});
  const ScriptedServer theirs({{Act::Pause, "", 600}, {Act::Send, "theirs\r\n"}, {Act::Hold}});
  connectTo(ours);
  TAsyncSocket other(platform.loop, platform.sockets);
  other.Host = "127.0.0.1";
  other.Port = theirs.port();
  other.Connect();
  std::string theirLine;
  bool started = false;
  const auto timer = platform.loop.startTimer(5, [&] {
    if (std::exchange(started, true)) return;
    other.ReadLn(theirLine);
  });
  socket.TimeOut = 100;
  const auto start = std::chrono::steady_clock::now();
  std::string line;
  EXPECT_THROW(socket.ReadLn(line), EAbortError);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  platform.loop.stopTimer(timer);
  EXPECT_EQ(theirLine, "theirs\r\n");
  EXPECT_TRUE(socket.TimedOut());
  EXPECT_LT(elapsed, std::chrono::seconds(2));
}

}  // namespace
}  // namespace vantrel::net
