#include "net/pop3_client.h"

#include "net/text.h"

namespace vantrel::net {

namespace {

constexpr const char* kAuthenticationFailed = "Authentication failed";

}  // namespace

bool IsPositive(const std::string& reply) {
  return NthField(reply, ' ', 1).find("+OK") != std::string::npos;
}

TPop3Client::TPop3Client(platform::EventLoop& loop, platform::Sockets& sockets)
    : TAsyncSocket(loop, sockets) {
  Port = 110;
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

bool TPop3Client::checkLogin(const std::string& reply, int& attempts) {
  if (IsPositive(reply)) return true;
  if (attempts > 0 || !OnAuthenticationFailed) throw Exception(kAuthenticationFailed);
  bool handled = false;
  OnAuthenticationFailed(handled);
  if (!handled) throw Exception(kAuthenticationFailed);
  ++attempts;
  return false;
}

void TPop3Client::dialogue(bool& loggedIn) {
  std::string reply;
  ReadLn(reply);
  if (!IsPositive(reply)) throw Exception(reply);

  int attempts = 0;
  bool done = false;
  while (!done) {
    Transaction("USER " + UserID, reply);
    if (checkLogin(reply, attempts)) {
      Transaction("PASS " + Password, reply);
      done = checkLogin(reply, attempts);
    }
    ++attempts;
  }

  loggedIn = true;
  Transaction("STAT", reply);
  if (!IsPositive(reply)) throw Exception(reply);
  const auto count = ToInteger(NthField(reply, ' ', 2));
  messageCount_ =
      count && *count >= INT32_MIN && *count <= INT32_MAX ? static_cast<int>(*count) : 0;
}

void TPop3Client::Connect() {
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
    if (!wasBusy) busy_ = false;
    if (loggedIn && OnConnect) OnConnect(*this);
  };

  try {
    TAsyncSocket::Connect();
    try {
      dialogue(loggedIn);
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
