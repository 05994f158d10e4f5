// The IMAP push session and the seam under it on the stand-in platform, where the virtual clock
// makes minutes of IDLE cost nothing: renewals on time, a renewal left unanswered, a change heard
// in the middle of a check's wait, closing at once, and the network signal.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/imap_push_session.h"
#include "net/pop3_client.h"
#include "platform/standin/standin_network.h"
#include "platform/standin/standin_sockets.h"
#include "standin_mail_server.h"

namespace vantrel::testing {
namespace {

using net::ImapPushSession;
using platform::standin::ipv4;
using platform::standin::StandinConnection;

constexpr std::uint32_t kServer = ipv4(10, 0, 0, 7);
constexpr std::uint32_t kAnswerMs = 30'000;
constexpr std::uint32_t kRenewMs = 9 * 60'000;

// A server that offers IDLE and ESEARCH, counts `unseen`, and tells of each delivery.
struct IdleState {
  int unseen = 2;
  bool answersDone = true;            // false: silent once idling, as a dead connection is
  std::vector<std::string> commands;  // without their tags
};

class IdleServer final : public StandinConnection {
 public:
  IdleServer(std::shared_ptr<IdleState> state, IdleServer*& open) : state_(state), open_(open) {
    open_ = this;
  }
  ~IdleServer() override { open_ = nullptr; }

  std::string greeting() override { return "* OK ready\r\n"; }

  std::string received(std::string_view bytes) override {
    std::string answer;
    for (const std::string& line : lines_.add(bytes)) {
      const auto [tag, command] = firstWord(line);
      state_->commands.push_back(tag == "DONE" ? tag : command);
      answer += answerTo(tag, firstWord(command).first);
    }
    return answer;
  }

  void deliver() {
    ++state_->unseen;
    say("* " + std::to_string(state_->unseen + 3) + " EXISTS\r\n");
  }

 private:
  std::string answerTo(const std::string& tag, const std::string& verb) {
    const std::string ok = tag + " OK done\r\n";
    if (tag == "DONE") return state_->answersDone ? idleTag_ + " OK Idle completed\r\n" : "";
    if (verb == "CAPABILITY") return "* CAPABILITY IMAP4rev1 IDLE ESEARCH\r\n" + ok;
    if (verb == "SEARCH" || verb == "UID") {
      return "* ESEARCH (TAG \"" + tag + "\") UID COUNT " + std::to_string(state_->unseen) +
             "\r\n" + ok;
    }
    if (verb == "IDLE") {
      idleTag_ = tag;
      return "+ idling\r\n";
    }
    if (verb == "LOGOUT") return "* BYE\r\n" + ok;
    return ok;  // LOGIN, EXAMINE
  }

  std::shared_ptr<IdleState> state_;
  IdleServer*& open_;
  StandinCommandLines lines_;
  std::string idleTag_;
};

struct PushBed {
  PushBed() {
    sockets.addHost("imap.example.com", kServer);
    sockets.listen(kServer, 143, [this] { return std::make_unique<IdleServer>(state, server); });
  }

  std::unique_ptr<ImapPushSession> start() {
    ImapPushSession::Account account;
    account.host = "imap.example.com";
    account.user = "ann";
    account.password = "secret";
    return std::make_unique<ImapPushSession>(
        loop, sockets, account, ImapPushSession::Timing{kAnswerMs, kRenewMs},
        ImapPushSession::Handlers{
            [this](const ImapPushSession::Count& count) {
              counts.push_back(count.unseen);
              countedAt.push_back(loop.nowMs());
            },
            [this] { ++idlings; },
            [this](const ImapPushSession::End& end) { ends.push_back(end); }});
  }

  // The commands heard since the last call.
  std::vector<std::string> heard() { return std::exchange(state->commands, {}); }

