#include "platform/win32/socket_win32.h"

#include <windows.h>

#include "platform/tls/builtin_engine.h"
#include "platform/win32/certificate_check_win32.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/tls_win32.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

namespace vantrel::platform::win32 {

namespace {

constexpr char kLookupWindowClass[] = "VantrelHostLookupWindow";
constexpr UINT kLookupDone = WM_USER + 102;

class Win32Lookup final : public HostLookup {
 public:
  // With onFinished, the end is also told to it (see Sockets::lookupThen).
  Win32Lookup(const std::string& name, EventLoop& loop, std::function<void()> onFinished = {})
      : loop_(loop), onFinished_(std::move(onFinished)) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, kLookupWindowClass, &windowClass)) {
      windowClass.lpfnWndProc = windowProc;
      windowClass.hInstance = instance;
      windowClass.lpszClassName = kLookupWindowClass;
      RegisterClassA(&windowClass);
    }
    window_.reset(CreateWindowExA(0, kLookupWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr));
    if (window_) {
      SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      request_ = WSAAsyncGetHostByName(window_.get(), kLookupDone, name.c_str(), hostEntry_.data(),
                                       static_cast<int>(hostEntry_.size()));
    }
    if (request_ == nullptr) {
      const int error = window_ ? WSAGetLastError() : WSAENOBUFS;
      // Its owner hears of it from the loop, not from inside lookupThen.
      if (onFinished_) {
        deferred_ = loop_.startTimer(0, [this, error] { finish(error); });
      } else {
        finish(error);
      }
    }
  }

  Win32Lookup(const Win32Lookup&) = delete;
  Win32Lookup& operator=(const Win32Lookup&) = delete;

  ~Win32Lookup() override {
    // The buffer goes with this object: an answer still on its way must not land in it.
    if (!finished_ && request_ != nullptr) WSACancelAsyncRequest(request_);
    if (deferred_) loop_.stopTimer(*deferred_);
  }

  SocketHandle readyHandle() const override { return -1; }
  bool finished() const override { return finished_; }
  int error() const override { return error_; }
  std::uint32_t address() const override { return address_; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kLookupDone) {
      auto* self = reinterpret_cast<Win32Lookup*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      if (self != nullptr && reinterpret_cast<HANDLE>(wParam) == self->request_) {
        self->finish(WSAGETASYNCERROR(lParam));
      }
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  void finish(int error) {
    error_ = error;
    if (error_ == 0) {
      const auto* entry = reinterpret_cast<const hostent*>(hostEntry_.data());
      if (entry->h_addrtype == AF_INET && entry->h_addr_list != nullptr &&
          entry->h_addr_list[0] != nullptr) {
        std::memcpy(&address_, entry->h_addr_list[0], sizeof address_);
      } else {
        error_ = WSANO_DATA;
      }
    }
    finished_ = true;
    loop_.wake();
    if (deferred_) loop_.stopTimer(*std::exchange(deferred_, std::nullopt));
    // The owner may drop this lookup in its callback: nothing of it is touched after.
    const std::function<void()> onFinished = std::move(onFinished_);
    if (onFinished) onFinished();
  }

  EventLoop& loop_;
  std::function<void()> onFinished_;
  std::optional<TimerId> deferred_;
  HANDLE request_ = nullptr;  // a task number, nothing to close
  alignas(hostent) std::array<char, MAXGETHOSTSTRUCT> hostEntry_{};
  bool finished_ = false;
  int error_ = 0;
  std::uint32_t address_ = 0;
  // Last, so destroyed first: its procedure reads the state above.
  OwnedWindow window_;
};

// The socket's own bytes, for the built-in engine.
class PlainSockets final : public tls::PlainIo {
 public:
  long send(SocketHandle socket, const char* data, std::size_t length) override {
    const int n = ::send(static_cast<SOCKET>(socket), data,
                         static_cast<int>(std::min<std::size_t>(length, INT_MAX)), 0);
    return n == SOCKET_ERROR ? failed() : n;
  }
  long receive(SocketHandle socket, char* data, std::size_t length) override {
    const int n = ::recv(static_cast<SOCKET>(socket), data,
                         static_cast<int>(std::min<std::size_t>(length, INT_MAX)), 0);
    return n == SOCKET_ERROR ? failed() : n;
  }
  int lastError() const override { return error_; }

 private:
  long failed() {
    error_ = WSAGetLastError();
    return -1;
  }
  int error_ = 0;
};

}  // namespace

struct Win32Sockets::Tls {
  explicit Tls(tls::EngineChoice choice) : connections(schannel, builtIn, choice) {}

  PlainSockets io;
  CryptoRandom random;
  CryptoApiValidator validator;
  SChannelEngine schannel;
  tls::BuiltInEngine builtIn{io, validator, random};
  tls::SecureConnections connections;
};

Win32Sockets::Win32Sockets(tls::EngineChoice choice) : tls_(std::make_unique<Tls>(choice)) {}

