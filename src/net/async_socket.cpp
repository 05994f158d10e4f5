#include "net/async_socket.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>

#include "base/owned_file.h"
#include "base/scope_exit.h"
#include "net/text.h"

namespace vantrel::net {

using platform::kNoSocket;
using platform::WaitOutcome;
namespace wsa = platform::wsa;

namespace {

constexpr int kEventConnect = 16;
constexpr int kEventClose = 32;

struct ErrorRow {
  int code;
  const char* text;
};

constexpr ErrorRow kErrorTexts[] = {
    {10004, "Interrupted system call"},
    {10009, "Bad file number"},
    {10013, "Permission denied"},
    {10014, "Bad address"},
    {10022, "Invalid argument"},
    {10024, "Too many open files"},
    {10035, "Operation would block"},
    {10036, "Operation now in progress"},
    {10037, "Operation already in progress"},
    {10038, "Socket operation on non-socket"},
    {10039, "Destination address required"},
    {10040, "Message too long"},
    {10041, "Wrong protocol type for socket"},
    {10042, "Bad protocol option"},
    {10043, "Protocol not supported"},
    {10044, "Socket type not supported"},
    {10045, "Operation not supported on socket"},
    {10046, "Protocol family not supported"},
    {10047, "Address family not supported by protocol family"},
    {10048, "Address already in use"},
    {10049, "Can't assign requested address"},
    {10050, "Network is down"},
    {10051, "Network is unreachable"},
    {10052, "Network dropped connection or reset"},
    {10053, "Software caused connection abort"},
    {10054, "Connection reset by peer"},
    {10055, "No buffer space available"},
    {10056, "Socket is already connected"},
    {10057, "Socket is not connected"},
    {10058, "Can't send after socket shutdown"},
    {10059, "Too many references, can't splice"},
    {10060, "Connection timed out"},
    {10061, "Connection refused"},
    {10062, "Too many levels of symbolic links"},
    {10063, "File name too long"},
    {10064, "Host is down"},
    {10065, "No route to Host"},
    {10066, "Directory not empty"},
    {10067, "Too many processes"},
    {10068, "Too many users"},
    {10069, "Disc quota exceeded"},
    {10070, "Stale NFS file handle"},
    {10071, "Too many levels of remote in path"},
    {10091, "Network subsystem is unavailable"},
    {10092, "Incompatible version of WINSOCK.DLL"},
    {10093, "Successful WSAStartup not yet performed"},
    {11001, "Host not found"},
    {11002, "Non-Authoritative Host not found"},
    {11003, "Non-Recoverable error: FORMERR, REFUSED, NOTIMP"},
    {11004, "Valid name, no data record of requested type"},
};

constexpr std::uint16_t toNetworkOrder(std::uint16_t port) {
  return static_cast<std::uint16_t>((port & 0xff) << 8 | port >> 8);
}

}  // namespace

void TThreadTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  restart();
}

void TThreadTimer::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  restart();
}

void TThreadTimer::SetOnTimer(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  restart();
}

void TThreadTimer::stop() {
  if (running_) loop_.stopTimer(*running_);
  running_.reset();
}

void TThreadTimer::restart() {
  stop();
  if (interval_ != 0 && enabled_ && onTimer_) running_ = loop_.startTimer(interval_, onTimer_);
}

TAsyncSocket::TAsyncSocket(platform::EventLoop& loop, platform::Sockets& sockets)
    : loop_(loop),
      sockets_(sockets),
      timer_(loop),
      ioBuffer_(std::make_unique_for_overwrite<std::array<char, kIoBufferSize>>()) {
  ReportStatus(StatusLevel::Trace, "Create");
  timer_.SetEnabled(false);
  timer_.SetOnTimer([this] {
    // Nobody above the loop could catch it: a failing abort must not end the program.
    try {
      TimerFired();
    } catch (const std::exception&) {
    }
  });
  InitWinsock();
}

TAsyncSocket::~TAsyncSocket() {
  try {
    ReportStatus(StatusLevel::Trace, "Destroy");
    beingDestroyed_ = true;
    TAsyncSocket::Abort();
    timer_.SetEnabled(false);
    CloseSocket();
  } catch (const std::exception&) {
  }
  if (winsockHeld_) sockets_.release();
}

