#include "imap_standin.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vantrel::testing {
namespace {

// The quoted strings of a LOGIN's arguments, unescaped; none where one is not quoted.
std::optional<std::vector<std::string>> quotedArguments(const std::string& text) {
  std::vector<std::string> arguments;
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    if (text[at] != '"') return std::nullopt;
    std::string argument;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
      if (text[at] == '\\' && at + 1 < text.size()) ++at;
      argument += text[at];
    }
    if (at == text.size()) return std::nullopt;
    ++at;
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

class ImapConnection final : public platform::standin::StandinConnection {
 public:
  explicit ImapConnection(std::shared_ptr<ImapState> state)
      : state_(std::move(state)), secure_(state_->listener.implicitTls) {
    state_->open.insert(this);
  }
  ImapConnection(const ImapConnection&) = delete;
  ImapConnection& operator=(const ImapConnection&) = delete;
  ~ImapConnection() override { state_->open.erase(this); }

  std::string greeting() override {
    const auto& user = state_->listener.preauth;
    if (user.empty()) return "* OK [CAPABILITY " + capabilities() + "] stand-in ready\r\n";
    mailbox_ = &state_->mailboxes[user];
    return "* PREAUTH [CAPABILITY " + capabilities() + "] welcome back, " + user + "\r\n";
  }

  std::string received(std::string_view bytes) override {
    std::string answer;
    for (const auto& line : lines_.add(bytes)) {
      if (line == "DONE" && idling()) {
        state_->commands.push_back(line);
        answer += std::exchange(idleTag_, {}) + " OK Idle completed\r\n";
        continue;
      }
      const auto [tag, command] = firstWord(line);
      state_->commands.push_back(command);
      answer += answerTo(tag, command);
    }
    return answer;
  }

  bool idling() const { return !idleTag_.empty(); }
  // The mailbox it has examined has changed: an idling connection is told.
  void changed(const StandinMailbox& mailbox, const std::string& told) {
    if (idling() && mailbox_ == &mailbox) say(told);
  }
  void hangUp() { hungUp_ = true; }

  bool hungUp() const override { return hungUp_; }
  bool implicitTls() const override { return state_->listener.implicitTls; }
  std::string tlsRefusal(const std::string& serverName) override {
    state_->handshakes.push_back(serverName);
    if (!implicitTls() && !startingTls_) return "the server answered in plain text";
    if (!state_->listener.tlsRefusal.empty()) return state_->listener.tlsRefusal;
    secure_ = true;
    return {};
  }

 private:
  std::string capabilities() const {
    std::string text = "IMAP4rev1";
    if (!secure_ && state_->listener.startTls) text += " STARTTLS";
    if (!secure_ && state_->listener.loginDisabled) text += " LOGINDISABLED";
    if (mailbox_ && state_->listener.esearch) text += " ESEARCH";
    if (state_->listener.idle) text += " IDLE";
    return text;
  }

  std::string answerTo(const std::string& tag, const std::string& command) {
    const auto [verb, rest] = firstWord(command);
    if (verb == "CAPABILITY") return "* CAPABILITY " + capabilities() + "\r\n" + tag + " OK\r\n";
    if (verb == "STARTTLS" && !secure_ && state_->listener.startTls) {
      startingTls_ = true;
      return tag + " OK begin TLS\r\n";
    }
    if (verb == "LOGIN") {
      if (!secure_ && state_->listener.loginDisabled) return tag + " NO not in plain text\r\n";
      if (!state_->listener.loginAnswer.empty()) {
        return tag + " " + state_->listener.loginAnswer + "\r\n";
      }
      const auto arguments = quotedArguments(rest);
      if (!arguments || arguments->size() != 2) return tag + " BAD\r\n";
      const auto found = state_->mailboxes.find(arguments->at(0));
      if (found == state_->mailboxes.end() || found->second.password != arguments->at(1)) {
        return tag + " NO [AUTHENTICATIONFAILED] invalid password\r\n";
      }
      mailbox_ = &found->second;
      if (state_->listener.esearch) return tag + " OK [CAPABILITY " + capabilities() + "] in\r\n";
      return tag + " OK logged in\r\n";
    }
    if (verb == "STATUS" && mailbox_) {
      std::string items = "UNSEEN " + std::to_string(mailbox_->count);
      if (rest.find("UIDNEXT") != std::string::npos) {
        items += " UIDNEXT " + std::to_string(mailbox_->uidBase + mailbox_->count + 1) +
                 " UIDVALIDITY " + std::to_string(mailbox_->uidValidity);
      }
      return "* STATUS \"INBOX\" (" + items + ")\r\n" + tag + " OK\r\n";
    }
    if (verb == "EXAMINE" && mailbox_) {
      if (mailbox_->examineRefused) return tag + " NO [UNAVAILABLE] try later\r\n";
      examined_ = true;
      return "* " + std::to_string(mailbox_->count) + " EXISTS\r\n* OK [UIDVALIDITY " +
             std::to_string(mailbox_->uidValidity) + "] UIDs valid\r\n" + tag +
             " OK [READ-ONLY]\r\n";
    }
    if (verb == "UID" && mailbox_) return answerToUid(tag, rest);
    if (verb == "IDLE" && examined_ && state_->listener.idle) {
      idleTag_ = tag;
      return "+ idling\r\n";
    }
    if (verb == "LOGOUT") {
      hungUp_ = true;
      return "* BYE\r\n" + tag + " OK\r\n";
    }
    return tag + " BAD\r\n";
  }

