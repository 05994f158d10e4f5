// Figures of the network components against local servers, one "name: value" line each.
//   net_bench pop3 PORT ACCOUNTS USER:PASSWORD...   time to check the accounts in turn
//   net_bench imap PORT ROOT ACCOUNTS USER:PASSWORD...   the same over IMAP, on a port that offers
//                                                    STARTTLS with a certificate from ROOT
//   net_bench previews pop3|imap|pop3s|imaps PORT ROOT NEWEST ACCOUNTS USER:PASSWORD...
//                                                    the mail check with the newest NEWEST
//                                                    summaries of every account decoded (0: the
//                                                    count alone), in clear text or over TLS
//   net_bench wait SECONDS                           processor share of a wait on a silent server
//   net_bench http PORT BYTES                        throughput of one long body
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "mailtext/header_text.h"
#include "net/http_client.h"
#include "net/imap_client.h"
#include "net/pop3_client.h"
#include "platform/posix/event_loop_posix.h"
#include "platform/posix/fd.h"
#include "platform/posix/socket_posix.h"
#include "platform/posix/text_conversion_posix.h"

namespace {

using Clock = std::chrono::steady_clock;
using vantrel::platform::posix::Fd;
using vantrel::platform::posix::PosixEventLoop;
using vantrel::platform::posix::PosixSockets;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Where the accounts are: one server, spoken to in clear text or over implicit TLS (`secure`).
// `tls` when any of the conversation is secured, STARTTLS included.
struct Server {
  const char* host;
  int port;
  bool secure;
  bool tls;
};

// What a check found on the open connection of one account: the messages waiting, and how many
// summaries it showed with both a sender and a subject.
struct Found {
  long long messages = 0;
  long long shown = 0;
};

template <typename Client>
using Visit = std::function<Found(Client&)>;

// As the mail check drives a mail component: one component, its values set again for every
// account, a time-out against a stalled server, the work done and the session closed in
// OnConnect. The first secured connection reads the system's trusted roots, once in the life of
// the program: a check of the first account before the clock starts takes that out of the figure,
// as the Python peers read theirs before their clocks start. A check that shows fewer summaries
// than `newest` of every account is told of, so that a figure never hides a broken path.
template <typename Client>
int mailCheck(const std::string& figure, PosixSockets& sockets, const Server& server, int accounts,
              const std::vector<std::string>& credentials, const Visit<Client>& visit,
              int newest = 0) {
  PosixEventLoop loop;
  Client client(loop, sockets);
  // As the mail check asks an IMAP count to name the newest messages it shows.
  if constexpr (requires { client.NewestWanted; }) client.NewestWanted = newest;
  const long long shown = static_cast<long long>(accounts) * std::max(newest, 0);
  client.Port = server.port;
  client.Secure = server.secure;
  client.TimeOut = 30000;
  Found found;
  int failed = 0;
  client.OnConnect = [&](vantrel::net::TAsyncSocket&) {
    const Found here = visit(client);
    found.messages += here.messages;
    found.shown += here.shown;
    client.Disconnect();
  };
  const auto check = [&](int i) {
    const std::string& pair = credentials[static_cast<std::size_t>(i) % credentials.size()];
    client.Host = server.host;
    client.UserID = pair.substr(0, pair.find(':'));
    client.Password = pair.substr(pair.find(':') + 1);
    try {
      client.Connect();
    } catch (const std::exception& e) {
      ++failed;
      std::fprintf(stderr, "%s: account %d: %s\n", figure.c_str(), i, e.what());
    }
  };
  if (server.tls) {
    check(0);
    found = {};
  }
  const auto start = Clock::now();
  for (int i = 0; i < accounts; ++i) check(i);
  const double elapsed = secondsSince(start);
  if (failed > 0) return 1;
  if (found.messages == 0)
    std::fprintf(stderr, "%s: %d accounts and not one message\n", figure.c_str(), accounts);
  if (found.shown != shown)
    std::fprintf(stderr, "%s: %lld summaries shown of %lld\n", figure.c_str(), found.shown, shown);
  std::printf("%s_seconds: %.3f\n", figure.c_str(), elapsed);
  return 0;
}

template <typename Client, int (Client::*Count)() const>
Found count(Client& client) {
  return {std::max((client.*Count)(), 0), 0};
}

int pop3(int port, int accounts, const std::vector<std::string>& credentials) {
  using vantrel::net::TPop3Client;
  PosixSockets sockets;
  return mailCheck<TPop3Client>("pop3_vantrel", sockets, {"127.0.0.1", port, false, false},
                                accounts, credentials,
                                count<TPop3Client, &TPop3Client::MessageCount>);
}

// The certificate is for localhost, which the STARTTLS upgrade checks.
int imap(int port, const std::string& root, int accounts,
         const std::vector<std::string>& credentials) {
  using vantrel::net::TImapClient;
  PosixSockets sockets(root);
  return mailCheck<TImapClient>("imap_vantrel", sockets, {"localhost", port, false, true}, accounts,
                                credentials, count<TImapClient, &TImapClient::UnseenCount>);
}

// What the program shows of each summary: its header fields as the component kept them, read by
// the header decoder with the system's character sets behind its own tables. Gives how many came
// out with both a sender and a subject.
long long shown(const std::vector<vantrel::net::TSummary>& summaries,
                const vantrel::platform::TextConversion& system) {
  long long complete = 0;
  for (const vantrel::net::TSummary& summary : summaries) {
    std::string block;
    for (int i = 0; i < summary.Header.Count(); ++i) block.append(summary.Header[i]).append("\r\n");
    const vantrel::mailtext::HeaderSummary text =
        vantrel::mailtext::summarizeHeader(block, &system);
    if (!text.from.empty() && !text.subject.empty()) ++complete;
  }
  return complete;
}

// The count alone, or the count and the newest summaries shown; every account is expected to
// hold at least `newest` unread messages with a sender and a subject. pop3 and imap speak in
// clear text; pop3s and imaps over implicit TLS, to localhost with a certificate from ROOT.
int previews(const std::string& protocol, int port, const std::string& root, int newest,
             int accounts, const std::vector<std::string>& credentials) {
  using vantrel::net::TImapClient;
  using vantrel::net::TPop3Client;
  const bool secure = protocol.ends_with('s');
  const Server server{secure ? "localhost" : "127.0.0.1", port, secure, secure};
  PosixSockets sockets(root);
  const vantrel::platform::posix::IconvTextConversion system;
  const std::string figure = protocol + (newest > 0 ? "_previews" : "_count") + "_vantrel";
  if (protocol.starts_with("pop3")) {
    return mailCheck<TPop3Client>(
        figure, sockets, server, accounts, credentials,
        [&](TPop3Client& client) {
          return Found{std::max(client.MessageCount(), 0),
                       shown(client.RetrieveSummaries(newest), system)};
        },
        newest);
  }
  if (protocol.starts_with("imap")) {
    return mailCheck<TImapClient>(
        figure, sockets, server, accounts, credentials,
        [&](TImapClient& client) {
          return Found{std::max(client.UnseenCount(), 0),
                       shown(client.RetrieveUnseenSummaries(newest), system)};
        },
        newest);
  }
  std::fprintf(stderr, "net_bench: no protocol %s\n", protocol.c_str());
  return 2;
}

// A listener that never accepts: the kernel completes the connection and nothing is ever said.
Fd silentListener(int& port) {
  Fd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener.get(), 4);
  ::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return listener;
}