void TAsyncSocket::InitWinsock() {
  ReportStatus(StatusLevel::Trace, "Initializing Winsock");
  if (sockets_.acquire() != 0) throw ESockError("Initializaton of windows sockets failed");
  socket_ = sockets_.open(true);
  if (socket_ == kNoSocket) {
    sockets_.release();
    throw ESockError("Initializaton of windows sockets failed");
  }
  winsockHeld_ = true;
}

void TAsyncSocket::ReportStatus(StatusLevel level, const std::string& text) {
  if (static_cast<int>(level) > ReportLevel) return;
  statusText_ = text;
  if (beingDestroyed_ || !OnStatus) return;
  try {
    OnStatus(*this, statusText_);
  } catch (const std::exception&) {
  }
}

WaitOutcome TAsyncSocket::waitFor(platform::SocketHandle handle, unsigned events) {
  ++waiting_;
  const base::ScopeExit done([this] { --waiting_; });
  const WaitOutcome outcome = loop_.waitForSocket(handle, events, std::nullopt);
  // The program is ending: every wait gives up as if cancelled.
  if (outcome == WaitOutcome::Quit) canceled_ = true;
  return outcome;
}

void TAsyncSocket::pump() {
  ++waiting_;
  const base::ScopeExit done([this] { --waiting_; });
  loop_.processMessages();
}

void TAsyncSocket::refuseNested() const {
  if (waiting_ > 0) throw ESockError("Socket busy: called from inside its own wait");
}

bool TAsyncSocket::Connected() {
  if (!connected_ || waiting_ > 0) return connected_;
  char byte = 0;
  const long n = sockets_.receive(socket_, &byte, 1, true);
  if (n > 0 || (n < 0 && sockets_.lastError() == wsa::kWouldBlock)) return true;
  // Hung up or reset: the same end as a receive of 0 bytes would bring.
  try {
    CloseSocket();
  } catch (const ESockError&) {
  }
  return connected_;
}

void TAsyncSocket::notify(int event, int error) {
  try {
    lastEventOk_ = error == 0;
    if (event == kEventConnect && lastEventOk_) {
      connected_ = true;
      if (OnConnect) OnConnect(*this);
    } else if (event == kEventClose && !DataAvailable()) {
      CloseSocket();
    }
  } catch (const std::exception&) {
  }
}

void TAsyncSocket::noticePeerClose() {
  notify(kEventClose, 0);
}

void TAsyncSocket::ResolveHost() {
  ReportStatus(StatusLevel::Trace, "Resolve Host");
  refuseNested();
  const std::string& name = Proxy.empty() ? Host : Proxy;
  if (const auto dotted = sockets_.parseDotted(name)) {
    remoteAddress_.address = *dotted;
    return;
  }
  remoteAddress_.address = 0;
  TimerOn();
  lookupDone_ = false;
  const std::unique_ptr<platform::HostLookup> lookup = sockets_.lookup(name, loop_);
  {
    const base::ScopeExit off([this] { TimerOff(); });
    while (!lookupDone_ && !timedOut_ && !canceled_) {
      if (lookup->finished()) {
        lookupDone_ = true;
        lastEventOk_ = lookup->error() == 0;
        break;
      }
      const platform::SocketHandle ready = lookup->readyHandle();
      waitFor(ready, ready == kNoSocket ? 0u : platform::kSocketRead);
    }
  }
  if (timedOut_) throw ELookupInterrupted("Host Lookup Timed Out");
  if (canceled_) throw ELookupInterrupted("Host Lookup Canceled");
  if (!lastEventOk_) throw ESockError("Host Lookup Failed");
  remoteAddress_.address = lookup->address();
  if (OnHostResolved) OnHostResolved(*this);
}

