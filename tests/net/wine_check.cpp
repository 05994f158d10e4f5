// The Windows back end (Winsock, the message loop, lookups answered to a window) against the
// same servers as the native suite, run under Wine by scripts/test-net. Prints each failed
// check and exits with their number.
// Usage: wine_check POP3_PORT HTTP_PORT SILENT_PORT LATE_POP3_PORT POP3S_PORT OTHERNAME_PORT
//        EXPIRED_PORT UNTRUSTED_PORT PIECES_PORT IMAP_PORT IMAPS_PORT
// (the TLS ports as in tests/net/servers.sh, which also exports the NOINTER, ASKS and
// RENEGOTIATES ports read here; the test root must be trusted in the prefix). VANTREL_TLS_ENGINE
// chooses the engine as for Vantrel; with VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12 set, SChannel alone
// must refuse.
#include <windows.h>
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "net/http_client.h"
#include "net/imap_client.h"
#include "net/pop3_client.h"
#include "platform/win32/socket_win32.h"
#include "platform/win32/win32_event_loop.h"

namespace {

using vantrel::net::CmdType;
using vantrel::net::TAsyncSocket;

int failures = 0;

void expect(bool ok, const char* what) {
  if (ok) return;
  ++failures;
  std::printf("wine_check: FAILED %s\n", what);
}

std::string failure(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no exception";
}

// What went wrong, printed under `label` when something did.
std::string attempt(const char* label, const std::function<void()>& action) {
  const std::string outcome = failure(action);
  if (outcome != "no exception") std::printf("wine_check: %s: %s\n", label, outcome.c_str());
  return outcome;
}

// An account whose every login puts its count in `count` and logs out.
void account(vantrel::net::TPop3Client& pop, int& count, const char* host, const char* user,
             const char* password) {
  pop.OnConnect = [&pop, &count](TAsyncSocket&) {
    count = pop.MessageCount();
    pop.Disconnect();
  };
  pop.Host = host;
  pop.UserID = user;
  pop.Password = password;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 12) return 2;
  const int popPort = std::atoi(argv[1]);
  const int httpPort = std::atoi(argv[2]);
  const int silentPort = std::atoi(argv[3]);
  const int latePort = std::atoi(argv[4]);
  const int secureServerPorts[] = {std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]),
                                   std::atoi(argv[8]), std::atoi(argv[9])};
  const int imapPort = std::atoi(argv[10]);
  const int imapsPort = std::atoi(argv[11]);
  vantrel::platform::win32::Win32EventLoop loop(GetModuleHandleA(nullptr));
  // As Vantrel does: VANTREL_TLS_ENGINE may force an engine.
  vantrel::platform::win32::Win32Sockets sockets(
      vantrel::platform::tls::engineChoice(std::getenv("VANTREL_TLS_ENGINE")));
  int ticks = 0;
  const auto timer = loop.startTimer(20, [&] { ++ticks; });

  {
    vantrel::net::TPop3Client pop(loop, sockets);
    std::string counts;
    int asked = 0;
    pop.OnConnect = [&](TAsyncSocket&) {
      counts += std::to_string(pop.MessageCount());
      pop.Disconnect();
    };
    pop.OnAuthenticationFailed = [&](bool& handled) {
      ++asked;
      pop.Password = "secret";
      handled = true;
    };
    int connectionFailures = 0;
    pop.OnConnectionFailed = [&](TAsyncSocket&) { ++connectionFailures; };

    pop.Host = "localhost";
    pop.Port = popPort;
    pop.UserID = "alice";
    pop.Password = "wrong";
    pop.Connect();
    pop.Host = "127.0.0.1";
    pop.Port = 1;
    expect(failure([&] { pop.Connect(); }) == "Connection Failed", "refused connection");
    pop.Host = "no-such-host.invalid";
    pop.Port = popPort;
    expect(failure([&] { pop.Connect(); }) == "Null Remote Address", "unknown host");
    pop.Host = "127.0.0.1";
    pop.UserID = "bob";
    pop.Password = "hunter2";
    pop.Connect();
    expect(counts == "30", "message counts of alice and bob");
    expect(asked == 1, "one password question");
    expect(connectionFailures == 1, "one OnConnectionFailed");

    pop.Port = silentPort;
    pop.TimeOut = 300;
    expect(failure([&] { pop.Connect(); }) == "Socket readln aborted",
           "time-out of a silent server");
    expect(!pop.Connected(), "silent server left");
  }

  {
    vantrel::net::TPop3Client pop(loop, sockets);
    int count = -1;
    account(pop, count, "localhost", "alice", "secret");
    pop.Secure = true;
    pop.Port = secureServerPorts[0];
    attempt("secure login", [&] { pop.Connect(); });
    expect(count == 3, "count of a secure account through SChannel");
    pop.Port = secureServerPorts[4];
    attempt("pieces", [&] { pop.Connect(); });
    expect(count == 2, "count from replies cut across records and pieces");
    // A server that asks for a certificate of ours, which it may do without.
    count = -1;
    pop.Port = std::atoi(std::getenv("VANTREL_TLS_ASKS_PORT"));
    attempt("asks", [&] { pop.Connect(); });
    expect(count == 0, "login where the server asks for a client certificate");
    // A server that asks for a new handshake after USER, before it answers. The built-in engine
    // makes it; Wine's SChannel cannot, and the connection must then end rather than wait.
    count = -1;
    pop.Port = std::atoi(std::getenv("VANTREL_TLS_RENEGOTIATES_PORT"));
    pop.TimeOut = 5000;
    const std::string renewed = attempt("renegotiates", [&] { pop.Connect(); });
    pop.TimeOut = 0;
    const bool schannel = std::getenv("VANTREL_TLS_ENGINE") == nullptr &&
                          std::getenv("VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12") == nullptr;
    expect(count == 4 || (schannel && renewed.find("aborted") == std::string::npos),
           "login across a new handshake the server asked for, or an end without waiting");
    namespace reason = vantrel::platform::tls_reason;
    const std::string refusals[] = {reason::kOtherName, reason::kExpired, reason::kUntrusted,
                                    reason::kUntrusted};
    const int refusedPorts[] = {secureServerPorts[1], secureServerPorts[2], secureServerPorts[3],
                                std::atoi(std::getenv("VANTREL_TLS_NOINTER_PORT"))};
    for (int i = 0; i < 4; ++i) {
      count = -1;
      pop.Port = refusedPorts[i];
      const std::string refused = failure([&] { pop.Connect(); });
      if (refused != "Secure connection failed: " + refusals[i]) {
        std::printf("wine_check: expected %s, got %s\n", refusals[i].c_str(), refused.c_str());
        expect(false, "refused certificate");
      }
      expect(count == -1 && !pop.Connected(), "no login after a refused certificate");
    }
  }

  {
    // What SChannel alone makes of this system: on one without its TLS 1.2, the engine choice
    // above had the built-in engine do the work.
    vantrel::platform::win32::Win32Sockets schannelOnly(
        vantrel::platform::tls::EngineChoice::System);
    vantrel::net::TPop3Client pop(loop, schannelOnly);
    int count = -1;
    account(pop, count, "localhost", "alice", "secret");
    pop.Secure = true;
    pop.Port = secureServerPorts[0];
    const std::string outcome = failure([&] { pop.Connect(); });
    const bool lacking = std::getenv("VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12") != nullptr;
    if (lacking != (outcome.find("SChannel cannot make TLS 1.2") != std::string::npos)) {
      std::printf("wine_check: SChannel alone: %s\n", outcome.c_str());
      expect(false, "SChannel as the system makes it");
    }
  }

  {
    // dora's password goes as a literal; the plain port is secured by STARTTLS through SChannel.
    vantrel::net::TImapClient imap(loop, sockets);
    std::string counts;
    imap.OnConnect = [&](TAsyncSocket&) {
      counts += std::to_string(imap.UnseenCount()) + ",";
      imap.Disconnect();
    };
    imap.Host = "localhost";
    imap.UserID = "dora";
    imap.Password = "q\"b\\\xe9t";
    for (const int port : {imapPort, imapsPort}) {
      imap.Port = port;
      imap.Secure = port == imapsPort;
      attempt("IMAP", [&] { imap.Connect(); });
    }
    expect(counts == "2,2,", "IMAP unread counts over STARTTLS and implicit TLS");
  }

  {
    // The newest messages' summaries over TLS: IMAP's SEARCH read in pieces, POP3's TOP lines.
    vantrel::net::TImapClient imap(loop, sockets);
    vantrel::net::TPop3Client pop(loop, sockets);
    std::string ids;
    const auto note = [&ids](const std::vector<vantrel::net::TSummary>& summaries) {
      for (const auto& summary : summaries) ids += summary.MessageId + ",";
    };
    imap.OnConnect = [&](TAsyncSocket&) {
      note(imap.RetrieveUnseenSummaries(2));
      imap.Disconnect();
    };
    pop.OnConnect = [&](TAsyncSocket&) {
      note(pop.RetrieveSummaries(2));
      pop.Disconnect();
    };
    imap.Host = pop.Host = "localhost";
    imap.UserID = pop.UserID = "erin";
    imap.Password = pop.Password = "summaries";
    for (const int port : {imapPort, imapsPort}) {
      imap.Port = port;
      imap.Secure = port == imapsPort;
      attempt("IMAP summaries", [&] { imap.Connect(); });
    }
    pop.Secure = true;
    pop.Port = secureServerPorts[0];
    attempt("POP3 summaries", [&] { pop.Connect(); });
    expect(ids ==
               "<m8@example.com>,<m7@example.com>,<m8@example.com>,<m7@example.com>,"
               "<r2@example.com>,<r1@example.com>,",
           "summaries of the newest messages over STARTTLS and implicit TLS");
  }

  {
    vantrel::net::THttpClient http(loop, sockets);
    std::string outcomes;
    http.OnSuccess = [&](CmdType cmd) { outcomes += "s" + std::to_string(static_cast<int>(cmd)); };
    http.OnFailure = [&](CmdType cmd) { outcomes += "f" + std::to_string(static_cast<int>(cmd)); };
    http.Host = "127.0.0.1";
    http.Port = httpPort;
    http.Get("/checkupdate.php?logiciel=Vantrel&version=2.2");
    expect(http.Body == "2.3" && http.BytesTotal() == 3, "update check answer");
    http.Get("/redirect");
    expect(http.Body.find("Cookie: session=abc123\r\n") != std::string::npos, "redirect cookie");
    http.Get("/missing");
    http.Get("/big/5000000");
    expect(http.Body.size() == 5000000, "long body");
    expect(outcomes == "s0s0f0s0", "HTTP outcomes");
  }

  {
    // A timer inside the POP3 wait for a late greeting runs a whole HTTP request on another
    // component; the greeting arrives while that request waits.
    vantrel::net::TPop3Client pop(loop, sockets);
    vantrel::net::THttpClient http(loop, sockets);
    http.Host = "127.0.0.1";
    http.Port = httpPort;
    int count = -1;
    account(pop, count, "127.0.0.1", "ann", "pw");
    pop.Port = latePort;
    pop.TimeOut = 5000;
    bool started = false;
    std::string nestedBody;
    const auto nested = loop.startTimer(20, [&] {
      if (started) return;
      started = true;
      http.Get("/slow/1000");
      nestedBody = http.Body;
    });
    const DWORD start = GetTickCount();
    attempt("nested request", [&] { pop.Connect(); });
    const DWORD elapsed = GetTickCount() - start;
    loop.stopTimer(nested);
    expect(nestedBody == "2.3", "HTTP request nested in a POP3 wait");
    expect(count == 2, "POP3 login around a nested HTTP request");
    expect(elapsed < 3000, "the outer wait saw its greeting once the nested one ended");
  }

  loop.stopTimer(timer);
  expect(ticks > 0, "program timer ticks during the waits");
  std::printf("wine_check: %d failed\n", failures);
  return failures;
}