int wait(int seconds) {
  int port = 0;
  const Fd listener = silentListener(port);
  PosixEventLoop loop;
  PosixSockets sockets;
  vantrel::net::TAsyncSocket socket(loop, sockets);
  socket.Host = "127.0.0.1";
  socket.Port = port;
  socket.Connect();
  socket.TimeOut = seconds * 1000;
  int ticks = 0;
  // A program timer of its own keeps firing all along, as the tray's and the watcher's do.
  const auto timer = loop.startTimer(500, [&] { ++ticks; });
  const double processorBefore = processorSeconds();
  const auto start = Clock::now();
  std::string line;
  try {
    socket.ReadLn(line);
  } catch (const vantrel::net::EAbortError&) {
  }
  const double wall = secondsSince(start);
  const double processor = processorSeconds() - processorBefore;
  loop.stopTimer(timer);
  std::printf("wait_wall_seconds: %.3f\nwait_processor_seconds: %.4f\n", wall, processor);
  std::printf("wait_processor_percent: %.3f\nwait_timer_ticks: %d\n", 100 * processor / wall,
              ticks);
  return 0;
}

// The body kept as text, as the program does (the second time in the room the first one left),
// and poured into a file the way curl -o does.
int http(int port, long long bytes) {
  PosixEventLoop loop;
  PosixSockets sockets;
  vantrel::net::THttpClient client(loop, sockets);
  client.Host = "127.0.0.1";
  client.Port = port;
  const std::string path = "/big/" + std::to_string(bytes);
  // The best of a few rounds: the server shares the machine with everything else.
  const auto bestOf = [&](int rounds) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
      const auto start = Clock::now();
      client.Get(path);
      best = std::min(best, secondsSince(start));
    }
    return best;
  };
  const double inMemory = bestOf(1);
  const double inMemoryAgain = bestOf(3);
  if (static_cast<long long>(client.Body.size()) != bytes) {
    std::fprintf(stderr, "http: %zu bytes received of %lld\n", client.Body.size(), bytes);
    return 1;
  }
  client.InputFileMode = true;
  client.Body = "/dev/null";
  const double toFile = bestOf(3);
  if (client.BytesRecvd() != bytes) {
    std::fprintf(stderr, "http: %d bytes received of %lld\n", client.BytesRecvd(), bytes);
    return 1;
  }
  std::printf("http_vantrel_text_mb_per_s: %.1f\n", bytes / inMemory / 1e6);
  std::printf("http_vantrel_text_again_mb_per_s: %.1f\n", bytes / inMemoryAgain / 1e6);
  std::printf("http_vantrel_file_mb_per_s: %.1f\n", bytes / toFile / 1e6);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() >= 4 && args[0] == "pop3") {
      return pop3(std::atoi(args[1].c_str()), std::atoi(args[2].c_str()),
                  std::vector<std::string>(args.begin() + 3, args.end()));
    }
    if (args.size() >= 5 && args[0] == "imap") {
      return imap(std::atoi(args[1].c_str()), args[2], std::atoi(args[3].c_str()),
                  std::vector<std::string>(args.begin() + 4, args.end()));
    }
    if (args.size() >= 7 && args[0] == "previews") {
      return previews(args[1], std::atoi(args[2].c_str()), args[3], std::atoi(args[4].c_str()),
                      std::atoi(args[5].c_str()),
                      std::vector<std::string>(args.begin() + 6, args.end()));
    }
    if (args.size() == 2 && args[0] == "wait") return wait(std::atoi(args[1].c_str()));
    if (args.size() == 3 && args[0] == "http") {
      return http(std::atoi(args[1].c_str()), std::atoll(args[2].c_str()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "net_bench: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr,
               "usage: net_bench pop3 PORT ACCOUNTS USER:PASSWORD... | "
               "imap PORT ROOT ACCOUNTS USER:PASSWORD... | "
               "previews pop3|imap|pop3s|imaps PORT ROOT NEWEST ACCOUNTS USER:PASSWORD... | "
               "wait SECONDS | "
               "http PORT BYTES\n");
  return 2;
}
