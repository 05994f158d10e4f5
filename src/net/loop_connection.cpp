#include "net/loop_connection.h"

#include <utility>

namespace vantrel::net {

namespace wsa = platform::wsa;
using platform::kNoSocket;
using platform::TlsStep;

namespace {

// What one receive takes: the owner reads answers out of it as they come.
constexpr std::size_t kChunk = 16 * 1024;

}  // namespace

LoopConnection::LoopConnection(platform::EventLoop& loop, platform::Sockets& sockets,
                               Handlers handlers)
    : loop_(loop),
      sockets_(sockets),
      handlers_(std::move(handlers)),
      acquireError_(sockets.acquire()),
      received_(kChunk) {}

LoopConnection::~LoopConnection() {
  *alive_ = false;
  close();
  if (acquireError_ == 0) sockets_.release();
}

void LoopConnection::open(const std::string& host, std::uint16_t port, bool tls) {
  close();
  host_ = host;
  port_ = port;
  tls_ = tls;
  upgrading_ = false;
  securedBy_ = platform::TlsEngine::None;
  if (acquireError_ != 0) {
    end(ConnectionEnd::Why::Broken, acquireError_);
    return;
  }
  state_ = State::Resolving;
  if (const auto dotted = sockets_.parseDotted(host)) {
    connectTo(*dotted);
    return;
  }
  lookup_ = sockets_.lookupThen(host, loop_, [this] {
    const int error = lookup_->error();
    const std::uint32_t address = lookup_->address();
    lookup_.reset();
    if (error != 0) {
      end(ConnectionEnd::Why::NoSuchHost, error);
    } else {
      connectTo(address);
    }
  });
}

void LoopConnection::connectTo(std::uint32_t address) {
  socket_ = sockets_.open(false);
  if (socket_ == kNoSocket) {
    end(ConnectionEnd::Why::Broken, sockets_.lastError());
    return;
  }
  state_ = State::Connecting;
  // Watched first: a connect that ends at once must still be told.
  watch(platform::kSocketConnect | platform::kSocketWrite);
  if (sockets_.connect(socket_, address, port_) != 0 && sockets_.lastError() != wsa::kWouldBlock) {
    end(ConnectionEnd::Why::Unreachable, sockets_.lastError());
  }
}

void LoopConnection::ready() {
  switch (state_) {
    case State::Connecting:
      connected();
      break;
    case State::Securing:
      handshake(false);
      break;
    case State::Open:
      if (!unsent_.empty()) flush();
      if (state_ == State::Open) readAvailable();
      break;
    case State::Closed:
    case State::Resolving:
      break;
  }
}

void LoopConnection::connected() {
  const int result = sockets_.connectResult(socket_);
  if (result == wsa::kWouldBlock) return;
  if (result != 0) {
    end(ConnectionEnd::Why::Unreachable, result);
    return;
  }
  unwatch();
  if (!tls_) {
    opened(false);
    return;
  }
  state_ = State::Securing;
  handshake(true);
}

void LoopConnection::secure() {
  if (state_ != State::Open) return;
  state_ = State::Securing;
  upgrading_ = true;
  unwatch();
  // Its end is told from the loop, not from inside this call.
  later([this] { handshake(true); });
}

void LoopConnection::handshake(bool first) {
  const TlsStep step = first ? sockets_.startTls(socket_, host_) : sockets_.continueTls(socket_);
  switch (step.state) {
    case TlsStep::State::Done:
      securedBy_ = sockets_.secureEngine(socket_);
      unwatch();
      opened(std::exchange(upgrading_, false));
      break;
    case TlsStep::State::WantRead:
      watch(platform::kSocketRead);
      break;
    case TlsStep::State::WantWrite:
      watch(platform::kSocketWrite);
      break;
    case TlsStep::State::Failed:
      end(ConnectionEnd::Why::TlsRefused, 0, step.reason, step.refusal);
      break;
    case TlsStep::State::Reconnect:
      end(ConnectionEnd::Why::TlsRetry, 0, step.reason);
      break;
  }
}

void LoopConnection::opened(bool afterSecure) {
  state_ = State::Open;
  watch(platform::kSocketRead);
  const auto alive = alive_;
  const std::function<void()> handler = afterSecure ? handlers_.onSecured : handlers_.onOpen;
  if (handler) handler();
  if (!*alive || state_ != State::Open) return;
  // Sent while the handshake ran, and what came with the connection or the handshake: a TLS
  // session may hold text the socket no longer shows.
  flush();
  if (state_ == State::Open) readAvailable();
}

void LoopConnection::send(std::string_view bytes) {
  if (state_ == State::Closed) return;
  if (unsent_.size() + bytes.size() > kMostUnsent) {
    end(ConnectionEnd::Why::Broken, wsa::kNoBuffers);
    return;
  }
  unsent_ += bytes;
  if (state_ == State::Open) flush();
}

void LoopConnection::flush() {
  while (!unsent_.empty()) {
    const std::size_t length = blocked_ != 0 ? blocked_ : unsent_.size();
    const long sent = sockets_.send(socket_, unsent_.data(), length);
    if (sent < 0 && sockets_.lastError() == wsa::kWouldBlock) {
      blocked_ = length;
      watch(platform::kSocketRead | platform::kSocketWrite);
      return;
    }
    // Nothing taken, or more than given: what reached the server is unknown.
    if (sent <= 0 || static_cast<std::size_t>(sent) > length) {
      end(ConnectionEnd::Why::Broken, sent < 0 ? sockets_.lastError() : 0);
      return;
    }
    unsent_.erase(0, static_cast<std::size_t>(sent));
    blocked_ = 0;
  }
  watch(platform::kSocketRead);
}

void LoopConnection::readAvailable() {
  const auto alive = alive_;
  while (state_ == State::Open) {
    const long got = sockets_.receive(socket_, received_.data(), received_.size(), false);
    if (got > 0) {
      const std::function<void(std::string_view)> onBytes = handlers_.onBytes;
      if (onBytes) onBytes(std::string_view(received_.data(), static_cast<std::size_t>(got)));
      if (!*alive) return;
      continue;
    }
    if (got == 0) {
      end(ConnectionEnd::Why::HungUp);
      return;
    }
    const int error = sockets_.lastError();
    if (error != wsa::kWouldBlock) end(ConnectionEnd::Why::Broken, error);
    return;
  }
}

void LoopConnection::arm(std::uint32_t ms) {
  disarm();
  if (state_ == State::Closed) return;
  deadline_ = loop_.startTimer(ms, [this] {
    disarm();
    end(ConnectionEnd::Why::TimedOut);
  });
}

void LoopConnection::disarm() {
  if (deadline_) loop_.stopTimer(*std::exchange(deadline_, std::nullopt));
}

void LoopConnection::watch(unsigned events) {
  if (watch_ && watched_ == events) return;
  unwatch();
  watch_ = loop_.watchSocket(socket_, events, [this] { ready(); });
  watched_ = events;
}

void LoopConnection::unwatch() {
  if (watch_) loop_.unwatchSocket(*std::exchange(watch_, std::nullopt));
  watched_ = 0;
}

void LoopConnection::end(ConnectionEnd::Why why, int error, std::string reason,
                         platform::TlsRefusal refusal) {
  shutDown();
  ConnectionEnd ended;
  ended.why = why;
  ended.error = error;
  ended.reason = std::move(reason);
  ended.refusal = refusal;
  later([this, ended = std::move(ended)] {
    const std::function<void(const ConnectionEnd&)> onEnd = handlers_.onEnd;
    if (onEnd) onEnd(ended);
  });
}

void LoopConnection::shutDown() {
  disarm();
  stopLater();
  unwatch();
  lookup_.reset();
  if (socket_ != kNoSocket) sockets_.close(std::exchange(socket_, kNoSocket));
  state_ = State::Closed;
  unsent_.clear();
  blocked_ = 0;
}

void LoopConnection::close() {
  shutDown();
}

void LoopConnection::later(std::function<void()> action) {
  stopLater();
  laterAction_ = std::move(action);
  later_ = loop_.startTimer(0, [this] {
    const std::function<void()> action = std::move(laterAction_);
    stopLater();
    action();
  });
}

void LoopConnection::stopLater() {
  if (later_) loop_.stopTimer(*std::exchange(later_, std::nullopt));
  laterAction_ = nullptr;
}

}  // namespace vantrel::net
