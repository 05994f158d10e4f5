#include "platform/posix/socket_posix.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/random.h>
#include <sys/socket.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/posix/fd.h"
#include "platform/posix/tls_posix.h"
#include "platform/tls/anchor_validator.h"
#include "platform/tls/builtin_engine.h"

namespace vantrel::platform::posix {

int winsockCode(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return 0;
    case EINTR:
      return wsa::kInterrupted;
    case EBADF:
      return wsa::kBadFile;
    case EACCES:
    case EPERM:
      return wsa::kAccess;
    case EFAULT:
      return wsa::kFault;
    case EINVAL:
      return wsa::kInvalid;
    case EMFILE:
    case ENFILE:
      return wsa::kTooManyFiles;
    case EAGAIN:
      return wsa::kWouldBlock;
    // A non-blocking connect under way is a would-block to Winsock.
    case EINPROGRESS:
      return wsa::kWouldBlock;
    case EALREADY:
      return wsa::kAlready;
    case ENOTSOCK:
      return wsa::kNotSocket;
    case EMSGSIZE:
      return wsa::kMessageSize;
    case EPROTOTYPE:
      return wsa::kProtocolType;
    case ENOPROTOOPT:
      return wsa::kProtocolOption;
    case EPROTONOSUPPORT:
      return wsa::kProtocolNotSupported;
    case ESOCKTNOSUPPORT:
      return wsa::kSocketNotSupported;
    case EOPNOTSUPP:
      return wsa::kOperationNotSupported;
    case EAFNOSUPPORT:
      return wsa::kFamilyNotSupported;
    case EADDRINUSE:
      return wsa::kAddressInUse;
    case EADDRNOTAVAIL:
      return wsa::kAddressNotAvailable;
    case ENETDOWN:
      return wsa::kNetworkDown;
    case ENETUNREACH:
      return wsa::kNetworkUnreachable;
    case ENETRESET:
      return wsa::kNetworkReset;
    case ECONNABORTED:
      return wsa::kConnectionAborted;
    case ECONNRESET:
    case EPIPE:
      return wsa::kConnectionReset;
    case ENOBUFS:
    case ENOMEM:
      return wsa::kNoBuffers;
    case EISCONN:
      return wsa::kIsConnected;
    case ENOTCONN:
      return wsa::kNotConnected;
    case ESHUTDOWN:
      return wsa::kShutdown;
    case ETIMEDOUT:
      return wsa::kTimedOut;
    case ECONNREFUSED:
      return wsa::kConnectionRefused;
    case ENAMETOOLONG:
      return wsa::kNameTooLong;
    case EHOSTDOWN:
      return wsa::kHostDown;
    case EHOSTUNREACH:
      return wsa::kHostUnreachable;
    default:
      return 10000 + errnoValue;
  }
}

int winsockLookupCode(int gaiError) {
  switch (gaiError) {
    case 0:
      return 0;
    case EAI_AGAIN:
      return wsa::kTryAgain;
    case EAI_FAIL:
      return wsa::kNoRecovery;
#ifdef EAI_NODATA
    case EAI_NODATA:
      return wsa::kNoData;
#endif
    case EAI_ADDRFAMILY:
      return wsa::kNoData;
    default:
      return wsa::kHostNotFound;
  }
}

namespace {

// What the worker thread and the waiting component share; the thread keeps it alive until it has
// written its answer, even when the component has given up on the lookup.
struct LookupState {
  Fd ready{::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
  std::atomic<bool> done = false;
  int error = 0;
  std::uint32_t address = 0;
};

class PosixLookup final : public HostLookup {
 public:
  explicit PosixLookup(std::shared_ptr<LookupState> state) : state_(std::move(state)) {}
  SocketHandle readyHandle() const override { return state_->ready.get(); }
  bool finished() const override { return state_->done.load(); }
  int error() const override { return state_->error; }
  std::uint32_t address() const override { return state_->address; }