  platform::standin::StandinEventLoop loop;
  platform::standin::StandinSockets sockets{loop};
  std::shared_ptr<IdleState> state = std::make_shared<IdleState>();
  IdleServer* server = nullptr;
  std::vector<int> counts;
  std::vector<std::uint64_t> countedAt;
  int idlings = 0;
  std::vector<ImapPushSession::End> ends;
};

using Commands = std::vector<std::string>;

TEST(PushSession, CountsAtOnceAndAtEachChangeAndRenewsIdleOnTimeWithoutCounting) {
  PushBed bed;
  const auto session = bed.start();
  bed.loop.runFor(1000);
  EXPECT_EQ(bed.counts, std::vector<int>{2});
  EXPECT_TRUE(session->idling());
  EXPECT_EQ(bed.heard(),
            (Commands{"CAPABILITY", "LOGIN \"ann\" \"secret\"", "CAPABILITY", "EXAMINE \"INBOX\"",
                      "UID SEARCH RETURN (COUNT) UNSEEN", "IDLE"}));
  const std::uint64_t idleSince = bed.loop.nowMs();

  bed.loop.atTime(60'000, [&] { bed.server->deliver(); });
  bed.loop.runFor(60'000);
  EXPECT_EQ(bed.counts, (std::vector<int>{2, 3}));
  EXPECT_EQ(bed.countedAt.back(), 60'000u);
  EXPECT_EQ(bed.heard(), (Commands{"DONE", "UID SEARCH RETURN (COUNT) UNSEEN", "IDLE"}));

  // Renewed a whole interval after IDLE was last taken, not after the first time.
  bed.loop.runFor(60'000 + kRenewMs - bed.loop.nowMs() - 1);
  EXPECT_TRUE(bed.heard().empty());
  bed.loop.runFor(1);
  EXPECT_EQ(bed.heard(), (Commands{"DONE", "IDLE"}));
  EXPECT_EQ(bed.counts.size(), 2u);
  EXPECT_EQ(bed.idlings, 3);
  EXPECT_GT(bed.loop.nowMs(), idleSince + kRenewMs);

  // Closing takes no time: LOGOUT goes out, the socket is closed, nobody is told of an end.
  const std::uint64_t closing = bed.loop.nowMs();
  session->close();
  EXPECT_EQ(bed.loop.nowMs(), closing);
  EXPECT_EQ(bed.heard(), (Commands{"DONE", "LOGOUT"}));
  EXPECT_EQ(bed.sockets.openSockets(), 0);
  bed.loop.runFor(kAnswerMs);
  EXPECT_TRUE(bed.ends.empty());
  EXPECT_EQ(bed.loop.activeTimers(), 0u);
  EXPECT_EQ(bed.loop.activeWatches(), 0u);
}

TEST(PushSession, ARenewalLeftUnansweredEndsTheSessionOneTimeOutLater) {
  PushBed bed;
  bed.state->answersDone = false;
  const auto session = bed.start();
  bed.loop.runFor(kRenewMs + kAnswerMs);
  ASSERT_TRUE(bed.ends.empty());
  bed.loop.runFor(1000);
  ASSERT_EQ(bed.ends.size(), 1u);
  EXPECT_EQ(bed.ends[0].reason, ImapPushSession::EndReason::Dropped);
  ASSERT_TRUE(bed.ends[0].connection);
  EXPECT_EQ(bed.ends[0].connection->why, net::ConnectionEnd::Why::TimedOut);
  EXPECT_EQ(bed.sockets.openSockets(), 0);
}

// A POP3 server that accepts the connection and never says a word.
class SilentServer final : public StandinConnection {
 public:
  std::string received(std::string_view) override { return {}; }
};

TEST(PushSession, AChangeIsCountedWhileACheckWaitsForItsServer) {
  PushBed bed;
  const auto session = bed.start();
  bed.loop.runFor(1000);
  bed.sockets.listen(kServer, 110, [] { return std::make_unique<SilentServer>(); });
  net::TPop3Client pop(bed.loop, bed.sockets);
  pop.Host = "imap.example.com";
  pop.UserID = "ann";
  pop.Password = "secret";
  pop.TimeOut = 20'000;
  bed.loop.atTime(5000, [&] { bed.server->deliver(); });
  EXPECT_THROW(pop.Connect(), net::Exception);
  EXPECT_EQ(bed.loop.nowMs(), 21'000u);
  EXPECT_EQ(bed.counts, (std::vector<int>{2, 3}));
  EXPECT_EQ(bed.countedAt.back(), 5000u);
}

TEST(NetworkSignal, AChangeIsToldAtTheNextDispatchToEachWatcherStillWatching) {
  platform::standin::StandinEventLoop loop;
  platform::standin::StandinNetwork network(loop);
  std::vector<std::string> told;
  const auto first = network.watchChanges([&] { told.push_back("first"); });
  network.watchChanges([&] { told.push_back(network.connected() ? "second: on" : "second: off"); });
  EXPECT_TRUE(network.connected());
  network.setConnected(false);
  EXPECT_FALSE(network.connected());
  EXPECT_TRUE(told.empty());
  loop.processMessages();
  EXPECT_EQ(told, (std::vector<std::string>{"first", "second: off"}));
  network.unwatchChanges(first);
  network.setConnected(true);
  loop.runFor(1);
  EXPECT_EQ(told.back(), "second: on");
  EXPECT_EQ(told.size(), 3u);
}

}  // namespace
}  // namespace vantrel::testing
