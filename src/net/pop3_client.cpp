#include "net/pop3_client.h"

#include <string_view>

#include "base/ini_file.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

bool holdsLineBreakOrZero(const std::string& text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos;
}

// The login goes out as two command lines: a value that would break one is never sent.
void refuseUnsendableLogin(const std::string& userId, const std::string& password) {
  if (holdsLineBreakOrZero(userId) || holdsLineBreakOrZero(password)) {
    throw Exception("User name or password holds a line break or a zero byte");
  }
}

}  // namespace

bool IsPositive(const std::string& reply) {
  return NthField(reply, ' ', 1).find("+OK") != std::string::npos;
}

TPop3Client::TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets)
    : TMailClient(loop, sockets) {
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

  int attempts = 0;
  bool done = false;
  while (!done) {
    // Also a new password given after a refusal, which goes out on this connection.
    refuseUnsendableLogin(UserID, Password);
    Transaction("USER " + UserID, reply);
    Login login = checkLogin(IsPositive(reply), attempts);
    if (login == Login::Passed) {
      Transaction("PASS " + Password, reply);
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
