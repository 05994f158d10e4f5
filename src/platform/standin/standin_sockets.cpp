#include "platform/standin/standin_sockets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vantrel::platform::standin {

namespace {

class AnsweredLookup final : public HostLookup {
 public:
  explicit AnsweredLookup(std::optional<std::uint32_t> address) : address_(address) {}
  SocketHandle readyHandle() const override { return kNoSocket; }
  bool finished() const override { return true; }
  int error() const override { return address_ ? 0 : wsa::kHostNotFound; }
  std::uint32_t address() const override { return address_.value_or(0); }

 private:
  std::optional<std::uint32_t> address_;
};

// An answer the owner hears of at the loop's next dispatch, unless it has dropped the lookup.
class PostedLookup final : public HostLookup {
 public:
  PostedLookup(std::optional<std::uint32_t> address, StandinEventLoop& loop,
               std::function<void()> onFinished)
      : answer_(address) {
    loop.post([alive = alive_, onFinished = std::move(onFinished)] {
      if (*alive) onFinished();
    });
  }
  PostedLookup(const PostedLookup&) = delete;
  PostedLookup& operator=(const PostedLookup&) = delete;
  ~PostedLookup() override { *alive_ = false; }

  SocketHandle readyHandle() const override { return kNoSocket; }
  bool finished() const override { return true; }
  int error() const override { return answer_.error(); }
  std::uint32_t address() const override { return answer_.address(); }

 private:
  AnsweredLookup answer_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace

StandinSockets::StandinSockets(StandinEventLoop& loop) : loop_(loop) {
  loop.setSocketProbe([this](SocketHandle socket) { return signalled(socket); });
}

void StandinSockets::addHost(std::string name, std::uint32_t address) {
  hosts_[std::move(name)] = address;
}

void StandinSockets::listen(std::uint32_t address, std::uint16_t port,
                            StandinServerFactory factory) {
  listeners_[{address, port}] = std::move(factory);
}

StandinSockets::Socket* StandinSockets::find(SocketHandle socket) {
  const auto found = sockets_.find(socket);
  return found == sockets_.end() ? nullptr : &found->second;
}

long StandinSockets::fail(int error) {
  lastError_ = error;
  return -1;
}

SocketHandle StandinSockets::open(bool) {
  const auto handle = nextHandle_++;
  sockets_[handle];
  return handle;
}

int StandinSockets::close(SocketHandle socket) {
  if (sockets_.erase(socket) == 0) return static_cast<int>(fail(wsa::kNotSocket));
  return 0;
}

int StandinSockets::connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  auto* s = find(socket);
  if (!s) return static_cast<int>(fail(wsa::kNotSocket));
  if (s->connecting || s->server) return static_cast<int>(fail(wsa::kAlready));
  ++connectionsMade_;
  s->connecting = true;
  const auto listener = listeners_.find({address, port});
  if (listener == listeners_.end()) {
    s->connectError = wsa::kConnectionRefused;
  } else if ((s->server = listener->second()) && !s->server->implicitTls()) {
    s->toClient = s->server->greeting();
  }
  return static_cast<int>(fail(wsa::kWouldBlock));
}

int StandinSockets::connectResult(SocketHandle socket) {
  const auto* s = find(socket);
  if (!s || !s->connecting) return wsa::kNotConnected;
  if (s->connectError != 0) return s->connectError;
  return s->server ? 0 : wsa::kWouldBlock;
}

long StandinSockets::send(SocketHandle socket, const char* data, std::size_t length) {
  auto* s = find(socket);
  if (!s) return fail(wsa::kNotSocket);
  if (!s->server) return fail(wsa::kNotConnected);
  if (s->server->hungUp()) return fail(wsa::kConnectionReset);
  s->toClient += s->server->takeSaid();
  s->toClient += s->server->received(std::string_view(data, length));
  return static_cast<long>(length);
}

long StandinSockets::receive(SocketHandle socket, char* data, std::size_t length, bool peek) {
  auto* s = find(socket);
  if (!s) return fail(wsa::kNotSocket);
  if (!s->server) return fail(wsa::kNotConnected);
  s->toClient += s->server->takeSaid();
  if (s->toClient.empty()) return s->server->hungUp() ? 0 : fail(wsa::kWouldBlock);
  const std::size_t n = std::min(length, s->toClient.size());
  std::memcpy(data, s->toClient.data(), n);
  if (!peek) s->toClient.erase(0, n);
  return static_cast<long>(n);
}

std::optional<std::uint32_t> StandinSockets::parseDotted(const std::string& text) const {
  unsigned parts[4] = {};
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3],
                  &tail) != 4) {
    return std::nullopt;
  }
  if (std::any_of(std::begin(parts), std::end(parts), [](unsigned p) { return p > 255; })) {
    return std::nullopt;
  }
  return ipv4(static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
              static_cast<std::uint8_t>(parts[2]), static_cast<std::uint8_t>(parts[3]));
}

std::optional<std::uint32_t> StandinSockets::addressOf(const std::string& name) const {
  const auto found = hosts_.find(name);
  if (found == hosts_.end()) return std::nullopt;
  return found->second;
}

std::unique_ptr<HostLookup> StandinSockets::lookup(const std::string& name, EventLoop&) {
  return std::make_unique<AnsweredLookup>(addressOf(name));
}

std::unique_ptr<HostLookup> StandinSockets::lookupThen(const std::string& name, EventLoop&,
                                                       std::function<void()> onFinished) {
  return std::make_unique<PostedLookup>(addressOf(name), loop_, std::move(onFinished));
}

TlsStep StandinSockets::startTls(SocketHandle socket, const std::string& serverName) {
  auto* s = find(socket);
  if (!s || !s->server) {
    return {TlsStep::State::Failed, tls_reason::kHandshakeClosed, TlsRefusal::HandshakeClosed};
  }
  if (auto refusal = s->server->tlsRefusal(serverName); !refusal.empty()) {
    const TlsRefusal kind = tlsRefusalOf(refusal);
    return {TlsStep::State::Failed, std::move(refusal), kind};
  }
  if (s->server->implicitTls()) s->toClient += s->server->greeting();
  s->securedBy = engine_;
  return {TlsStep::State::Done, {}};
}

TlsEngine StandinSockets::secureEngine(SocketHandle socket) const {
  const auto found = sockets_.find(socket);
  return found == sockets_.end() ? TlsEngine::None : found->second.securedBy;
}

unsigned StandinSockets::signalled(SocketHandle socket) const {
  const auto found = sockets_.find(socket);
  if (found == sockets_.end()) return 0;
  const auto& s = found->second;
  unsigned events = 0;
  if (s.connecting && (s.connectError != 0 || s.server)) events |= kSocketConnect | kSocketWrite;
  if (s.server && (!s.toClient.empty() || s.server->hasSaid() || s.server->hungUp())) {
    events |= kSocketRead;
  }
  if (s.server && s.server->hungUp()) events |= kSocketClose;
  return events;
}

}  // namespace vantrel::platform::standin