void TAsyncSocket::Connect() {
  ReportStatus(StatusLevel::Trace, "Connecting");
  refuseNested();
  canceled_ = false;
  if (connected_) throw ESockError("Already connected");
  securedBy_ = platform::TlsEngine::None;
  // The program is ending: nothing new is started, and nobody is told about it.
  if (loop_.quitting()) throw EAbortError("Connection Canceled");
  // The last close could not make its replacement: try again rather than fail for good.
  if (socket_ == kNoSocket) openFreshSocket();
  for (int attempts = 0;; ++attempts) {
    try {
      ResolveHost();
    } catch (const ELookupInterrupted&) {
      throw;
    } catch (const ESockError&) {
      remoteAddress_.address = 0;
    }
    if (remoteAddress_.address != 0) break;
    if (attempts > 0 || !OnInvalidHost) throw ESockError("Null Remote Address");
    if (loop_.quitting()) throw EAbortError("Connection Canceled");
    bool handled = false;
    OnInvalidHost(handled);
    if (!handled) throw ESockError("Null Remote Address");
  }
  const auto port = static_cast<std::uint16_t>(Proxy.empty() ? Port : ProxyPort);
  withTlsEngineRetry([this, port] { openConnection(port); });
}

void TAsyncSocket::openConnection(std::uint16_t port) {
  remoteAddress_.port = toNetworkOrder(port);
  lookupDone_ = false;
  lastEventOk_ = true;
  if (sockets_.connect(socket_, remoteAddress_.address, port) != 0) {
    ErrorCheck(sockets_.lastError(), wsa::kWouldBlock);
  }
  TimerOn();
  {
    const base::ScopeExit off([this] { TimerOff(); });
    // Asked before every wait: a connect that settled before the wait began may never be
    // signalled to it.
    while (!connected_ && !timedOut_ && !canceled_ && lastEventOk_) {
      const int result = sockets_.connectResult(socket_);
      if (result != wsa::kWouldBlock) {
        notify(kEventConnect, result);
      } else {
        waitFor(socket_, platform::kSocketConnect | platform::kSocketWrite);
      }
    }
  }
  if (!timedOut_ && !canceled_ && lastEventOk_) {
    if (Secure) StartTls();
    return;
  }
  // A socket whose connect failed or never finished cannot be trusted with another one (Winsock
  // refuses it): the next Connect gets a fresh socket, with no connection lost on the way.
  if (!connected_) renewSocket();
  if (loop_.quitting()) throw EAbortError("Connection Canceled");
  if (OnConnectionFailed) OnConnectionFailed(*this);
  if (timedOut_) throw ESockError("Connection Timed out");
  if (canceled_) throw ESockError("Connection Canceled");
  throw ESockError("Connection Failed");
}

void TAsyncSocket::StartTls() {
  ReportStatus(StatusLevel::Trace, "Securing");
  using State = platform::TlsStep::State;
  platform::TlsStep step;
  TimerOn();
  {
    const base::ScopeExit off([this] { TimerOff(); });
    step = sockets_.startTls(socket_, Host);
    while ((step.state == State::WantRead || step.state == State::WantWrite) && !timedOut_ &&
           !canceled_) {
      waitFor(socket_,
              step.state == State::WantRead ? platform::kSocketRead : platform::kSocketWrite);
      if (!timedOut_ && !canceled_) step = sockets_.continueTls(socket_);
    }
  }
  if (step.state == State::Done) {
    securedBy_ = sockets_.secureEngine(socket_);
    return;
  }
  // Whatever went wrong, the connection goes before a word of the conversation could follow.
  if (connected_) CloseSocket();
  if (timedOut_) throw ESockError("Connection Timed out");
  if (canceled_) throw ESockError("Connection Canceled");
  if (step.state == State::Reconnect) throw ETlsRetry(step.reason);
  throw ETlsError(step.reason, step.refusal);
}

void TAsyncSocket::withTlsEngineRetry(const std::function<void()>& attempt) {
  try {
    attempt();
    return;
  } catch (const ETlsRetry&) {
  }
  if (loop_.quitting()) throw EAbortError("Connection Canceled");
  try {
    attempt();
  } catch (const ETlsRetry& again) {
    throw ETlsError(again.what(), platform::TlsRefusal::NothingInCommon);
  }
}

void TAsyncSocket::TimerOn() {
  ReportStatus(StatusLevel::Trace, "Timer On");
  timedOut_ = false;
  if (TimeOut < 0) throw ERangeError("Range check error");
  timer_.SetInterval(static_cast<std::uint32_t>(TimeOut));
  timer_.SetEnabled(true);
}

