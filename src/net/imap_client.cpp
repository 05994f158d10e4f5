#include "net/imap_client.h"

#include <algorithm>
#include <utility>

#include "base/scope_exit.h"
#include "net/imap_login_rules.h"
#include "net/text.h"

namespace vantrel::net {

namespace {

constexpr const char* kConnectionClosed = "Connection closed by the server";
// Only the first literal of an answer is ever read (a mailbox name); the count of the others
// is bounded so that a server cannot fill memory with empty ones.
constexpr std::size_t kKeptLiterals = 4;

}  // namespace

TImapClient::TImapClient(platform::EventLoop& loop, platform::Sockets& sockets,
                         SecureServers* secureServers)
    : TMailClient(loop, sockets, secureServers) {
  Port = 143;
}

std::string TImapClient::nextTag() {
  return "a" + std::to_string(++tags_);
}

void TImapClient::leave(const std::string& why) {
  if (Connected()) TAsyncSocket::Disconnect();
  throw ESockError(why);
}

std::vector<std::string> TImapClient::TakeAlerts() {
  return alerts_.take();
}

void TImapClient::noteCapabilities(const std::string& answer) {
  if (auto names = capabilitiesOf(classifyImapLine(answer))) heard_ = {tags_, std::move(*names)};
}

std::optional<ImapAnswer> TImapClient::readAnswer() {
  ImapAnswer answer;
  for (;;) {
    std::string piece;
    ReadLn(piece);
    if (!piece.ends_with('\n')) return std::nullopt;
    const std::string_view line = withoutLineEnd(piece);
    // What counts stands at the start: an answer is kept as far as one line could go.
    answer.text.append(line.substr(0, kIoBufferSize - std::min(kIoBufferSize, answer.text.size())));
    const auto size = literalAtEnd(line);
    if (!size) {
      alerts_.keep(classifyImapLine(answer.text));
      noteCapabilities(answer.text);
      return answer;
    }
    std::string kept;
    const auto got = CaptureCount(*size, [&kept](const char* data, std::size_t n) {
      kept.append(data, std::min(n, ImapAnswer::kKeptLiteral - kept.size()));
    });
    if (got < *size) return std::nullopt;
    if (answer.literals.size() < kKeptLiterals) answer.literals.push_back(std::move(kept));
  }
}

std::optional<TImapClient::Reply> TImapClient::readUpTo(const std::string& tag,
                                                        const Untagged& untagged,
                                                        bool continuation) {
  for (;;) {
    std::optional<ImapAnswer> answer = readAnswer();
    if (!answer) return std::nullopt;
    ImapLine line = classifyImapLine(answer->text);
    if ((line.kind == ImapKind::Tagged && line.tag == tag) ||
        (continuation && line.kind == ImapKind::Continuation)) {
      return Reply{std::move(line), std::move(answer->text)};
    }
    if (line.kind == ImapKind::Untagged && untagged) untagged(*answer, line);
  }
}

TImapClient::Reply TImapClient::expect(const std::string& tag, const Untagged& untagged,
                                       bool continuation) {
  std::optional<Reply> reply = readUpTo(
      tag,
      [&](const ImapAnswer& answer, const ImapLine& line) {
        if (line.status == ImapStatus::Bye) leave(answer.text);
        if (untagged) untagged(answer, line);
      },
      continuation);
  if (!reply) leave(kConnectionClosed);
  return std::move(*reply);
}

TImapClient::Reply TImapClient::command(const std::string& text, const Untagged& untagged) {
  const std::string tag = nextTag();
  Writeln(tag + " " + text);
  return expect(tag, untagged);
}

std::vector<std::string> TImapClient::askCapabilities() {
  std::vector<std::string> found;
  const Reply reply = command("CAPABILITY", [&found](const ImapAnswer&, const ImapLine& line) {
    if (auto capabilities = capabilitiesOf(line)) found = std::move(*capabilities);
  });
  if (reply.line.status != ImapStatus::Ok) throw Exception(reply.text);
  return found;
}

void TImapClient::upgrade() {
  if (command("STARTTLS").line.status != ImapStatus::Ok) {
    throw ETlsError(platform::TlsRefusal::OfferedThenRefused);
  }
  StartTls();
}

void TImapClient::sendLiteral(const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size() - at, 65535));
    SendBuffer(bytes.data() + at, length);
    at += length;
  }
}

