#include "tls_contract.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

namespace vantrel::net::testing {

namespace {

using platform::kNoSocket;
using platform::SocketHandle;
namespace wsa = platform::wsa;

constexpr std::uint64_t kPatienceMs = 5000;
constexpr std::size_t kChunk = 16384;
// Far more than the kernels of both ends hold for one connection.
constexpr std::size_t kMostBytes = std::size_t{256} << 20;

// One connection to 127.0.0.1, made and closed the way the socket component does it.
class Connection {
 public:
  Connection(platform::Sockets& sockets, platform::EventLoop& loop)
      : sockets_(sockets), loop_(loop) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() {
    if (socket_ != kNoSocket) sockets_.close(socket_);
  }

  // Empty, or why no connection (secured for localhost when `secure`) could be made.
  std::string open(int port, bool secure) {
    socket_ = sockets_.open(false);
    if (socket_ == kNoSocket) return "no socket: error " + std::to_string(sockets_.lastError());
    const auto address = sockets_.parseDotted("127.0.0.1");
    if (sockets_.connect(socket_, *address, static_cast<std::uint16_t>(port)) != 0 &&
        sockets_.lastError() != wsa::kWouldBlock) {
      return "no connection: error " + std::to_string(sockets_.lastError());
    }
    for (int result; (result = sockets_.connectResult(socket_)) != 0;) {
      if (result != wsa::kWouldBlock) return "no connection: error " + std::to_string(result);
      if (!wait(platform::kSocketConnect | platform::kSocketWrite)) return "no connection in time";
    }
    if (!secure) return {};
    using State = platform::TlsStep::State;
    platform::TlsStep step = sockets_.startTls(socket_, "localhost");
    while (step.state == State::WantRead || step.state == State::WantWrite) {
      if (!wait(step.state == State::WantRead ? platform::kSocketRead : platform::kSocketWrite)) {
        return "no handshake in time";
      }
      step = sockets_.continueTls(socket_);
    }
    return step.state == State::Done ? std::string() : "no handshake: " + step.reason;
  }

  // Whether one of `events` came in time. A wake meant for a component's wait is no answer.
  bool wait(unsigned events) {
    const std::uint64_t deadline = loop_.nowMs() + kPatienceMs;
    platform::WaitOutcome outcome;
    while ((outcome = loop_.waitForSocket(socket_, events, deadline)) ==
           platform::WaitOutcome::Woken) {
    }
    return outcome == platform::WaitOutcome::Ready;
  }

  long send(const char* data, std::size_t length) { return sockets_.send(socket_, data, length); }
  long receive(char* data, std::size_t length, bool peek) {
    return sockets_.receive(socket_, data, length, peek);
  }
  bool wouldBlock() const { return sockets_.lastError() == wsa::kWouldBlock; }
  // A send's or receive's answer, for a fault's text.
  std::string told(long answer) const {
    return std::to_string(answer) +
           (answer < 0 ? " (error " + std::to_string(sockets_.lastError()) + ")" : "");
  }

  // Sends the whole text, waiting while the socket is full: empty, or what stopped it.
  std::string sendAll(const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
      const long n = send(text.data() + done, text.size() - done);
      if (n > 0 && static_cast<std::size_t>(n) <= text.size() - done) {
        done += static_cast<std::size_t>(n);
      } else if (n >= 0 || !wouldBlock() || !wait(platform::kSocketWrite)) {
        return "a send answered " + told(n);
      }
    }
    return {};
  }

  // What comes up to and including a line end, or up to whatever ended the wait for it.
  std::string line() {
    std::string text;
    std::array<char, 256> chunk{};
    while (text.find('\n') == std::string::npos) {
      const long n = receive(chunk.data(), chunk.size(), false);
      if (n > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(n));
      } else if (n == 0 || !wouldBlock() || !wait(platform::kSocketRead)) {
        return text + "[receive answered " + told(n) + "]";
      }
    }
    return text;
  }

 private:
  platform::Sockets& sockets_;
  platform::EventLoop& loop_;
  SocketHandle socket_ = kNoSocket;
};

// Lets the oldest stalled connection of STALLS read, once the server has taken the word.
void letStalledRead(platform::Sockets& sockets, platform::EventLoop& loop, int port) {
  Connection word(sockets, loop);
  if (word.open(port, false).empty() && word.sendAll("go").empty()) word.line();
}

}  // namespace

