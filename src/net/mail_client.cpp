#include "net/mail_client.h"

#include "base/text.h"

namespace vantrel::net {

namespace {

constexpr const char* kAuthenticationFailed = "Authentication failed";

// One server however its name is written: letter case and a final dot change nothing.
std::string serverKey(std::string_view host, int port) {
  while (host.ends_with('.')) host.remove_suffix(1);
  return base::toLowerCp1252(host) + ":" + std::to_string(port);
}

}  // namespace

TMailClient::TMailClient(platform::EventLoop& loop, platform::Sockets& sockets)
    : TAsyncSocket(loop, sockets), deadline_(loop) {
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
  return secureServers_.contains(serverKey(Host, Port));
}

void TMailClient::rememberSecure() {
  secureServers_.insert(serverKey(Host, Port));
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
  // Only this connection may give the count its owner reads.
  count_ = 0;
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