  // Every message is unread: SEARCH UNSEEN names them all; FETCH gives each its header, as many
  // as the mailbox gives before its server hangs up.
  std::string answerToUid(const std::string& tag, const std::string& command) {
    const auto [verb, rest] = firstWord(command);
    const int first = mailbox_->uidBase + 1;
    const int last = mailbox_->uidBase + mailbox_->count;
    if (verb == "SEARCH" && !examined_) return tag + " BAD no mailbox\r\n";
    if (verb == "SEARCH" && rest == "UNSEEN") {
      std::string found = "* SEARCH";
      for (int uid = first; uid <= last; ++uid) found += " " + std::to_string(uid);
      return found + "\r\n" + tag + " OK\r\n";
    }
    if (verb == "SEARCH" && rest.starts_with("RETURN (") && rest.ends_with(") UNSEEN")) {
      const std::string options = rest.substr(8, rest.size() - 16);
      std::string found = "* ESEARCH (TAG \"" + tag + "\") UID";
      if (options.find("COUNT") != std::string::npos) {
        found += " COUNT " + std::to_string(mailbox_->count);
      }
      if (options.find("ALL") != std::string::npos && mailbox_->count > 0) {
        found += " ALL " + std::to_string(first) + ":" + std::to_string(last);
      }
      return found + "\r\n" + tag + " OK\r\n";
    }
    if (verb != "FETCH") return tag + " BAD\r\n";
    std::string answer;
    auto set = firstWord(rest).first;
    for (std::size_t at = 0; at <= set.size();) {
      const auto comma = std::min(set.find(',', at), set.size());
      const auto uid = set.substr(at, comma - at);
      at = comma + 1;
      const auto number = std::to_string(std::atoi(uid.c_str()) - mailbox_->uidBase);
      if (!mailbox_->holds(number)) continue;
      if (headersGiven_++ == mailbox_->headersGiven) {
        hungUp_ = true;
        return answer;
      }
      const auto header = mailbox_->header(std::stoi(number)) + "\r\n";
      answer += "* " + number + " FETCH (UID " + uid +
                " BODY[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)] {" +
                std::to_string(header.size()) + "}\r\n" + header + ")\r\n";
    }
    return answer + tag + " OK\r\n";
  }

  std::shared_ptr<ImapState> state_;
  StandinCommandLines lines_;
  StandinMailbox* mailbox_ = nullptr;
  bool examined_ = false;
  int headersGiven_ = 0;
  bool secure_;
  bool startingTls_ = false;
  bool hungUp_ = false;
  std::string idleTag_;  // of the IDLE under way
};

}  // namespace

StandinImap::StandinImap(platform::standin::StandinSockets& sockets, const std::string& host,
                         std::uint32_t address, ImapListener listener) {
  state_->listener = std::move(listener);
  listen<ImapConnection>(sockets, host, address);
}

void StandinImap::deliver(const std::string& user, const std::string& header) {
  auto& mailbox = state_->mailboxes.at(user);
  ++mailbox.count;
  if (!header.empty()) mailbox.newest.insert(mailbox.newest.begin(), header);
  const auto told = "* " + std::to_string(mailbox.count) + " EXISTS\r\n";
  for (auto* connection : state_->open) {
    static_cast<ImapConnection*>(connection)->changed(mailbox, told);
  }
}

void StandinImap::flagsChanged(const std::string& user) {
  const auto& mailbox = state_->mailboxes.at(user);
  for (auto* connection : state_->open) {
    static_cast<ImapConnection*>(connection)->changed(mailbox, "* 1 FETCH (FLAGS (\\Seen))\r\n");
  }
}

void StandinImap::hangUp() {
  for (auto* connection : state_->open) static_cast<ImapConnection*>(connection)->hangUp();
}

int StandinImap::idling() const {
  return static_cast<int>(std::count_if(state_->open.begin(), state_->open.end(), [](auto* c) {
    return static_cast<ImapConnection*>(c)->idling();
  }));
}

}  // namespace vantrel::testing
