#include "net/mail_client.h"

namespace vantrel::net {

namespace {

constexpr const char* kAuthenticationFailed = "Authentication failed";

}  // namespace

TMailClient::TMailClient(platform::EventLoop& loop, platform::Sockets& sockets,
                         SecureServers* secureServers)
    : TAsyncSocket(loop, sockets),
      deadline_(loop),
      ownSecureServers_(secureServers ? nullptr : std::make_unique<SecureServers>()),
      secureServers_(secureServers ? *secureServers : *ownSecureServers_) {
  deadline_.SetEnabled(false);
  deadline_.SetOnTimer([this] {
    try {
      TimerFired();
    } catch (const std::exception&) {
    }
  });
}

TMailClient::~TMailClient() {
  // The base destructor can no longer reach this override: close without a goodbye here.
  try {
    TMailClient::Abort();
  } catch (const std::exception&) {
  }
}

bool TMailClient::startDeadline() {
  if (TimeOut <= 0 || deadline_.Enabled()) return false;
  deadline_.SetInterval(static_cast<std::uint32_t>(TimeOut));
  deadline_.SetEnabled(true);
  return true;
}

void TMailClient::stopDeadline() {
  deadline_.SetEnabled(false);
}

bool TMailClient::knownSecure() const {
  return secureServers_.contains(Host, Port);
}

void TMailClient::rememberSecure() {
  secureServers_.add(Host, Port);
}

void TMailClient::refuseLoginInClear() const {
  if (const auto refusal = clearLoginRefusal(PasswordOverTlsOnly, knownSecure())) {
    throw ETlsError(*refusal);
  }
}

TMailClient::Login TMailClient::checkLogin(bool passed, int& attempts) {
  if (passed) return Login::Passed;
  if (attempts > 0 || !OnAuthenticationFailed) throw EAuthenticationFailed(kAuthenticationFailed);
  bool handled = false;
  const unsigned connects = connects_;
  // The user may take as long as he likes over a question.
  stopDeadline();
  OnAuthenticationFailed(handled);
  if (connects != connects_) return Login::TakenOver;
  startDeadline();
  if (!handled) throw EAuthenticationFailed(kAuthenticationFailed);
  ++attempts;
  return Login::Refused;
}

void TMailClient::session(bool& announce) {
  TAsyncSocket::Connect();
  if (Secure) rememberSecure();
  try {
    dialogue(announce);
  } catch (...) {
    Disconnect();
    throw;
  }
}

void TMailClient::Connect() {
  refuseNested();
  // Only this connection may give the count its owner reads, and say whether it sent the password.
  count_ = 0;
  passwordSent_ = false;
  ++connects_;
  // Credentials not given, even when asked for, put the login in question as a refusal does.
  for (int attempts = 0; Password.empty() || UserID.empty(); ++attempts) {
    if (!OnAuthenticationNeeded) throw EAuthenticationFailed(kAuthenticationFailed);
    if (attempts > 0) break;
    bool handled = false;
    OnAuthenticationNeeded(handled);
    if (!handled) throw EAuthenticationFailed(kAuthenticationFailed);
  }

  const bool wasBusy = busy_;
  busy_ = true;
  bool announce = false;
  // Whatever happens, a nested Connect leaves Busy to the outer one, and a count that is due is
  // announced (by the nested Connect alone where it took the login over).
  const auto finish = [&] {
    stopDeadline();
    if (!wasBusy) busy_ = false;
    if (announce && OnConnect) OnConnect(*this);
  };

  startDeadline();
  try {
    // A protocol that secures its connection mid-conversation starts it over from the first byte
    // when only the other TLS engine can go on.
    withTlsEngineRetry([&] { session(announce); });
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TMailClient::Abort() {
  Cancel();
  if (Connected()) {
    TAsyncSocket::Disconnect();
    ClearInput();
  }
}

}  // namespace vantrel::net