TImapClient::Reply TImapClient::sendLogin() {
  // From here the password may be on its way, as a literal or at the end of the line.
  passwordSent_ = true;
  const std::string tag = nextTag();
  std::string line = tag + " LOGIN";
  for (const std::string* argument : {&UserID, &Password}) {
    line += ' ';
    if (const auto quoted = quotedString(*argument)) {
      line += *quoted;
      continue;
    }
    // A synchronizing literal: its bytes go only once the server has said it takes them.
    Writeln(line + "{" + std::to_string(argument->size()) + "}");
    // A refused announcement is not the answer to LOGIN: it says nothing of the password.
    const Reply goAhead = expect(tag, {}, true);
    if (goAhead.line.kind != ImapKind::Continuation) throw Exception(goAhead.text);
    sendLiteral(*argument);
    line.clear();
  }
  Writeln(line);
  return expect(tag);
}

TMailClient::Login TImapClient::login() {
  for (int attempts = 0;; ++attempts) {
    const Reply reply = sendLogin();
    switch (loginAnswerOf(reply.line)) {
      case LoginAnswer::Accepted:
      case LoginAnswer::PasswordRefused:
        break;
      case LoginAnswer::ServerRefused:
        throw EServerRefusal(reply.text, responseCode(reply.line),
                             std::string(responseText(reply.line)));
      case LoginAnswer::Unexpected:
        throw Exception(reply.text);
    }
    loginAlerted_ = refusedWithAlert(reply.line);
    const Login login = checkLogin(reply.line.status == ImapStatus::Ok, attempts);
    if (login != Login::Refused) return login;
  }
}

void TImapClient::dialogue(bool& announce) {
  tags_ = 0;
  loginAlerted_ = false;
  heard_.reset();
  // Alerts said in clear text on a connection that then had to be secured may have been forged.
  const std::size_t earlierAlerts = alerts_.kept();
  const auto refusedInClear = [&](platform::TlsRefusal refusal) {
    alerts_.forgetSince(earlierAlerts);
    return ETlsError(refusal);
  };
  const std::optional<ImapAnswer> greeting = readAnswer();
  if (!greeting) leave(kConnectionClosed);
  const ImapLine hello = classifyImapLine(greeting->text);
  if (hello.kind == ImapKind::Untagged && hello.status == ImapStatus::Bye) leave(greeting->text);
  if (hello.kind != ImapKind::Untagged ||
      (hello.status != ImapStatus::Ok && hello.status != ImapStatus::Preauth)) {
    throw Exception(greeting->text);
  }
  LoginGround ground{Secure, knownSecure(), PasswordOverTlsOnly};
  if (hello.status == ImapStatus::Preauth) {
    if (const auto refusal = preauthRefusal(ground)) throw refusedInClear(*refusal);
  } else {
    std::vector<std::string> capabilities;
    if (auto announced = capabilitiesOf(hello)) {
      capabilities = std::move(*announced);
    } else {
      capabilities = askCapabilities();
    }
    LoginStep step = beforeLogin(capabilities, ground);
    if (step.what == LoginStep::What::StartTls) {
      // Also for the new connection the other TLS engine may need: an offer that is gone then
      // was taken away on the way.
      rememberSecure();
      {
        const base::ScopeExit forget([&] { alerts_.forgetSince(earlierAlerts); });
        upgrade();
      }
      ground.secured = true;
      // What the server said in clear text may have been forged on the way.
      step = beforeLogin(askCapabilities(), ground);
    }
    switch (step.what) {
      case LoginStep::What::StartTls:
      case LoginStep::What::Login:
        break;
      case LoginStep::What::RefuseSecure:
        throw refusedInClear(step.refusal);
      case LoginStep::What::LoginDisabled:
        throw EMailFault(MailFault::LoginDisabled);
    }
    if (login() == Login::TakenOver) return;
  }

  countUnseen();
  announce = true;
}

void TImapClient::Disconnect() {
  if (!Connected()) return;
  refuseNested();
  // A server that keeps talking instead of answering is left within the time-out.
  const bool ownDeadline = startDeadline();
  const auto close = [&] {
    if (ownDeadline) stopDeadline();
    if (Connected()) TAsyncSocket::Disconnect();
  };
  std::optional<Reply> reply;
  try {
    const std::string tag = nextTag();
    Writeln(tag + " LOGOUT");
    reply = readUpTo(tag, {}, false);
  } catch (...) {
    close();
    throw;
  }
  close();
  if (reply && reply->line.status != ImapStatus::Ok) throw Exception(reply->text);
}

}  // namespace vantrel::net