std::vector<std::string> sendAfterWouldBlockFaults(platform::Sockets& sockets,
                                                   platform::EventLoop& loop, int stallsPort) {
  std::vector<std::string> faults;
  // What STALLS checks: the alphabet over and over, from the first byte on.
  std::string alphabet;
  while (alphabet.size() < kChunk + 26) alphabet += "abcdefghijklmnopqrstuvwxyz";
  const auto from = [&alphabet](std::size_t offset) -> const char* {
    return alphabet.data() + offset % 26;
  };
  const std::string command = "A1 LOGOUT\r\n";

  // Each case starts where a send has just answered would-block after `sent` bytes, and answers
  // what went wrong after that, or nothing.
  const std::pair<const char*, std::function<std::string(Connection&, std::size_t)>> cases[] = {
      {"a command after a send that would block",
       [&](Connection& c, std::size_t sent) -> std::string {
         long n = c.send(command.data(), command.size());
         if (n > static_cast<long>(command.size())) {
           return "answered " + c.told(n) + " for " + std::to_string(command.size()) + " bytes";
         }
         if (n >= 0 || c.wouldBlock()) return "the command answered " + c.told(n);
         letStalledRead(sockets, loop, stallsPort);
         c.wait(platform::kSocketWrite);
         for (const auto& [data, length] :
              {std::pair(from(sent), kChunk), std::pair(command.data(), command.size())}) {
           n = c.send(data, length);
           if (n >= 0 || c.wouldBlock()) return "a later send answered " + c.told(n);
         }
         return {};
       }},
      {"the same bytes again",
       [&](Connection& c, std::size_t sent) -> std::string {
         // Still no room: at once, then once the server reads.
         long n = c.send(from(sent), kChunk);
         letStalledRead(sockets, loop, stallsPort);
         while (n < 0 && c.wouldBlock() && c.wait(platform::kSocketWrite)) {
           n = c.send(from(sent), kChunk);
         }
         if (n <= 0 || static_cast<std::size_t>(n) > kChunk) {
           return "the repeated send answered " + c.told(n);
         }
         sent += static_cast<std::size_t>(n);
         if (std::string why = c.sendAll("\n"); !why.empty()) return why;
         const std::string heard = c.line();
         const std::string expected = "+OK " + std::to_string(sent) + "\r\n";
         return heard == expected ? std::string() : "the server answered " + heard;
       }},
  };
  for (const auto& [name, rest] : cases) {
    Connection c(sockets, loop);
    std::string fault = c.open(stallsPort, true);
    if (fault.empty()) {
      std::size_t sent = 0;
      long n = 0;
      while (sent < kMostBytes && (n = c.send(from(sent), kChunk)) > 0 &&
             static_cast<std::size_t>(n) <= kChunk) {
        sent += static_cast<std::size_t>(n);
      }
      fault = n <= 0 && c.wouldBlock() ? rest(c, sent)
                                       : "filling the socket: a send answered " + c.told(n) +
                                             " after " + std::to_string(sent) + " bytes";
    }
    // However the case ended, its connection is not left stalled for the next one.
    letStalledRead(sockets, loop, stallsPort);
    if (!fault.empty()) faults.push_back(std::string(name) + ": " + fault);
  }
  return faults;
}

std::vector<std::string> endOfStreamFaults(platform::Sockets& sockets, platform::EventLoop& loop,
                                           int endsPort) {
  std::vector<std::string> faults;
  for (const std::string way : {"close notify", "hang up", "cut record"}) {
    Connection c(sockets, loop);
    std::string fault = c.open(endsPort, true);
    if (fault.empty()) fault = c.sendAll(way + "\n");
    if (fault.empty()) {
      if (const std::string heard = c.line(); heard != "+OK " + way + "\r\n") {
        fault = "the server answered " + heard;
      }
    }
    if (fault.empty()) {
      // The component peeks first, then takes.
      std::array<char, 256> chunk{};
      long n = -1;
      while ((n = c.receive(chunk.data(), chunk.size(), true)) < 0 && c.wouldBlock() &&
             c.wait(platform::kSocketRead)) {
      }
      const std::string peeked = c.told(n);
      const long taken = c.receive(chunk.data(), chunk.size(), false);
      if (n != 0 || taken != 0) fault = "the end answered " + peeked + ", then " + c.told(taken);
    }
    if (!fault.empty()) faults.push_back(way + ": " + fault);
  }
  return faults;
}

}  // namespace vantrel::net::testing
