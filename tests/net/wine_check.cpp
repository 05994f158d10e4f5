// The Windows back end (Winsock, the message loop and its socket watches, lookups answered to a
// window, the network signal) against the same servers as the native suite, run under Wine by
// scripts/test-net. Prints each failed check and exits with their number.
// Usage: wine_check POP3_PORT HTTP_PORT SILENT_PORT LATE_POP3_PORT POP3S_PORT OTHERNAME_PORT
//        EXPIRED_PORT UNTRUSTED_PORT PIECES_PORT IMAP_PORT IMAPS_PORT
// (the TLS ports as in tests/net/servers.sh, which also exports the NOINTER, NOSIGN, ASKS,
// RENEGOTIATES, NARROW, GARBAGE, HANGSUP, FORGES, OLD, STALLS and ENDS ports, the test root
// VANTREL_TEST_CA, the servers' log VANTREL_TLS_LOG and the mail tree VANTREL_MAIL_DIR used here;
// the roots of roots.pem beside the test root must be trusted in the prefix). VANTREL_TLS_ENGINE
// chooses the engine as for Vantrel; with VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12 set, SChannel alone
// must refuse.
#include <windows.h>
#include <winsock2.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "mailtext/encoded_words.h"
#include "net/http_client.h"
#include "net/imap_client.h"
#include "net/imap_push_session.h"
#include "net/pop3_client.h"
#include "platform/win32/certificate_check_win32.h"
#include "platform/win32/socket_win32.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_text_conversion.h"
#include "tls_contract.h"
#include "validator_cases.h"

