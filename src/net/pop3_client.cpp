#include "net/pop3_client.h"

#include "base/ini_file.h"
#include "net/text.h"

namespace vantrel::net {

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

void TPop3Client::dialogue(bool& announce) {
  std::string reply;
  ReadLn(reply);
  if (!IsPositive(reply)) throw Exception(reply);

  int attempts = 0;
  bool done = false;
  while (!done) {
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
