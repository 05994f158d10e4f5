#include "scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>

#include <chrono>
#include <stdexcept>

namespace vantrel::net::testing {

namespace {

// Long enough for any test, short enough that a forgotten server cannot hold up the suite.
constexpr int kSilenceMs = 5000;
constexpr std::size_t kFloodLimit = 64u << 20;

}  // namespace

std::vector<Act> replies(const std::vector<std::string>& lines, Act::Kind end) {
  std::vector<Act> script;
  for (const std::string& line : lines) {
    if (!script.empty()) script.emplace_back(Act::ExpectLine);
    script.emplace_back(Act::Send, line);
  }
  script.emplace_back(end);
  return script;
}

int refusingPort() {
  const ScriptedServer gone(std::vector<Act>{});
  return gone.port();
}

ScriptedServer::ScriptedServer(std::vector<Act> script, int connections)
    : ScriptedServer(ScriptsInTurn{
          std::vector<std::vector<Act>>(static_cast<std::size_t>(connections), script)}) {}

ScriptedServer::ScriptedServer(ScriptsInTurn scripts)
    : scripts_(std::move(scripts.each)),
      listener_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)),
      stop_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_.get(), 8) != 0 ||
      ::getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("scripted server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

ScriptedServer::~ScriptedServer() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = ::write(stop_.get(), &one, sizeof one);
  thread_.join();
}

std::string ScriptedServer::received() const {
  const std::lock_guard lock(mutex_);
  return received_;
}

int ScriptedServer::accepted() const {
  const std::lock_guard lock(mutex_);
  return accepted_;
}

bool ScriptedServer::waitReadable(int fd, int timeoutMs) {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop_.get(), POLLIN, 0}};
  return ::poll(fds, 2, timeoutMs) > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) &&
         !(fds[1].revents & POLLIN);
}

void ScriptedServer::serve() {
  for (const std::vector<Act>& script : scripts_) {
    if (!waitReadable(listener_.get(), kSilenceMs)) return;
    const platform::posix::Fd client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!client.valid()) return;
    {
      const std::lock_guard lock(mutex_);
      ++accepted_;
    }
    const int one = 1;
    ::setsockopt(client.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    play(client.get(), script);
  }
}

bool ScriptedServer::readLine(int client, const std::string& until) {
  std::string got;
  while (got.size() < until.size() || got.compare(got.size() - until.size(), until.size(), until)) {
    if (!waitReadable(client, kSilenceMs)) return false;
    char c = 0;
    if (::recv(client, &c, 1, 0) != 1) return false;
    got += c;
    const std::lock_guard lock(mutex_);
    received_ += c;
  }
  return true;
}

void ScriptedServer::play(int client, const std::vector<Act>& script) {
  for (const Act& act : script) {
    switch (act.kind) {
      case Act::Send:
        if (::send(client, act.text.data(), act.text.size(), MSG_NOSIGNAL) < 0) return;
        break;
      case Act::SendBytes:
        for (const char c : act.text) {
          if (::send(client, &c, 1, MSG_NOSIGNAL) != 1) return;
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        break;
      case Act::Pause:
        std::this_thread::sleep_for(std::chrono::milliseconds(act.count));
        break;
      case Act::ExpectLine:
        if (!readLine(client, "\n")) return;
        break;
      case Act::ReadRequest:
        if (!readLine(client, "\r\n\r\n")) return;
        break;
      case Act::Hold: {
        char sink[4096];
        while (waitReadable(client, kSilenceMs) && ::recv(client, sink, sizeof sink, 0) > 0) {
        }
        return;
      }
      case Act::Flood:
        for (std::size_t sent = 0; sent < kFloodLimit;) {
          pollfd fds[2] = {{client, POLLOUT, 0}, {stop_.get(), POLLIN, 0}};
          if (::poll(fds, 2, kSilenceMs) <= 0 || (fds[1].revents & POLLIN)) return;
          const auto n = ::send(client, act.text.data(), act.text.size(), MSG_NOSIGNAL);
          if (n <= 0) return;
          sent += static_cast<std::size_t>(n);
          // Steady rather than fast: the client must hit its time-out, not our limit.
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return;
      case Act::Close:
        return;
    }
  }
}

}  // namespace vantrel::net::testing
