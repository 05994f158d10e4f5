#include "net/pop3_client.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/ini_file.h"
#include "base/text.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

bool holdsLineBreakOrZero(const std::string& text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

// The login goes out as two command lines: a value that would break one is never sent.
void refuseUnsendableLogin(const std::string& userId, const std::string& password) {
  if (holdsLineBreakOrZero(userId) || holdsLineBreakOrZero(password)) {
    throw EMailFault(MailFault::UnsendableLogin);
  }
}

// The response codes of a refusal that is the server's own trouble, not the password's (RFC 2449,
// RFC 3206): a mailbox in use, logins too close together, a failure of the server's own.
constexpr std::array<std::string_view, 4> kServerTroubles = {"IN-USE", "LOGIN-DELAY", "SYS/TEMP",
                                                             "SYS/PERM"};

// A refusal of the server's own trouble raises it with the server's words: a good password is not
// to be given up for it.
void refuseServerTrouble(const std::string& reply) {
  constexpr std::string_view kRefused = "-ERR [";
  if (!reply.starts_with(kRefused)) return;
  const auto close = reply.find(']', kRefused.size());
  if (close == std::string::npos) return;
  const std::string code =
      base::toUpperAscii(std::string_view(reply).substr(kRefused.size(), close - kRefused.size()));
  if (std::find(kServerTroubles.begin(), kServerTroubles.end(), code) == kServerTroubles.end()) {
    return;
  }
  auto text = reply.substr(close + 1);
  while (!text.empty() && (text.front() == ' ')) text.erase(0, 1);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  throw EServerRefusal(reply, code, text);
}

// The most one multi-line answer may bring. A header runs to some kilobytes; more than this is a
// server that means harm, or one that would hold the check.
constexpr std::size_t kMostAnswer = 256 * 1024;

// A capability line's name: its first word (RFC 2449), letter case aside.
bool namesCapability(std::string_view line, std::string_view name) {
  return base::equalsIgnoreCase(line.substr(0, line.find(' ')), name);
}

}  // namespace

bool IsPositive(const std::string& reply) {
  return NthField(reply, ' ', 1).find("+OK") != std::string::npos;
}

TPop3Client::TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets,
                         SecureServers* secureServers)
    : TMailClient(loop, sockets, secureServers) {
  Port = 110;
}

void TPop3Client::SetAttachFilePath(const std::string& path) {
  attachFilePath_ = path;
  if (!attachFilePath_.empty() && attachFilePath_.back() != '\\') attachFilePath_ += '\\';
}

void TPop3Client::Connect() {
  refuseUnsendableLogin(UserID, Password);
  TMailClient::Connect();
}

void TPop3Client::dialogue(bool& announce) {
  std::string reply;
  ReadLn(reply);
  if (!IsPositive(reply)) throw Exception(reply);
  if (!Secure) secure();

  int attempts = 0;
  bool done = false;
  while (!done) {
    // Also a new password given after a refusal, which goes out on this connection.
    refuseUnsendableLogin(UserID, Password);
    Transaction("USER " + UserID, reply);
    refuseServerTrouble(reply);
    Login login = checkLogin(IsPositive(reply), attempts);
    if (login == Login::Passed) {
      passwordSent_ = true;
      Transaction("PASS " + Password, reply);
      refuseServerTrouble(reply);
      login = checkLogin(IsPositive(reply), attempts);
      done = login == Login::Passed;
    }
    if (login == Login::TakenOver) return;
    ++attempts;
  }

  announce = true;
  Transaction("STAT", reply);
  if (!IsPositive(reply)) throw Exception(reply);
  count_ = base::parseInteger(NthField(reply, ' ', 2)).value_or(0);
}

void TPop3Client::secure() {
  if (!offersStls()) {
    refuseLoginInClear();
    return;
  }
  // Also for the new connection the other TLS engine may need: an offer that is gone then was
  // taken away on the way.
  rememberSecure();
  std::string reply;
  Transaction("STLS", reply);
  if (!IsPositive(reply)) throw ETlsError(platform::TlsRefusal::OfferedThenRefused);
  StartTls();
  // What the server said in clear text may have been forged on the way: it is asked again.
  offersStls();
}

bool TPop3Client::offersStls() {
  std::string reply;
  Transaction("CAPA", reply);
  if (!IsPositive(reply)) return false;
  bool stls = false;
  readMultiLine([&stls](std::string_view line) { stls = stls || namesCapability(line, "STLS"); });
  return stls;
}

void TPop3Client::readMultiLine(const std::function<void(std::string_view)>& line) {
  std::size_t total = 0;
  for (;;) {
    std::string read;
    ReadLn(read);
    if (read.empty()) throw ESockError("Connection closed by the server");
    total += read.size();
    if (total > kMostAnswer) {
      TAsyncSocket::Disconnect();
      throw ESockError("Answer too long");
    }
    std::string_view text = withoutLineEnd(read);
    if (text == ".") return;
    if (text.starts_with('.')) text.remove_prefix(1);
    line(text);
  }
}

void TPop3Client::Disconnect() {
  if (!Connected()) return;
  refuseNested();
  std::string reply;
  try {
    Transaction("QUIT", reply);
  } catch (...) {
    TAsyncSocket::Disconnect();
    throw;
  }
  TAsyncSocket::Disconnect();
  if (!IsPositive(reply)) throw Exception(reply);
}

}  // namespace vantrel::net
