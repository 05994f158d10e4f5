#pragma once
// What the network suites share: the real Linux platform, the ports of the servers that
// scripts/test-net starts, and small helpers to read their answers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "net/async_socket.h"
#include "net/errors.h"
#include "net/mail_summary.h"
#include "platform/posix/event_loop_posix.h"
#include "platform/posix/socket_posix.h"

namespace vantrel::net::testing {

// The test root is trusted, as by a user who added it to his computer's.
struct Platform {
  Platform();

  platform::posix::PosixEventLoop loop;
  platform::posix::PosixSockets sockets;
};

// The message of the E that `action` throws, or "no exception"; any other exception goes on.
template <typename E = std::exception, typename Action>
std::string thrown(Action&& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  }
  return "no exception";
}

// The reason of the TLS refusal that ends `action`, or what happened instead.
template <typename Action>
std::string tlsRefusal(Action&& action) {
  try {
    action();
  } catch (const ETlsError& e) {
    return e.Reason();
  } catch (const std::exception& e) {
    return std::string("not a TLS refusal: ") + e.what();
  }
  return "no exception";
}

// A mail component driven as the mail check drives it: the count taken, with `wanted` above 0 the
// summaries of that many of the newest messages, and the session closed in OnConnect.
template <typename Client, int (Client::*Count)() const,
          std::vector<TSummary> (Client::*Summaries)(int)>
class MailCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    client.Host = "127.0.0.1";
    client.OnConnect = [this](TAsyncSocket&) {
      ++connects;
      counts.push_back((client.*Count)());
      if (wanted > 0) {
        summaries = (client.*Summaries)(wanted);
        connectedAfterSummaries = client.Connected();
      }
      if (client.Connected()) client.Disconnect();
    };
  }

  void check(int port, const std::string& user, const std::string& password) {
    // A client whose count names the newest messages is told how many before it counts.
    if constexpr (requires { client.NewestWanted; }) client.NewestWanted = wanted;
    client.Port = port;
    client.UserID = user;
    client.Password = password;
    client.Connect();
  }

  // The message of what went wrong, or "no exception".
  std::string failure(int port, const std::string& user, const std::string& password) {
    return thrown([&] { check(port, user, password); });
  }

  Platform platform;
  Client client{platform.loop, platform.sockets};
  int connects = 0;
  std::vector<int> counts;
  int wanted = 0;
  std::vector<TSummary> summaries;
  bool connectedAfterSummaries = false;
};

// The messages of dovecot_summaries_mailbox, by number (their UIDs too): eight unread, two read.
struct MailboxMessage {
  const char* from;
  const char* subject;
  const char* messageId;
  int bytes;
};
extern const std::vector<MailboxMessage> kSummariesMailbox;

// Whether the summaries are those of the mailbox's messages of these numbers, in this order,
// their raw fields as the messages carry them, and their sizes, or none where they were not
// asked for; says what differs.
::testing::AssertionResult summariesOf(const std::vector<TSummary>& summaries,
                                       std::initializer_list<std::uint32_t> numbers,
                                       bool sized = true);

// The flags of every message of a mailbox's inbox, as a second client sees them through a
// read-only EXAMINE (which changes none): one "n (UID u FLAGS (...))" line each.
std::string inboxFlags(int port, const std::string& user, const std::string& password);

// The memory this process holds, in bytes.
long residentBytes();

// The port of a server started by scripts/test-net, named by an environment variable.
inline std::optional<int> serverPort(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::atoi(value);
}

std::string base64Decode(const std::string& text);

// The test root that scripts/test-net made (VANTREL_TEST_CA), or empty.
std::string testRoot();

// The whole content of a file, or empty.
std::string fileBytes(const std::string& path);

// The whole text of the file an environment variable names.
std::string fileText(const char* variable);

// Whether a line of the log holds every one of the texts. Servers write their logs in their own
// time: this waits a few seconds for such a line.
bool logHasLine(const char* variable, std::initializer_list<std::string> texts);

// The value of a header line "name: value" in a block of header lines, without its line end.
std::string headerLine(const std::string& header, const std::string& name);

}  // namespace vantrel::net::testing

#define VANTREL_SERVER_PORT(port, variable)                               \
  const auto port##Found = ::vantrel::net::testing::serverPort(variable); \
  if (!port##Found) GTEST_SKIP() << variable << " is not set";            \
  const int port = *port##Found
