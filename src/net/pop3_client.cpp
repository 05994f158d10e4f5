#include "net/pop3_client.h"

#include "base/ini_file.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

constexpr const char* kAuthenticationFailed = "Authentication failed";

}  // namespace

bool IsPositive(const std::string& reply) {
  return NthField(reply, ' ', 1).find("+OK") != std::string::npos;
}

TPop3Client::TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets)
    : TAsyncSocket(loop, sockets), deadline_(loop) {
  Port = 110;
  deadline_.SetEnabled(false);
  deadline_.SetOnTimer([this] {
    try {
      TimerFired();
    } catch (const std::exception&) {
    }
  });
}

TPop3Client::~TPop3Client() {
  // The base destructor can no longer reach this override: close without QUIT here.
  try {
    TPop3Client::Abort();
  } catch (const std::exception&) {
  }
}

void TPop3Client::SetAttachFilePath(const std::string& path) {
  attachFilePath_ = path;
  if (!attachFilePath_.empty() && attachFilePath_.back() != '\\') attachFilePath_ += '\\';
}

void TPop3Client::startDeadline() {
  if (TimeOut <= 0) return;
  deadline_.SetInterval(static_cast<std::uint32_t>(TimeOut));
  deadline_.SetEnabled(true);
}

TPop3Client::Login TPop3Client::checkLogin(const std::string& reply, int& attempts) {
  if (IsPositive(reply)) return Login::Passed;
  if (attempts > 0 || !OnAuthenticationFailed) throw Exception(kAuthenticationFailed);
  bool handled = false;
  const unsigned connects = connects_;
  // The user may take as long as he likes over a question.
  deadline_.SetEnabled(false);
  OnAuthenticationFailed(handled);
  if (connects != connects_) return Login::TakenOver;
  startDeadline();
  if (!handled) throw Exception(kAuthenticationFailed);
  ++attempts;
  return Login::Refused;
}

bool TPop3Client::dialogue(bool& loggedIn) {
  std::string reply;
  ReadLn(reply);
  if (!IsPositive(reply)) throw Exception(reply);

  int attempts = 0;
  bool done = false;
  while (!done) {
    Transaction("USER " + UserID, reply);
    Login login = checkLogin(reply, attempts);
    if (login == Login::Passed) {
      Transaction("PASS " + Password, reply);
      login = checkLogin(reply, attempts);
      done = login == Login::Passed;
    }
    if (login == Login::TakenOver) return false;
    ++attempts;
  }

  loggedIn = true;
  Transaction("STAT", reply);
  if (!IsPositive(reply)) throw Exception(reply);
  messageCount_ = base::parseInteger(NthField(reply, ' ', 2)).value_or(0);
  return true;
}

void TPop3Client::Connect() {
  refuseNested();
  // Only this connection's STAT may give the count its owner reads.
  messageCount_ = 0;
  ++connects_;
  for (int attempts = 0; Password.empty() || UserID.empty(); ++attempts) {
    if (!OnAuthenticationNeeded) throw Exception(kAuthenticationFailed);
    if (attempts > 0) break;
    bool handled = false;
    OnAuthenticationNeeded(handled);
    if (!handled) throw Exception(kAuthenticationFailed);
  }

  const bool wasBusy = busy_;
  busy_ = true;
  bool loggedIn = false;
  // Whatever happens, a nested Connect leaves Busy to the outer one, and a login that went
  // through is announced.
  const auto finish = [&] {
    deadline_.SetEnabled(false);
    if (!wasBusy) busy_ = false;
    if (loggedIn && OnConnect) OnConnect(*this);
  };

  startDeadline();
  try {
    TAsyncSocket::Connect();
    try {
      // A nested Connect has done the login and told the owner: nothing is left to do here.
      if (!dialogue(loggedIn)) {
        if (!wasBusy) busy_ = false;
        return;
      }
    } catch (...) {
      Disconnect();
      throw;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
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

void TPop3Client::Abort() {
  Cancel();
  if (Connected()) {
    TAsyncSocket::Disconnect();
    ClearInput();
  }
}

}  // namespace vantrel::net
