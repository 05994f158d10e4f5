#pragma once
// A platform for the fuzz targets: the peer is a byte stream served in chunks of a chosen size,
// every wait is over at once, and nothing touches the network.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "net/async_socket.h"
#include "net/errors.h"
#include "platform/event_loop.h"
#include "platform/socket.h"

namespace vantrel::fuzz {

class InstantLoop final : public platform::EventLoop {
 public:
  std::uint64_t nowMs() const override { return 0; }
  platform::TimeOfDay localTime() const override { return {}; }
  platform::TimerId startTimer(std::uint32_t, std::function<void()>) override { return 1; }
  void stopTimer(platform::TimerId) override {}
  void processMessages() override {}
  void sleep(std::uint32_t) override {}
  platform::WaitOutcome waitForSocket(platform::SocketHandle, unsigned,
                                      std::optional<std::uint64_t>) override {
    return platform::WaitOutcome::Ready;
  }
  void wake() override {}
  platform::WatchId watchSocket(platform::SocketHandle, unsigned, std::function<void()>) override {
    return 1;
  }
  void unwatchSocket(platform::WatchId) override {}
  void run() override {}
  void quit() override {}
  bool quitting() const override { return false; }
};

class FoundLookup final : public platform::HostLookup {
 public:
  platform::SocketHandle readyHandle() const override { return platform::kNoSocket; }
  bool finished() const override { return true; }
  int error() const override { return 0; }
  std::uint32_t address() const override { return 0x0100007f; }
};

// Each connection hears the same stream from its start.
class ScriptedSockets final : public platform::Sockets {
 public:
  ScriptedSockets(std::string_view stream, std::size_t chunk)
      : stream_(stream), chunk_(chunk == 0 ? stream.size() + 1 : chunk) {}

  int acquire() override { return 0; }
  void release() override {}
  platform::SocketHandle open(bool) override { return 3; }
  int close(platform::SocketHandle) override { return 0; }
  int connect(platform::SocketHandle, std::uint32_t, std::uint16_t) override {
    at_ = 0;
    return -1;  // under way, as every connect of a non-blocking socket
  }
  int connectResult(platform::SocketHandle) override { return 0; }
  long send(platform::SocketHandle, const char*, std::size_t length) override {
    return static_cast<long>(length);
  }
  long receive(platform::SocketHandle, char* data, std::size_t length, bool peek) override {
    const std::size_t n = std::min({length, chunk_, stream_.size() - at_});
    std::memcpy(data, stream_.data() + at_, n);
    if (!peek) at_ += n;
    return static_cast<long>(n);
  }
  int lastError() const override { return platform::wsa::kWouldBlock; }
  std::optional<std::uint32_t> parseDotted(const std::string& text) const override {
    if (text == "127.0.0.1") return 0x0100007f;
    return std::nullopt;
  }
  std::unique_ptr<platform::HostLookup> lookup(const std::string&, platform::EventLoop&) override {
    return std::make_unique<FoundLookup>();
  }
  // No component of the fuzz targets looks a name up this way.
  std::unique_ptr<platform::HostLookup> lookupThen(const std::string&, platform::EventLoop&,
                                                   std::function<void()>) override {
    return nullptr;
  }

 private:
  std::string_view stream_;
  std::size_t chunk_;
  std::size_t at_ = 0;
};

// A mail component driven as the mail check drives it: alice logs in, a refused password is
// answered once with another, `summaries` asks for the newest messages' summaries, and the session
// is closed in OnConnect. Every failure is an outcome.
template <typename Client, typename Summaries>
void checkMail(Client& client, const std::string& password, Summaries&& summaries) {
  client.Host = "127.0.0.1";
  client.UserID = "alice";
  client.Password = password;
  client.OnAuthenticationFailed = [&client](bool& handled) {
    client.Password = "another";
    handled = true;
  };
  client.OnConnect = [&client, &summaries](net::TAsyncSocket&) {
    summaries();
    try {
      client.Disconnect();
    } catch (const net::Exception&) {
    }
  };
  try {
    client.Connect();
  } catch (const net::Exception&) {
  }
}

}  // namespace vantrel::fuzz
