#include "net/imap_login_rules.h"

#include <algorithm>
#include <utility>

#include "net/secure_refusals.h"

namespace vantrel::net {

namespace {

constexpr std::string_view kAlertCode = "ALERT";
// An [ALERT] goes to a message box: a server cannot fill the screen with them.
constexpr std::size_t kKeptAlerts = 4;
constexpr std::size_t kAlertLength = 512;

}  // namespace

bool offers(const std::vector<std::string>& capabilities, std::string_view name) {
  return std::find(capabilities.begin(), capabilities.end(), name) != capabilities.end();
}

LoginStep beforeLogin(const std::vector<std::string>& capabilities, const LoginGround& ground) {
  using What = LoginStep::What;
  if (!ground.secured && offers(capabilities, "STARTTLS")) return {What::StartTls};
  if (!ground.secured) {
    if (const auto refusal = clearLoginRefusal(ground.passwordOnlyOverTls, ground.serverTookTls)) {
      return {What::RefuseSecure, *refusal};
    }
  }
  if (offers(capabilities, "LOGINDISABLED")) {
    if (!ground.secured) return {What::RefuseSecure, platform::TlsRefusal::NoSecureLogin};
    return {What::LoginDisabled};
  }
  return {What::Login};
}

std::optional<platform::TlsRefusal> preauthRefusal(const LoginGround& ground) {
  if (ground.secured || !ground.serverTookTls) return std::nullopt;
  return platform::TlsRefusal::PreauthInClear;
}

LoginAnswer loginAnswerOf(const ImapLine& answer) {
  if (answer.status == ImapStatus::Ok) return LoginAnswer::Accepted;
  if (answer.status != ImapStatus::No) return LoginAnswer::Unexpected;
  const std::string code = responseCode(answer);
  const bool password = code.empty() || code == "AUTHENTICATIONFAILED" ||
                        code == "AUTHORIZATIONFAILED" || code == "EXPIRED" || code == kAlertCode;
  return password ? LoginAnswer::PasswordRefused : LoginAnswer::ServerRefused;
}

bool refusedWithAlert(const ImapLine& answer) {
  return answer.status == ImapStatus::No && responseCode(answer) == kAlertCode;
}

void ImapAlerts::keep(const ImapLine& line) {
  const std::string_view text = responseText(line);
  if (alerts_.size() >= kKeptAlerts || responseCode(line) != kAlertCode || text.empty()) return;
  alerts_.emplace_back(text.substr(0, kAlertLength));
}

std::vector<std::string> ImapAlerts::take() {
  return std::exchange(alerts_, {});
}

void ImapAlerts::forgetSince(std::size_t kept) {
  if (kept < alerts_.size()) alerts_.resize(kept);
}

}  // namespace vantrel::net