void TAsyncSocket::TimerOff() {
  ReportStatus(StatusLevel::Trace, "Timer Off");
  timer_.SetEnabled(false);
}

void TAsyncSocket::TimerFired() {
  ReportStatus(StatusLevel::Trace, "Timer Triggered");
  TimerOff();
  timedOut_ = true;
  lookupDone_ = true;
  Abort();
}

void TAsyncSocket::sendAll(const char* bytes, std::size_t length, bool packetEvents) {
  std::size_t remaining = length;
  while (remaining > 0 && !canceled_) {
    const long sent = sockets_.send(socket_, bytes + (length - remaining), remaining);
    if (sent == 0) break;
    if (sent < 0) {
      ErrorCheck(sockets_.lastError(), wsa::kWouldBlock);
      waitFor(socket_, platform::kSocketWrite);
      continue;
    }
    // Counting on would send whatever memory follows the bytes; what reached the server is
    // unknown, so the conversation cannot go on.
    if (static_cast<std::size_t>(sent) > remaining) {
      CloseSocket();
      throw ESockError("Socket send counted more bytes than it was given");
    }
    remaining -= static_cast<std::size_t>(sent);
    if (packetEvents) {
      if (OnPacketSent) OnPacketSent(*this);
      pump();
    }
  }
}

void TAsyncSocket::endIfCanceled(const char* abortText) {
  if (!canceled_) return;
  canceled_ = false;
  throw EAbortError(abortText);
}

void TAsyncSocket::SendBuffer(const char* bytes, std::uint16_t length) {
  ReportStatus(StatusLevel::Socket, "Sending Buffer");
  refuseNested();
  TimerOn();
  const base::ScopeExit off([this] { TimerOff(); });
  if (!canceled_) {
    const std::size_t count = length != 0 ? length : ::strnlen(bytes, 65535);
    sendAll(bytes, count, false);
  }
  endIfCanceled("Socket send aborted");
}

void TAsyncSocket::Write(const std::string& text) {
  ReportStatus(StatusLevel::Trace, "Write");
  const std::size_t length = std::min<std::size_t>(text.size(), 65535);
  std::memcpy(ioBuffer_->data(), text.data(), length);
  (*ioBuffer_)[length] = '\0';
  if (::strnlen(ioBuffer_->data(), length) == 0) return;
  SendBuffer(ioBuffer_->data(), 0);
}

void TAsyncSocket::Writeln(const std::string& text) {
  ReportStatus(StatusLevel::Trace, "Writeln");
  Write(text + "\r\n");
}

void TAsyncSocket::ReadLn(std::string& line) {
  ReportStatus(StatusLevel::Trace, "ReadLn");
  refuseNested();
  TimerOn();
  const base::ScopeExit off([this] { TimerOff(); });
  line.clear();
  char* const buffer = ioBuffer_->data();
  std::size_t consumed = 0;
  bool finished = false;
  do {
    if (consumed == kIoBufferSize) {
      // The rest of the conversation cannot be told apart from this line any more.
      CloseSocket();
      throw ESockError("Line too long");
    }
    const long n = sockets_.receive(socket_, buffer + consumed, kIoBufferSize - consumed, true);
    if (n == 0) {
      line.clear();
      noticePeerClose();
      return;
    }
    if (n < 0) {
      lastErrorNo_ = sockets_.lastError();
      if (lastErrorNo_ == wsa::kNotConnected) return;
      ErrorCheck(lastErrorNo_, wsa::kWouldBlock);
      waitFor(socket_, platform::kSocketRead);
      continue;
    }
    const auto first = buffer + consumed;
    const auto lf = std::find(first, first + n, '\n');
    const std::size_t take =
        lf != first + n ? static_cast<std::size_t>(lf - first) + 1 : static_cast<std::size_t>(n);
    const long got = sockets_.receive(socket_, first, take, false);
    if (got < 0) ErrorCheck(sockets_.lastError(), wsa::kWouldBlock);
    if (got > 0) {
      line.append(first, static_cast<std::size_t>(got));
      consumed += static_cast<std::size_t>(got);
      finished = lf != first + n && static_cast<std::size_t>(got) == take;
    }
    pump();
  } while (!finished && !canceled_);
  endIfCanceled("Socket readln aborted");
}