Win32Sockets::~Win32Sockets() {
  tls_.reset();
  if (users_ > 0) WSACleanup();
}

int Win32Sockets::fail() {
  lastError_ = WSAGetLastError();
  return -1;
}

int Win32Sockets::acquire() {
  if (users_ == 0) {
    WSADATA data{};
    if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0) return error;
  }
  ++users_;
  return 0;
}

void Win32Sockets::release() {
  if (users_ > 0 && --users_ == 0) WSACleanup();
}

SocketHandle Win32Sockets::open(bool lingerAbort) {
  const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return fail();
  u_long nonBlocking = 1;
  bool ok = ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
  if (ok && lingerAbort) {
    const linger abort{1, 0};
    ok = setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort),
                    sizeof abort) == 0;
  }
  if (!ok) {
    fail();
    closesocket(s);
    return -1;
  }
  return static_cast<SocketHandle>(s);
}

int Win32Sockets::close(SocketHandle socket) {
  settledConnects_.erase(socket);
  tls_->connections.forget(socket);
  return closesocket(static_cast<SOCKET>(socket)) == 0 ? 0 : fail();
}

int Win32Sockets::connect(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_port = htons(port);
  remote.sin_addr.s_addr = address;
  if (::connect(static_cast<SOCKET>(socket), reinterpret_cast<const sockaddr*>(&remote),
                sizeof remote) == 0) {
    settledConnects_[socket] = 0;
  } else {
    const int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) {
      if (error == WSAEALREADY || error == WSAEISCONN || error == WSAENOTSOCK) return fail();
      settledConnects_[socket] = error;
    }
  }
  lastError_ = WSAEWOULDBLOCK;
  return -1;
}

int Win32Sockets::connectResult(SocketHandle socket) {
  if (const auto it = settledConnects_.find(socket); it != settledConnects_.end()) {
    const int code = it->second;
    settledConnects_.erase(it);
    return code;
  }
  const auto s = static_cast<SOCKET>(socket);
  fd_set connected;
  fd_set failed;
  FD_ZERO(&connected);
  FD_ZERO(&failed);
  FD_SET(s, &connected);
  FD_SET(s, &failed);
  timeval now{0, 0};
  const int ready = select(0, nullptr, &connected, &failed, &now);
  if (ready == 0) return WSAEWOULDBLOCK;
  if (ready < 0) return WSAGetLastError();
  int error = 0;
  int length = sizeof error;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0) {
    return WSAGetLastError();
  }
  return error;
}

long Win32Sockets::send(SocketHandle socket, const char* data, std::size_t length) {
  if (tls::Session* const session = tls_->connections.find(socket)) {
    const long sent = session->send(data, length);
    if (sent < 0) lastError_ = session->error();
    return sent;
  }
  const int n = ::send(static_cast<SOCKET>(socket), data,
                       static_cast<int>(std::min<std::size_t>(length, INT_MAX)), 0);
  return n == SOCKET_ERROR ? fail() : n;
}

long Win32Sockets::receive(SocketHandle socket, char* data, std::size_t length, bool peek) {
  if (tls::Session* const session = tls_->connections.find(socket)) {
    const long got = session->receive(data, length, peek);
    if (got < 0) lastError_ = session->error();
    return got;
  }
  const int n =
      ::recv(static_cast<SOCKET>(socket), data,
             static_cast<int>(std::min<std::size_t>(length, INT_MAX)), peek ? MSG_PEEK : 0);
  return n == SOCKET_ERROR ? fail() : n;
}

TlsStep Win32Sockets::startTls(SocketHandle socket, const std::string& serverName) {
  // The port the connection really reached: what the engine choice remembers a server by.
  sockaddr_in peer{};
  int length = sizeof peer;
  const bool known =
      getpeername(static_cast<SOCKET>(socket), reinterpret_cast<sockaddr*>(&peer), &length) == 0;
  return tls_->connections.start(socket, serverName, known ? ntohs(peer.sin_port) : 0);
}

TlsStep Win32Sockets::continueTls(SocketHandle socket) {
  return tls_->connections.next(socket);
}

TlsEngine Win32Sockets::secureEngine(SocketHandle socket) const {
  return tls_->connections.engineOf(socket);
}

std::optional<std::uint32_t> Win32Sockets::parseDotted(const std::string& text) const {
  const unsigned long address = inet_addr(text.c_str());
  if (address == INADDR_NONE && text != "255.255.255.255") return std::nullopt;
  return static_cast<std::uint32_t>(address);
}

std::unique_ptr<HostLookup> Win32Sockets::lookup(const std::string& name, EventLoop& loop) {
  return std::make_unique<Win32Lookup>(name, loop);
}

std::unique_ptr<HostLookup> Win32Sockets::lookupThen(const std::string& name, EventLoop& loop,
                                                     std::function<void()> onFinished) {
  return std::make_unique<Win32Lookup>(name, loop, std::move(onFinished));
}

}  // namespace vantrel::platform::win32
