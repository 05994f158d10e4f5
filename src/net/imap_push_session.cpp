#include "net/imap_push_session.h"

#include <algorithm>
#include <utility>

#include "net/secure_refusals.h"

namespace vantrel::net {

namespace {

ImapPushSession::End ended(ImapPushSession::EndReason reason, std::string text) {
  ImapPushSession::End end;
  end.reason = reason;
  end.text = std::move(text);
  return end;
}

ImapPushSession::End ended(ImapPushSession::EndReason reason, MailFault fault) {
  ImapPushSession::End end = ended(reason, std::string(mailFaultWords(fault)));
  end.fault = fault;
  return end;
}

}  // namespace

ImapPushSession::ImapPushSession(platform::EventLoop& loop, platform::Sockets& sockets,
                                 Account account, Timing timing, Handlers handlers)
    : loop_(loop),
      account_(std::move(account)),
      timing_(timing),
      handlers_(std::move(handlers)),
      connection_(loop, sockets,
                  {.onOpen =
                       [this] {
                         secured_ = account_.secure;
                         tlsSeen_ = tlsSeen_ || secured_;
                       },
                   .onSecured = [this] { secured(); },
                   .onBytes = [this](std::string_view bytes) { received(bytes); },
                   .onEnd = [this](const ConnectionEnd& end) { connectionEnded(end); }}) {
  connect();
}

ImapPushSession::~ImapPushSession() {
  *alive_ = false;
  close();
}

std::vector<std::string> ImapPushSession::takeAlerts() {
  alertsBefore_ = 0;
  return alerts_.take();
}

void ImapPushSession::connect() {
  reader_.reset();
  pending_.clear();
  continuation_ = nullptr;
  loginParts_.clear();
  tags_ = 0;
  capabilities_.clear();
  secured_ = loggedIn_ = examined_ = passwordSent_ = false;
  alertsBefore_ = alerts_.kept();
  phase_ = Phase::Greeting;
  connection_.open(account_.host, account_.port, account_.secure);
  connection_.arm(timing_.answerMs);
}

void ImapPushSession::close() {
  if (phase_ == Phase::Over) return;
  if (renewal_) loop_.stopTimer(*std::exchange(renewal_, std::nullopt));
  if (loggedIn_ && connection_.isOpen()) sendLogout();
  phase_ = Phase::Over;
  connection_.close();
}

void ImapPushSession::sendLogout() {
  // DONE first where the server is idling; nothing is waited for.
  if (phase_ == Phase::Idling) connection_.send("DONE\r\n");
  connection_.send("a" + std::to_string(++tags_) + " LOGOUT\r\n");
}

void ImapPushSession::received(std::string_view bytes) {
  const auto alive = alive_;
  // What comes in clear text after STARTTLS's answer may have been put there on the way: the
  // rest of it is dropped.
  while (!bytes.empty() && phase_ != Phase::Over && phase_ != Phase::Securing) {
    bytes.remove_prefix(reader_.take(bytes));
    if (reader_.broken()) {
      drop(MailFault::AnswerTooLong);
      return;
    }
    if (const std::optional<ImapAnswer> answer = reader_.answer()) {
      handle(*answer);
      if (!*alive) return;
    }
  }
}

void ImapPushSession::handle(const ImapAnswer& answer) {
  const ImapLine line = classifyImapLine(answer.text);
  alerts_.keep(line);
  if (phase_ == Phase::Greeting) {
    greeted(line, answer);
    return;
  }
  switch (line.kind) {
    case ImapKind::Continuation:
      // One that nothing asked for is passed over.
      if (continuation_) std::exchange(continuation_, nullptr)();
      break;
    case ImapKind::Tagged: {
      const auto found = std::find_if(pending_.begin(), pending_.end(),
                                      [&](const Pending& each) { return each.tag == line.tag; });
      if (found == pending_.end()) break;
      const Done done = std::move(found->done);
      pending_.erase(found);
      if (pending_.empty()) connection_.disarm();
      done(line, answer);
      break;
    }
    case ImapKind::Untagged:
      untagged(line, answer);
      break;
    case ImapKind::Unknown:
      break;
  }
}

void ImapPushSession::untagged(const ImapLine& line, const ImapAnswer& answer) {
  if (line.status == ImapStatus::Bye) {
    drop(answer.text);
    return;
  }
  if (auto capabilities = capabilitiesOf(line)) capabilities_ = std::move(*capabilities);
  if (phase_ == Phase::Counting && counted_) counted_->untagged(answer, line);
  if (phase_ == Phase::Summaries && found_) found_->take(answer);
  if (examined_ && tellsOfChange(line)) changed();
}

void ImapPushSession::command(const std::string& text, Done done) {
  const std::string tag = "a" + std::to_string(++tags_);
  pending_.push_back({tag, std::move(done)});
  connection_.send(tag + " " + text + "\r\n");
  connection_.arm(timing_.answerMs);
}

void ImapPushSession::greeted(const ImapLine& line, const ImapAnswer& answer) {
  phase_ = Phase::Preparing;
  if (line.kind != ImapKind::Untagged ||
      (line.status != ImapStatus::Ok && line.status != ImapStatus::Preauth)) {
    drop(answer.text);
    return;
  }
  connection_.disarm();
  if (auto capabilities = capabilitiesOf(line)) capabilities_ = std::move(*capabilities);
  if (line.status == ImapStatus::Preauth) {
    if (const auto refusal = preauthRefusal(loginGround())) {
      refuseSecure(*refusal);
      return;
    }
    loggedIn_ = true;
    examine();
    return;
  }
  if (capabilities_.empty()) {
    askCapabilities([this] { beforeLogin(); });
  } else {
    beforeLogin();
  }
}

void ImapPushSession::askCapabilities(std::function<void()> then) {
  capabilities_.clear();
  command("CAPABILITY",
          [this, then = std::move(then)](const ImapLine& line, const ImapAnswer& answer) {
            if (line.status != ImapStatus::Ok) {
              drop(answer.text);
            } else {
              then();
            }
          });
}

LoginGround ImapPushSession::loginGround() const {
  return {secured_, account_.knownSecure || tlsSeen_, account_.passwordOnlyOverTls};
}

void ImapPushSession::beforeLogin() {
  const LoginStep step = net::beforeLogin(capabilities_, loginGround());
  switch (step.what) {
    case LoginStep::What::StartTls:
      tlsSeen_ = true;
      // Alerts said in clear text on a connection that then had to be secured may be forged.
      alerts_.forgetSince(alertsBefore_);
      command("STARTTLS", [this](const ImapLine& line, const ImapAnswer&) {
        if (line.status != ImapStatus::Ok) {
          refuseSecure(platform::TlsRefusal::OfferedThenRefused);
          return;
        }
        phase_ = Phase::Securing;
        reader_.reset();
        connection_.secure();
        connection_.arm(timing_.answerMs);
      });
      break;
    case LoginStep::What::RefuseSecure:
      refuseSecure(step.refusal);
      break;
    case LoginStep::What::LoginDisabled:
      finish(ended(EndReason::ServerRefused, MailFault::LoginDisabled));
      break;
    case LoginStep::What::Login:
      login();
      break;
  }
}

void ImapPushSession::secured() {
  secured_ = true;
  phase_ = Phase::Preparing;
  alerts_.forgetSince(alertsBefore_);
  // What the server offered in clear text may have been forged on the way.
  askCapabilities([this] { beforeLogin(); });
}

void ImapPushSession::login() {
  const std::string tag = "a" + std::to_string(++tags_);
  std::string line = tag + " LOGIN";
  for (const std::string* argument : {&account_.user, &account_.password}) {
    line += ' ';
    if (const auto quoted = quotedString(*argument)) {
      line += *quoted;
      continue;
    }
    // A synchronizing literal: its bytes go only once the server has said it takes them.
    loginParts_.push_back(line + "{" + std::to_string(argument->size()) + "}\r\n");
    line = *argument;
  }
  loginParts_.push_back(line + "\r\n");
  pending_.push_back({tag, [this](const ImapLine& answered, const ImapAnswer& answer) {
                        loginAnswered(answered, answer);
                      }});
  sendLoginPart();
}

void ImapPushSession::sendLoginPart() {
  connection_.send(loginParts_.front());
  loginParts_.erase(loginParts_.begin());
  connection_.arm(timing_.answerMs);
  // The password is in the last part.
  passwordSent_ = loginParts_.empty();
  if (!loginParts_.empty()) continuation_ = [this] { sendLoginPart(); };
}

void ImapPushSession::loginAnswered(const ImapLine& line, const ImapAnswer& answer) {
  continuation_ = nullptr;
  // A refused literal is not the answer to LOGIN: it says nothing of the password.
  if (!loginParts_.empty()) {
    drop(answer.text);
    return;
  }
  switch (loginAnswerOf(line)) {
    case LoginAnswer::Accepted: {
      loggedIn_ = true;
      // What a server offers before the login is not what it offers after it.
      auto capabilities = capabilitiesOf(line);
      capabilities_ = capabilities ? std::move(*capabilities) : std::vector<std::string>();
      examine();
      break;
    }
    case LoginAnswer::PasswordRefused:
      finish(ended(EndReason::PasswordRefused, answer.text));
      break;
    case LoginAnswer::ServerRefused: {
      // A server whose password store is down must not cost the user a good password.
      End refused = ended(EndReason::ServerRefused, answer.text);
      refused.code = responseCode(line);
      refused.serverText = responseText(line);
      finish(std::move(refused));
      break;
    }
    case LoginAnswer::Unexpected:
      drop(answer.text);
      break;
  }
}

void ImapPushSession::examine() {
  // Commands that do not wait on each other's answers go together: a far server costs no round
  // trip more. Read-only: nothing done here may change a flag, \Recent included.
  const bool known = !capabilities_.empty();
  if (!known) askCapabilities([this] { count(); });
  command(std::string(kExamineInbox), [this](const ImapLine& line, const ImapAnswer& answer) {
    if (line.status != ImapStatus::Ok) {
      drop(answer.text);
    } else {
      examined_ = true;
    }
  });
  if (known) count();
}

void ImapPushSession::count() {
  phase_ = Phase::Counting;
  idleOffered_ = offers(capabilities_, "IDLE");
  changed_ = false;
  unseen_.reset();
  found_.reset();
  counted_.emplace(CountWanted{.esearch = offers(capabilities_, "ESEARCH"),
                               .newest = static_cast<std::size_t>(std::max(account_.summaries, 0)),
                               .examined = true});
  // A SEARCH may name every message of the mailbox: its answer is read as it comes.
  reader_.setPieces([this](std::string_view piece) { counted_->feed(piece); });
  const std::vector<CountCommand> commands = counted_->commands();
  counting_ = static_cast<int>(commands.size());
  for (const CountCommand& each : commands) {
    command(each.text, [this](const ImapLine& line, const ImapAnswer& answer) {
      countAnswered(line, answer);
    });
  }
}

void ImapPushSession::countAnswered(const ImapLine& line, const ImapAnswer& answer) {
  if (line.status != ImapStatus::Ok) {
    drop(answer.text);
    return;
  }
  if (--counting_ > 0) return;
  reader_.setPieces(nullptr);
  unseen_ = counted_->count();
  if (!unseen_) {
    drop(MailFault::NoUnseenCount);
    return;
  }
  if (account_.summaries > 0 && *unseen_ > 0 && !counted_->newestFirst().empty()) {
    fetchSummaries();
  } else {
    report();
  }
}

void ImapPushSession::fetchSummaries() {
  phase_ = Phase::Summaries;
  const std::vector<std::uint32_t> uids = counted_->newestFirst();
  found_.emplace(uids);
  // Whatever the answer, the count stands, with the summaries that came before it.
  command(summaryFetchCommand(uids), [this](const ImapLine&, const ImapAnswer&) { report(); });
}

void ImapPushSession::report() {
  Count counted{*unseen_, found_ ? std::move(*found_).summaries() : std::vector<TSummary>{}};
  found_.reset();
  const auto alive = alive_;
  const std::function<void(const Count&)> onCount = handlers_.onCount;
  if (onCount) onCount(counted);
  if (!*alive || phase_ == Phase::Over) return;
  if (changed_) {
    count();
  } else if (!idleOffered_) {
    finish(ended(EndReason::NoIdle, MailFault::NoIdle), true);
  } else {
    idle();
  }
}

void ImapPushSession::idle() {
  phase_ = Phase::StartingIdle;
  command("IDLE",
          [this](const ImapLine& line, const ImapAnswer& answer) { idleAnswered(line, answer); });
  continuation_ = [this] {
    phase_ = Phase::Idling;
    connection_.disarm();
    renewal_ = loop_.startTimer(timing_.renewMs, [this] {
      loop_.stopTimer(*std::exchange(renewal_, std::nullopt));
      leaveIdle();
    });
    const auto alive = alive_;
    const std::function<void()> onIdling = handlers_.onIdling;
    if (onIdling) onIdling();
    if (*alive && phase_ == Phase::Idling && changed_) leaveIdle();
  };
}

void ImapPushSession::idleAnswered(const ImapLine& line, const ImapAnswer& answer) {
  switch (phase_) {
    case Phase::LeavingIdle:
      if (line.status != ImapStatus::Ok) {
        drop(answer.text);
      } else if (changed_) {
        count();
      } else {
        idle();
      }
      break;
    case Phase::StartingIdle:
      continuation_ = nullptr;
      if (line.status == ImapStatus::Ok) {
        drop(MailFault::IdleEnded);
      } else {
        finish(ended(EndReason::NoIdle, MailFault::IdleRefused), true);
      }
      break;
    default:
      drop(MailFault::IdleEnded);
      break;
  }
}

void ImapPushSession::changed() {
  // One count a burst: what comes before it is answered is in it.
  changed_ = true;
  if (phase_ == Phase::Idling) leaveIdle();
}

void ImapPushSession::leaveIdle() {
  phase_ = Phase::LeavingIdle;
  if (renewal_) loop_.stopTimer(*std::exchange(renewal_, std::nullopt));
  connection_.send("DONE\r\n");
  // A server that does not answer its renewal is gone, however quietly.
  connection_.arm(timing_.answerMs);
}

void ImapPushSession::connectionEnded(const ConnectionEnd& end) {
  if (phase_ == Phase::Over) return;
  switch (end.why) {
    case ConnectionEnd::Why::TlsRetry:
      if (!std::exchange(retried_, true)) {
        connect();
      } else {
        refuseSecure(end.reason, platform::TlsRefusal::NothingInCommon);
      }
      break;
    case ConnectionEnd::Why::TlsRefused:
      refuseSecure(end.reason, end.refusal);
      break;
    default:
      drop({}, end);
      break;
  }
}

void ImapPushSession::drop(std::string text, std::optional<ConnectionEnd> connection) {
  End dropped = ended(EndReason::Dropped, std::move(text));
  dropped.connection = std::move(connection);
  finish(std::move(dropped));
}

void ImapPushSession::drop(MailFault fault) {
  finish(ended(EndReason::Dropped, fault));
}

void ImapPushSession::refuseSecure(std::string reason, platform::TlsRefusal refusal) {
  const platform::TlsRefusal kind =
      refusal == platform::TlsRefusal::Other ? platform::tlsRefusalOf(reason) : refusal;
  End refused = ended(EndReason::SecureRefused, "Secure connection failed: " + reason);
  refused.tlsReason = std::move(reason);
  refused.refusal = kind;
  finish(std::move(refused));
}

void ImapPushSession::refuseSecure(platform::TlsRefusal refusal) {
  refuseSecure(std::string(secureRefusalWords(refusal)), refusal);
}

void ImapPushSession::finish(End end, bool logout) {
  if (phase_ == Phase::Over) return;
  if (renewal_) loop_.stopTimer(*std::exchange(renewal_, std::nullopt));
  reader_.setPieces(nullptr);
  if (logout && connection_.isOpen()) sendLogout();
  phase_ = Phase::Over;
  connection_.close();
  const std::function<void(const End&)> onEnded = handlers_.onEnded;
  if (onEnded) onEnded(end);
}

}  // namespace vantrel::net
