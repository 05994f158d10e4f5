#include "pop3_standin.h"

namespace vantrel::testing {
namespace {

using namespace std::string_literals;

class Pop3Connection final : public platform::standin::StandinConnection {
 public:
  explicit Pop3Connection(std::shared_ptr<Pop3State> state)
      : state_(std::move(state)), secure_(state_->listener.implicitTls) {}

  std::string greeting() override {
    const bool mute = state_->mode == Pop3Mode::Silent || state_->mode == Pop3Mode::HangsUp;
    return mute ? "" : "+OK POP3 stand-in ready\r\n";
  }

  std::string received(std::string_view bytes) override {
    std::string answer;
    for (const auto& line : lines_.add(bytes)) {
      state_->commands.push_back(line);
      if (state_->mode != Pop3Mode::Silent) answer += answerTo(line);
    }
    return answer;
  }

  bool hungUp() const override { return hungUp_ || state_->mode == Pop3Mode::HangsUp; }
  bool implicitTls() const override { return state_->listener.implicitTls; }
  std::string tlsRefusal(const std::string& serverName) override {
    state_->handshakes.push_back(serverName);
    if (!implicitTls() && !startingTls_) return "the server answered in plain text";
    if (!state_->listener.tlsRefusal.empty()) return state_->listener.tlsRefusal;
    secure_ = true;
    return {};
  }

 private:
  bool offersStls() const { return state_->listener.stls && !secure_; }

  std::string answerTo(const std::string& line) {
    const auto [verb, argument] = firstWord(line);
    if (verb == "CAPA") {
      return "+OK\r\nUSER\r\nTOP\r\n" + (offersStls() ? "STLS\r\n"s : "") + ".\r\n";
    }
    if (verb == "STLS" && offersStls()) {
      startingTls_ = true;
      return "+OK begin TLS\r\n";
    }
    if (verb == "USER") {
      user_ = argument;
      return "+OK\r\n";
    }
    if (verb == "PASS") {
      const auto found = state_->mailboxes.find(user_);
      if (found != state_->mailboxes.end() && found->second.password == argument) {
        mailbox_ = &found->second;
        return "+OK logged in\r\n";
      }
      if (state_->mode == Pop3Mode::HangUpAfterRefusal) hungUp_ = true;
      return "-ERR invalid password\r\n";
    }
    if (verb == "STAT") {
      if (!mailbox_ || state_->mode == Pop3Mode::StatFails) return "-ERR mailbox locked\r\n";
      return "+OK " + std::to_string(mailbox_->count) + " 4520\r\n";
    }
    if (verb == "LIST" && mailbox_ && mailbox_->holds(argument)) {
      return "+OK " + argument + " 120\r\n";
    }
    if (verb == "UIDL" && mailbox_ && state_->listener.uidl && mailbox_->holds(argument)) {
      return "+OK " + argument + " uid" + std::to_string(mailbox_->uidBase + std::stoi(argument)) +
             "\r\n";
    }
    if (verb == "TOP" && mailbox_) {
      const auto [number, lines] = firstWord(argument);
      if (lines != "0" || !mailbox_->holds(number)) return "-ERR no such message\r\n";
      if (headersGiven_++ == mailbox_->headersGiven) {
        hungUp_ = true;
        return "";
      }
      return "+OK\r\n" + mailbox_->header(std::stoi(number)) + "\r\n.\r\n";
    }
    if (verb == "QUIT") return "+OK bye\r\n";
    return "-ERR unknown command\r\n";
  }

  std::shared_ptr<Pop3State> state_;
  StandinCommandLines lines_;
  std::string user_;
  StandinMailbox* mailbox_ = nullptr;
  bool secure_;
  bool startingTls_ = false;
  int headersGiven_ = 0;
  bool hungUp_ = false;
};

}  // namespace

StandinPop3::StandinPop3(platform::standin::StandinSockets& sockets, const std::string& host,
                         std::uint32_t address, Pop3Mode mode, Pop3Listener listener) {
  state_->mode = mode;
  state_->listener = std::move(listener);
  listen<Pop3Connection>(sockets, host, address);
}

}  // namespace vantrel::testing