 private:
  std::shared_ptr<LookupState> state_;
};

// A lookup that calls its owner back: the worker's eventfd is watched by the loop, or, where
// there is none, a timer tells of the failure at once.
class CallingLookup final : public HostLookup {
 public:
  CallingLookup(std::shared_ptr<LookupState> state, EventLoop& loop,
                std::function<void()> onFinished)
      : state_(std::move(state)), loop_(loop), onFinished_(std::move(onFinished)) {
    if (state_->ready.valid()) {
      watch_ = loop_.watchSocket(state_->ready.get(), kSocketRead, [this] {
        if (state_->done.load()) finish();
      });
    } else {
      timer_ = loop_.startTimer(0, [this] { finish(); });
    }
  }
  CallingLookup(const CallingLookup&) = delete;
  CallingLookup& operator=(const CallingLookup&) = delete;
  ~CallingLookup() override { stop(); }

  SocketHandle readyHandle() const override { return state_->ready.get(); }
  bool finished() const override { return state_->done.load(); }
  int error() const override { return state_->error; }
  std::uint32_t address() const override { return state_->address; }

 private:
  void stop() {
    if (watch_) loop_.unwatchSocket(*std::exchange(watch_, std::nullopt));
    if (timer_) loop_.stopTimer(*std::exchange(timer_, std::nullopt));
  }
  // The owner may drop this lookup in its callback: nothing of it is touched after.
  void finish() {
    stop();
    const std::function<void()> onFinished = std::move(onFinished_);
    if (onFinished) onFinished();
  }

  std::shared_ptr<LookupState> state_;
  EventLoop& loop_;
  std::function<void()> onFinished_;
  std::optional<WatchId> watch_;
  std::optional<TimerId> timer_;
};

void resolve(const std::string& name, LookupState& state) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (rc == 0 && found != nullptr) {
    state.address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  } else {
    state.error = winsockLookupCode(rc == 0 ? EAI_NONAME : rc);
  }
  if (found != nullptr) ::freeaddrinfo(found);
  state.done = true;
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = ::write(state.ready.get(), &one, sizeof one);
}

// Starts the worker, unless the state could not be made, which then stands finished.
void startLookup(const std::string& name, const std::shared_ptr<LookupState>& state) {
  if (!state->ready.valid()) {
    state->error = winsockCode(errno);
    state->done = true;
  } else {
    std::thread([name, state] { resolve(name, *state); }).detach();
  }
}

// The socket's own bytes, for the built-in engine.
class PlainSockets final : public tls::PlainIo {
 public:
  long send(SocketHandle socket, const char* data, std::size_t length) override {
    const ssize_t sent = ::send(static_cast<int>(socket), data, length, MSG_NOSIGNAL);
    return sent >= 0 ? static_cast<long>(sent) : failed();
  }
  long receive(SocketHandle socket, char* data, std::size_t length) override {
    const ssize_t got = ::recv(static_cast<int>(socket), data, length, 0);
    return got >= 0 ? static_cast<long>(got) : failed();
  }
  int lastError() const override { return error_; }

 private:
  long failed() {
    error_ = winsockCode(errno);
    return -1;
  }
  int error_ = 0;
};

class SystemRandom final : public tls::RandomSource {
 public:
  bool fill(unsigned char* data, std::size_t length) override {
    while (length > 0) {
      const ssize_t got = ::getrandom(data, length, 0);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      data += got;
      length -= static_cast<std::size_t>(got);
    }
    return true;
  }
};

}  // namespace

struct PosixSockets::Tls {
  Tls(const std::string& extraRoot, tls::EngineChoice choice, std::unique_ptr<tls::Engine> given)
      : anchors(extraRoot),
        system(given ? std::move(given) : std::make_unique<OpenSslEngine>(extraRoot)),
        connections(*system, builtIn, choice) {}

  PlainSockets io;
  SystemRandom random;
  tls::AnchorValidator anchors;
  std::unique_ptr<tls::Engine> system;
  tls::BuiltInEngine builtIn{io, anchors, random};
  tls::SecureConnections connections;
};

PosixSockets::PosixSockets(std::string extraRoot, tls::EngineChoice choice,
                           std::unique_ptr<tls::Engine> system)
    : tls_(std::make_unique<Tls>(extraRoot, choice, std::move(system))) {}

PosixSockets::~PosixSockets() = default;

int PosixSockets::fail(int errnoValue) {
  lastError_ = winsockCode(errnoValue);
  return -1;
}