namespace {

using vantrel::net::CmdType;
using vantrel::net::TAsyncSocket;

int failures = 0;

void expect(bool ok, const char* what) {
  if (ok) return;
  ++failures;
  std::printf("wine_check: FAILED %s\n", what);
}

// What the TLS refusal that the last failure() met comes down to; Other when there was none.
vantrel::platform::TlsRefusal lastRefusal = vantrel::platform::TlsRefusal::Other;

std::string failure(const std::function<void()>& action) {
  lastRefusal = vantrel::platform::TlsRefusal::Other;
  try {
    action();
  } catch (const vantrel::net::ETlsError& e) {
    lastRefusal = e.Refusal();
    return e.what();
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

// The whole content of a file named by its Linux path, through Wine's drive for the root.
std::string linuxFile(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : c;
  std::ifstream file("Z:" + path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// How many lines of the servers' TLS log are exactly `line`, once there are `expected` or a few
// seconds have passed (the servers write in their own time), and a moment more for one too many.
int tlsLogLines(const std::string& line, int expected) {
  int count = 0;
  for (int attempt = 0; attempt < 30 && count < expected; ++attempt) {
    if (attempt > 0) Sleep(100);
    std::istringstream log(linuxFile(std::getenv("VANTREL_TLS_LOG")));
    count = 0;
    for (std::string each; std::getline(log, each);) count += each == line ? 1 : 0;
  }
  Sleep(200);
  std::istringstream log(linuxFile(std::getenv("VANTREL_TLS_LOG")));
  count = 0;
  for (std::string each; std::getline(log, each);) count += each == line ? 1 : 0;
  return count;
}

// A message lands in frank's mailbox (VANTREL_MAIL_DIR) as a delivery agent puts it there: written
// into tmp/, then renamed into new/.
bool deliver(const std::string& subject) {
  std::string box = std::string(std::getenv("VANTREL_MAIL_DIR")) + "/frank/";
  for (char& c : box) c = c == '/' ? '\\' : c;
  // Each run of the check delivers one more.
  const std::string name =
      std::to_string(GetTickCount()) + ".P" + std::to_string(GetCurrentProcessId()) + ".wine";
  const std::string written = "Z:" + box + "tmp\\" + name;
  std::ofstream(written, std::ios::binary)
      << "From: pusher@example.com\r\nSubject: " << subject << "\r\n\r\nbody\r\n";
  return MoveFileA(written.c_str(), ("Z:" + box + "new\\" + name).c_str()) != FALSE;
}

// The native suite's validator table, for the Windows check.
void checkValidatorTable() {
  const std::string root = std::getenv("VANTREL_TEST_CA");
  const std::string folder = root.substr(0, root.rfind('/') + 1);
  vantrel::platform::win32::CryptoApiValidator validator;
  for (const vantrel::net::testing::ValidatorCase& c : vantrel::net::testing::kValidatorCases) {
    std::vector<std::string> chain;
    for (const char* name : c.chain) {
      if (name != nullptr) chain.push_back(linuxFile(folder + name + ".der"));
    }
    const std::string verdict = validator.validate(chain, c.serverName);
    if (chain.front().empty() || verdict != c.reason) {
      std::printf("wine_check: validator table, %s: expected \"%s\", got \"%s\"\n", c.what,
                  c.reason, verdict.c_str());
      expect(false, "validator table");
    }
  }
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
  const bool schannel = std::getenv("VANTREL_TLS_ENGINE") == nullptr &&
                        std::getenv("VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12") == nullptr;
  // The engine that secures the connections SChannel can make.
  const char* const forced = std::getenv("VANTREL_TLS_ENGINE");
  const auto securing =
      (forced != nullptr && std::string(forced) == "builtin") ||
              (forced == nullptr && std::getenv("VANTREL_CHECK_SCHANNEL_WITHOUT_TLS12") != nullptr)
          ? vantrel::platform::TlsEngine::BuiltIn
          : vantrel::platform::TlsEngine::System;

  checkValidatorTable();

  {
    // Header words in sets without a table of Vantrel's own, read by Windows' code pages.
    const vantrel::platform::win32::Win32TextConversion system;
    const auto decoded = [&system](const char* value) {
      return vantrel::mailtext::decodeHeaderText(value, &system);
    };
    expect(decoded("=?shift_jis?B?k/qWe4zqgsyMj5a8?=") == "日本語の件名", "Shift_JIS word");
    expect(decoded("=?shift_jis?Q?=93=FA=96?= =?shift_jis?Q?=7B?=") == "日本", "split Shift_JIS");
    expect(decoded("=?GB2312?B?xOO6ww==?=") == "你好", "GB2312 word");
    expect(decoded("=?big5?B?p0Gmbg==?=") == "你好", "Big5 word");
    expect(decoded("=?ks_c_5601-1987?B?vsiz58fPvLy/5A==?=") == "안녕하세요", "Korean word");
    expect(decoded("=?cp866?Q?=8F=E0=A8=A2=A5=E2?=") == "Привет", "DOS Cyrillic word");
    expect(!system.toUtf8("x-nothing", "abc"), "unknown set");
    expect(!system.toUtf8("shift_jis", "\x93"), "cut Shift_JIS character");
  }

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
    // The server offers STLS with a certificate for localhost.
    pop.Host = "localhost";
    pop.UserID = "bob";
    pop.Password = "hunter2";
    pop.Connect();
    expect(counts == "30", "message counts of alice and bob");
    expect(pop.SecuredBy() == securing, "a plain account secured with STLS");
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
    expect(pop.SecuredBy() == securing, "the engine that secured the connection");
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
      expect(lastRefusal == vantrel::platform::tlsRefusalOf(refusals[i]),
             "what a refused certificate comes down to");
      expect(count == -1 && !pop.Connected(), "no login after a refused certificate");
    }
    // A server that shares no cipher suite with Wine's SChannel says so with its alert: the
    // built-in engine takes it, on a second connection.
    count = -1;
    const int narrowBefore = tlsLogLines("narrow accepted", 0);
    pop.Port = std::atoi(std::getenv("VANTREL_TLS_NARROW_PORT"));
    attempt("narrow", [&] { pop.Connect(); });
    const int narrowConnections = schannel ? 2 : 1;
    expect(count == 0 && tlsLogLines("narrow accepted", narrowBefore + narrowConnections) ==
                             narrowBefore + narrowConnections,
           "the built-in engine for a server that shares no cipher suite with SChannel");
    // Only a true mismatch lets the other engine try: a server that speaks no TLS, or only an
    // older version, hears from one engine, once.
    pop.TimeOut = 5000;
    for (const char* name : {"garbage", "hangsup", "old"}) {
      const std::string accepted = std::string(name) + " accepted";
      const int before = tlsLogLines(accepted, 0);
      std::string variable = std::string("VANTREL_TLS_") + name + "_PORT";
      for (char& c : variable) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      pop.Port = std::atoi(std::getenv(variable.c_str()));
      const std::string refused = failure([&] { pop.Connect(); });
      const int connections = tlsLogLines(accepted, before + 1) - before;
      if (connections != 1 || refused.find("Secure connection failed") != 0) {
        std::printf("wine_check: %s: %d connections, %s\n", name, connections, refused.c_str());
        expect(false, "one engine, once, for a server that cannot share TLS 1.2");
      }
      expect(std::string(name) != "old" ||
                 lastRefusal == vantrel::platform::TlsRefusal::NothingInCommon,
             "a server of older TLS versions shares nothing with this computer");
    }
    // A forged alert in place of the server's hello, to either engine: the built-in engine has
    // made no handshake there, so SChannel tries first again at the next check.
    {
      const int before = tlsLogLines("forges accepted", 0);
      pop.Port = std::atoi(std::getenv("VANTREL_TLS_FORGES_PORT"));
      for (int check = 0; check < 2; ++check) failure([&] { pop.Connect(); });
      const int connections = before + (schannel ? 4 : 2);
      expect(tlsLogLines("forges accepted", connections) == connections,
             "SChannel again after a forged alert the built-in engine could not get past");
    }
    pop.TimeOut = 0;
    // The built-in engine takes the key usages from the certificate: an ECDHE_RSA key exchange
    // signed by a key that may not sign is refused. (SChannel judges this itself.)
    if (!schannel) {
      pop.Port = std::atoi(std::getenv("VANTREL_TLS_NOSIGN_PORT"));
      const std::string refused = failure([&] { pop.Connect(); });
      if (refused != std::string("Secure connection failed: ") + reason::kCannotSign) {
        std::printf("wine_check: nosign: %s\n", refused.c_str());
        expect(false, "a key exchange signed by a key that may not sign");
      }
    }
  }

  {
    // What every engine's send and receive promise, as the native suite checks it.
    sockets.acquire();
    for (const auto& faults :
         {vantrel::net::testing::sendAfterWouldBlockFaults(
              sockets, loop, std::atoi(std::getenv("VANTREL_TLS_STALLS_PORT"))),
          vantrel::net::testing::endOfStreamFaults(
              sockets, loop, std::atoi(std::getenv("VANTREL_TLS_ENDS_PORT")))}) {
      for (const std::string& fault : faults) {
        std::printf("wine_check: %s\n", fault.c_str());
        expect(false, "send and receive of a secure socket");
      }
    }
    sockets.release();
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
    expect(lacking == (lastRefusal == vantrel::platform::TlsRefusal::NoTls12),
           "a system without TLS 1.2 says so");
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
    // The newest messages' summaries over TLS: those IMAP's counting search named, read in
    // pieces; POP3's TOP lines.
    vantrel::net::TImapClient imap(loop, sockets);
    vantrel::net::TPop3Client pop(loop, sockets);
    imap.NewestWanted = 2;
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
    // IMAP push through this back end: the lookup of localhost calls back, the watch tells of
    // every answer, STARTTLS is secured as a check's would be, and a delivery is counted.
    const vantrel::platform::win32::Win32Network network;
    expect(network.connected(), "a network on this machine");
    vantrel::net::ImapPushSession::Account frank;
    frank.host = "localhost";
    frank.port = static_cast<std::uint16_t>(imapPort);
    frank.user = "frank";
    frank.password = "pushed";
    std::vector<int> counts;
    int ends = 0;
    vantrel::net::ImapPushSession session(loop, sockets, frank, {},
                                          {[&](const vantrel::net::ImapPushSession::Count& count) {
                                             counts.push_back(count.unseen);
                                             loop.wake();
                                           },
                                           [&] { loop.wake(); },
                                           [&](const vantrel::net::ImapPushSession::End& end) {
                                             std::printf("wine_check: push session ended: %s\n",
                                                         end.text.c_str());
                                             ++ends;
                                             loop.wake();
                                           }});
    const auto runUntil = [&](const std::function<bool()>& done) {
      const std::uint64_t deadline = loop.nowMs() + 10000;
      while (!done() && loop.nowMs() < deadline) loop.waitForSocket(-1, 0, deadline);
      return done();
    };
    expect(runUntil([&] { return session.idling() || ends > 0; }) && counts.size() == 1,
           "a push session counts and waits in IDLE");
    expect(session.securedBy() == securing, "the engine that secured the push session");
    expect(deliver("pushed under Wine"), "a message delivered");
    expect(runUntil([&] { return counts.size() == 2 || ends > 0; }) && counts.size() == 2 &&
               counts[1] == counts[0] + 1,
           "a delivery counted without any check");
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
