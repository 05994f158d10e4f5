#include "app/about.h"

#include <charconv>
#include <exception>

#include "app/app_constants.h"
#include "app/main_form.h"
#include "app/outlook_express.h"
#include "app/server_words.h"
#include "base/scope_exit.h"
#include "base/text.h"
#include "mailtext/charsets.h"

namespace vantrel::app {

namespace {

constexpr int kHttpPort = 80;
// A version number is a few bytes: the bounds only stop a server that will not stop.
constexpr int kUpdateCheckMs = 30000;
constexpr int kUpdateHeaderBytes = 16 * 1024;
constexpr int kUpdateBodyBytes = 4 * 1024;
// Points the update check elsewhere ("127.0.0.1:8080"), for tests; read at each click.
constexpr std::string_view kUpdateHostVariable = "%VANTREL_UPDATE_HOST%";

// "HOST" or "HOST:PORT"; a port that is not a number from 1 to 65535 leaves the one in place.
void pointAt(net::THttpClient& http, const std::string& where) {
  const auto colon = where.rfind(':');
  http.Host = where.substr(0, colon);
  if (colon == std::string::npos) return;
  int port = 0;
  const auto* const last = where.data() + where.size();
  const auto [end, error] = std::from_chars(where.data() + colon + 1, last, port);
  if (error == std::errc() && end == last && port > 0 && port < 65536) http.Port = port;
}

}  // namespace

std::string outlookExpressVersion(platform::Registry& registry) {
  const auto key = registry.openReadOnly(platform::RegistryRoot::LocalMachine, oe::kInstallKey);
  if (!key) return {};
  return base::replaceAll(key->readString(oe::kMediaVer).value_or(""), ",", ".");
}

std::string updateCheckTarget(std::string_view oeVersion, const platform::SystemVersion& windows,
                              std::string_view servicePack) {
  std::string target = "/checkupdate.php";
  target += "?logiciel=Vantrel";
  target += "&version=" + std::string(APP_VERSION);
  target += "&oeversion=" + std::string(oeVersion);
  target += "&winversion=" + std::to_string(windows.major) + "." + std::to_string(windows.minor) +
            "." + std::to_string(windows.build);
  target += "&winmisc=" + std::string(servicePack);
  return target;
}

void TMainForm::designHttp() {
  http.Port = kHttpPort;
  http.RequestTimeOut = kUpdateCheckMs;
  http.MaxHeaderSize = kUpdateHeaderBytes;
  http.MaxBodySize = kUpdateBodyBytes;
  http.OnSuccess = [this](net::CmdType cmd) { httpSuccess(cmd); };
  http.OnFailure = [this](net::CmdType cmd) { httpFailure(cmd); };
  http.OnConnectionFailed = [this](net::TAsyncSocket& sender) { httpConnectionFailed(sender); };
  http.OnInvalidHost = [this](bool& handled) { httpInvalidHost(handled); };
}

void TMainForm::bttnWWWClick() {
  platform_.shell.openUrl(self_, std::string(APP_URL) + "?ref=Vantrel");
}

void TMainForm::bttnMailListClick() {
  if (platform_.dialogs.messageBox(self_, langTexts.msgAboutML, APP_NAME,
                                   platform::MbIconQuestion | platform::MbYesNo) !=
      platform::IdYes) {
    return;
  }
  platform_.shell.openUrl(self_, std::string(APP_URL) + "subscribe.php?lang=" + langTexts.langCode);
}

void TMainForm::bttnFaqOEClick() {
  platform_.shell.openUrl(self_, FAQ_URL);
}

void TMainForm::bttnUpdtClick() {
  // The window stays live while the check waits: a second click must not nest a second request.
  if (updateChecking_) return;
  updateChecking_ = true;
  updateAnswered_ = false;
  const base::ScopeExit done([this] { updateChecking_ = false; });

  http.Host = std::string(UPDATE_HOST);
  http.Port = kHttpPort;
  const auto elsewhere = platform_.processes.expandEnvironmentStrings(kUpdateHostVariable);
  if (!elsewhere.empty() && elsewhere != kUpdateHostVariable) pointAt(http, elsewhere);

  const auto windows = platform_.processes.version();
  urlEncDec.InputString = windows.servicePack;
  const auto target =
      updateCheckTarget(outlookExpressVersion(platform_.registry), windows, urlEncDec.Encode());
  try {
    http.Get(target);
  } catch (const std::exception&) {
    // Told below: whatever went wrong, the check ends with an outcome.
  }
  if (!updateAnswered_) showUpdateFailed();
}

void TMainForm::httpSuccess(net::CmdType cmd) {
  if (cmd != net::CmdType::Get || platform_.loop.quitting()) return;
  // No status line, or nothing in the body, is no answer at all.
  const auto version = serverWords(http.Body);
  if (http.ReplyNumber() == 0 || version.empty()) {
    showUpdateFailed();
    return;
  }
  updateAnswered_ = true;
  // Over plain HTTP anyone on the way may write the number: it is quoted as a server's words.
  platform_.dialogs.messageBoxWithServerWords(
      self_, mailtext::windows1252ToUtf8(langTexts.msgAboutCheckUpdt) + " " + version, APP_NAME,
      platform::MbOk | platform::MbIconInformation);
}

void TMainForm::httpFailure(net::CmdType) {
  showUpdateFailed();
}

void TMainForm::httpConnectionFailed(net::TAsyncSocket&) {
  showUpdateFailed();
}

void TMainForm::httpInvalidHost(bool& handled) {
  // The box answers the click: a second lookup that succeeded would bring the version box too.
  handled = false;
  showUpdateFailed();
}

void TMainForm::showUpdateFailed() {
  // The program is ending: its windows are going, and nobody is waiting for the outcome.
  if (updateAnswered_ || platform_.loop.quitting()) return;
  updateAnswered_ = true;
  platform_.dialogs.messageBox(self_, langTexts.msgAboutCheckUpdtFailed, APP_NAME,
                               platform::MbOk | platform::MbIconError);
}

}  // namespace vantrel::app