int PosixSockets::acquire() {
  ++users_;
  return 0;
}

void PosixSockets::release() {
  if (users_ > 0) --users_;
}

SocketHandle PosixSockets::open(bool lingerAbort) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
  if (fd < 0) return fail(errno);
  if (lingerAbort) {
    const linger abort{1, 0};
    if (::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort) != 0) {
      const int error = errno;
      ::close(fd);
      return fail(error);
    }
  }
  return fd;
}

int PosixSockets::close(SocketHandle socket) {
  settledConnects_.erase(socket);
  tls_->connections.forget(socket);
  return ::close(static_cast<int>(socket)) == 0 ? 0 : fail(errno);
}

int PosixSockets::connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_port = htons(port);
  remote.sin_addr.s_addr = address;
  if (::connect(static_cast<int>(socket), reinterpret_cast<const sockaddr*>(&remote),
                sizeof remote) == 0) {
    settledConnects_[socket] = 0;
  } else if (errno != EINPROGRESS) {
    if (errno == EALREADY || errno == EISCONN || errno == EBADF || errno == ENOTSOCK) {
      return fail(errno);
    }
    settledConnects_[socket] = winsockCode(errno);
  }
  return fail(EINPROGRESS);
}

int PosixSockets::connectResult(SocketHandle socket) {
  if (const auto it = settledConnects_.find(socket); it != settledConnects_.end()) {
    const int code = it->second;
    settledConnects_.erase(it);
    return code;
  }
  pollfd settled{static_cast<int>(socket), POLLOUT, 0};
  const int ready = ::poll(&settled, 1, 0);
  if (ready == 0 || (ready < 0 && errno == EINTR)) return wsa::kWouldBlock;
  if (ready < 0) return winsockCode(errno);
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
    return winsockCode(errno);
  }
  return winsockCode(error);
}

long PosixSockets::send(SocketHandle socket, const char* data, std::size_t length) {
  if (tls::Session* const session = tls_->connections.find(socket)) {
    const long sent = session->send(data, length);
    if (sent < 0) lastError_ = session->error();
    return sent;
  }
  const ssize_t sent = ::send(static_cast<int>(socket), data, length, MSG_NOSIGNAL);
  return sent >= 0 ? static_cast<long>(sent) : fail(errno);
}

long PosixSockets::receive(SocketHandle socket, char* data, std::size_t length, bool peek) {
  if (tls::Session* const session = tls_->connections.find(socket)) {
    const long got = session->receive(data, length, peek);
    if (got < 0) lastError_ = session->error();
    return got;
  }
  const ssize_t got = ::recv(static_cast<int>(socket), data, length, peek ? MSG_PEEK : 0);
  return got >= 0 ? static_cast<long>(got) : fail(errno);
}

TlsStep PosixSockets::startTls(SocketHandle socket, const std::string& serverName) {
  // The port the connection really reached: what the engine choice remembers a server by.
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  const bool known =
      ::getpeername(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&peer), &length) == 0;
  return tls_->connections.start(socket, serverName, known ? ntohs(peer.sin_port) : 0);
}

TlsStep PosixSockets::continueTls(SocketHandle socket) {
  return tls_->connections.next(socket);
}

TlsEngine PosixSockets::secureEngine(SocketHandle socket) const {
  return tls_->connections.engineOf(socket);
}

std::optional<std::uint32_t> PosixSockets::parseDotted(const std::string& text) const {
  in_addr address{};
  if (::inet_pton(AF_INET, text.c_str(), &address) != 1) return std::nullopt;
  return address.s_addr;
}

std::unique_ptr<HostLookup> PosixSockets::lookup(const std::string& name, EventLoop&) {
  auto state = std::make_shared<LookupState>();
  startLookup(name, state);
  return std::make_unique<PosixLookup>(state);
}

std::unique_ptr<HostLookup> PosixSockets::lookupThen(const std::string& name, EventLoop& loop,
                                                     std::function<void()> onFinished) {
  auto state = std::make_shared<LookupState>();
  startLookup(name, state);
  return std::make_unique<CallingLookup>(state, loop, std::move(onFinished));
}

}  // namespace vantrel::platform::posix