bool TAsyncSocket::ReadLnInPieces(const std::function<void(std::string_view)>& sink) {
  ReportStatus(StatusLevel::Trace, "ReadLn");
  refuseNested();
  TimerOn();
  const base::ScopeExit off([this] { TimerOff(); });
  char* const buffer = ioBuffer_->data();
  bool finished = false;
  do {
    const long n = sockets_.receive(socket_, buffer, kIoBufferSize, true);
    if (n == 0) {
      noticePeerClose();
      return false;
    }
    if (n < 0) {
      lastErrorNo_ = sockets_.lastError();
      if (lastErrorNo_ == wsa::kNotConnected) return false;
      ErrorCheck(lastErrorNo_, wsa::kWouldBlock);
      waitFor(socket_, platform::kSocketRead);
      continue;
    }
    // Only up to the LF: what follows belongs to the next reader.
    const auto lf = std::find(buffer, buffer + n, '\n');
    const std::size_t take =
        lf != buffer + n ? static_cast<std::size_t>(lf - buffer) + 1 : static_cast<std::size_t>(n);
    const long got = sockets_.receive(socket_, buffer, take, false);
    if (got < 0) ErrorCheck(sockets_.lastError(), wsa::kWouldBlock);
    if (got > 0) {
      finished = lf != buffer + n && static_cast<std::size_t>(got) == take;
      sink(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
    pump();
  } while (!finished && !canceled_);
  endIfCanceled("Socket readln aborted");
  return true;
}

template <typename Sink>
bool TAsyncSocket::captureTurn(Sink&& sink, std::size_t most) {
  const long n = sockets_.receive(socket_, ioBuffer_->data(), most, false);
  if (n == 0) {
    noticePeerClose();
    return false;
  }
  if (n > 0) {
    sink(ioBuffer_->data(), static_cast<std::size_t>(n));
    // A capture past 2 GB keeps the highest count rather than wrapping round.
    bytesRecvd_ = static_cast<int>(std::min<long long>(std::numeric_limits<int>::max(),
                                                       static_cast<long long>(bytesRecvd_) + n));
    if (OnPacketRecvd) OnPacketRecvd(*this);
    TimerOn();
    pump();
    return true;
  }
  lastErrorNo_ = sockets_.lastError();
  if (lastErrorNo_ == wsa::kNotConnected) return false;
  ErrorCheck(lastErrorNo_, wsa::kWouldBlock);
  waitFor(socket_, platform::kSocketRead);
  return true;
}

template <typename Most, typename Sink>
void TAsyncSocket::capture(Most&& most, Sink&& sink, const char* abortText) {
  bytesRecvd_ = 0;
  TimerOn();
  const base::ScopeExit off([this] { TimerOff(); });
  for (std::size_t turn = 0; !canceled_ && (turn = most()) > 0;) {
    if (!captureTurn(sink, turn)) break;
  }
  endIfCanceled(abortText);
}

void TAsyncSocket::CaptureString(std::string& text, int limit) {
  ReportStatus(StatusLevel::Trace, "Capture String");
  refuseNested();
  text.clear();
  // The limit is looked at between turns: the last one may take a whole buffer more.
  capture(
      [&] {
        return limit == -1 || text.size() < static_cast<std::size_t>(limit) ? kIoBufferSize : 0;
      },
      [&text](const char* data, std::size_t n) { text.append(data, n); }, "Socket capture aborted");
}

void TAsyncSocket::CaptureFile(const std::string& fileName) {
  ReportStatus(StatusLevel::Trace, "CaptureFile");
  refuseNested();
  const auto file = base::openFile(fileName, "wb");
  if (!file) throw Exception("Cannot create file " + fileName);
  capture([] { return kIoBufferSize; },
          [&file](const char* data, std::size_t n) { std::fwrite(data, 1, n, file.get()); },
          "Socket send aborted");
}

std::uint64_t TAsyncSocket::CaptureCount(
    std::uint64_t count, const std::function<void(const char*, std::size_t)>& sink) {
  ReportStatus(StatusLevel::Trace, "Capture Count");
  refuseNested();
  std::uint64_t got = 0;
  capture(
      [&] { return static_cast<std::size_t>(std::min<std::uint64_t>(count - got, kIoBufferSize)); },
      [&](const char* data, std::size_t n) {
        got += n;
        sink(data, n);
      },
      "Socket capture aborted");
  return got;
}

void TAsyncSocket::SendFile(const std::string& fileName) {
  ReportStatus(StatusLevel::Trace, "SendFile");
  refuseNested();
  const auto file = base::openFile(fileName, "rb");
  if (!file) throw Exception("Cannot open file " + fileName);
  while (!canceled_) {
    const auto got = std::fread(ioBuffer_->data(), 1, kIoBufferSize, file.get());
    if (got == 0) break;
    sendAll(ioBuffer_->data(), got, true);
  }
  endIfCanceled("Socket send aborted");
}

bool TAsyncSocket::DataAvailable() {
  ReportStatus(StatusLevel::Trace, "Data Available");
  char byte = 0;
  return sockets_.receive(socket_, &byte, 1, true) > 0;
}

void TAsyncSocket::ClearInput() {
  ReportStatus(StatusLevel::Trace, "Clearing Input");
  sockets_.receive(socket_, ioBuffer_->data(), kIoBufferSize, false);
}

void TAsyncSocket::Transaction(const std::string& command, std::string& reply) {
  ReportStatus(StatusLevel::Trace, "Transaction");
  refuseNested();
  replyNumber_ = 0;
  Writeln(command);
  std::string line;
  ReadLn(line);
  lastReply_ = line;
  if (!line.empty()) {
    ReportStatus(StatusLevel::Reply, line);
    const std::string_view digits = LeadingDigits(line, 10);
    if (!digits.empty()) {
      const long long value = std::stoll(std::string(digits));
      if (value > 32767) throw ERangeError("Range check error");
      replyNumber_ = static_cast<std::int16_t>(value);
    }
  }
  reply = lastReply_;
}

std::string TAsyncSocket::ErrorCheck(int code, int tolerated) {
  lastErrorNo_ = code;
  if (code == tolerated || code <= 10000) return {};
  throw ESockError(ErrorText(code));
}

std::string TAsyncSocket::ErrorText(int code) {
  ReportStatus(StatusLevel::Trace, "Looking Up Error Message");
  if (code == 0) return {};
  for (const ErrorRow& row : kErrorTexts) {
    if (row.code == code) return std::to_string(code) + ":" + row.text;
  }
  return "Unknown Error No. " + std::to_string(code);
}

void TAsyncSocket::CloseSocket() {
  ReportStatus(StatusLevel::Socket, "Request Close Socket");
  connected_ = false;
  if (socket_ == kNoSocket) return;
  const int closed = sockets_.close(std::exchange(socket_, kNoSocket));
  const int closeError = closed != 0 ? sockets_.lastError() : 0;
  if (closed == 0 && !beingDestroyed_ && OnDisconnect) OnDisconnect(*this);
  if (!beingDestroyed_) openFreshSocket();
  if (closed != 0) ErrorCheck(closeError, wsa::kWouldBlock);
}

void TAsyncSocket::openFreshSocket() {
  socket_ = sockets_.open(false);
  if (socket_ == kNoSocket) ErrorCheck(sockets_.lastError(), wsa::kWouldBlock);
}

void TAsyncSocket::renewSocket() {
  if (socket_ != kNoSocket) sockets_.close(std::exchange(socket_, kNoSocket));
  openFreshSocket();
}

void TAsyncSocket::Disconnect() {
  ReportStatus(StatusLevel::Trace, "Disconnecting");
  CloseSocket();
}

void TAsyncSocket::Cancel() {
  ReportStatus(StatusLevel::Trace, "Canceling");
  canceled_ = true;
  loop_.wake();
}

void TAsyncSocket::Abort() {
  ReportStatus(StatusLevel::Trace, "Abort");
  Cancel();
}

}  // namespace vantrel::net
