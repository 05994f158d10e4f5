#include "platform/win32/win32_event_loop.h"

#include <string>

namespace vantrel::platform::win32 {
namespace {

constexpr char kWindowClass[] = "VantrelTimerWindow";
// WSAAsyncSelect's notice of a watched socket: wParam is the socket.
constexpr UINT kSocketNotice = WM_USER + 201;

long networkEventsFor(unsigned events) {
  long mask = 0;
  if (events & kSocketRead) mask |= FD_READ | FD_ACCEPT | FD_CLOSE;
  if (events & kSocketWrite) mask |= FD_WRITE | FD_CONNECT | FD_CLOSE;
  if (events & kSocketConnect) mask |= FD_CONNECT;
  if (events & kSocketClose) mask |= FD_CLOSE;
  return mask;
}

// What WSAAsyncSelect tells of a watched socket. Close is told with read and with write, so that
// either owner looks and finds the end.
long asyncEventsFor(unsigned events) {
  long mask = 0;
  if (events & (kSocketRead | kSocketClose)) mask |= FD_READ | FD_CLOSE;
  if (events & kSocketWrite) mask |= FD_WRITE | FD_CLOSE;
  if (events & kSocketConnect) mask |= FD_CONNECT;
  return mask;
}

// Each running timer is named on the timer window by its interval, so that a test driver can
// post it the WM_TIMER of a long timer instead of waiting for it.
std::string timerProperty(std::uint32_t intervalMs) {
  return "VantrelTimer" + std::to_string(intervalMs);
}

}  // namespace

Win32EventLoop::Win32EventLoop(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  window_.reset(CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                nullptr));
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  wakeEvent_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

Win32EventLoop::~Win32EventLoop() {
  for (const auto& [id, timer] : timers_) {
    KillTimer(window_.get(), id);
    RemovePropA(window_.get(), timerProperty(timer.intervalMs).c_str());
  }
}

TimeOfDay Win32EventLoop::localTime() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wHour, now.wMinute};
}

std::uint64_t Win32EventLoop::nowMs() const {
  return GetTickCount();
}

TimerId Win32EventLoop::startTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
  const auto id = nextId_++;
  timers_[id] = {intervalMs, std::move(onTick)};
  SetTimer(window_.get(), id, intervalMs, nullptr);
  SetPropA(window_.get(), timerProperty(intervalMs).c_str(),
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(id)));
  return id;
}

void Win32EventLoop::stopTimer(TimerId id) {
  KillTimer(window_.get(), id);
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  const auto name = timerProperty(found->second.intervalMs);
  if (GetPropA(window_.get(), name.c_str()) ==
      reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(id))) {
    RemovePropA(window_.get(), name.c_str());
  }
  timers_.erase(found);
}

LRESULT CALLBACK Win32EventLoop::windowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* self = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
      const auto found = self->timers_.find(static_cast<TimerId>(wParam));
      if (found != self->timers_.end()) {
        auto onTick = found->second.onTick;  // the callback may stop its own timer
        onTick();
      }
    }
    return 0;
  }
  if (message == kSocketNotice) {
    auto* self = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return 0;
    // A notice still queued for a socket no longer watched goes unheard.
    for (const auto& [id, watch] : self->watches_) {
      if (watch.socket != static_cast<SOCKET>(wParam)) continue;
      auto onReady = watch.onReady;  // the callback may unwatch itself
      onReady();
      break;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

WatchId Win32EventLoop::watchSocket(SocketHandle socket, unsigned events,
                                    std::function<void()> onReady) {
  const WatchId id = nextWatchId_++;
  const auto s = static_cast<SOCKET>(socket);
  watches_[id] = Watch{s, std::move(onReady)};
  // Refused: the owner is called all the same, looks, and finds what is wrong with its socket.
  if (WSAAsyncSelect(s, window_.get(), kSocketNotice, asyncEventsFor(events)) != 0) {
    PostMessageA(window_.get(), kSocketNotice, static_cast<WPARAM>(s), 0);
  }
  return id;
}

void Win32EventLoop::unwatchSocket(WatchId id) {
  const auto found = watches_.find(id);
  if (found == watches_.end()) return;
  WSAAsyncSelect(found->second.socket, window_.get(), 0, 0);
  watches_.erase(found);
}

void Win32EventLoop::dispatch(MSG& message) {
  if (filter_ && filter_(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void Win32EventLoop::processMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitting_ = true;
      return;
    }
    dispatch(message);
  }
}

WaitOutcome Win32EventLoop::waitForSocket(SocketHandle socket, unsigned events,
                                          std::optional<std::uint64_t> deadlineMs) {
  const auto s = static_cast<SOCKET>(socket);
  if (depth_ == socketEvents_.size()) {
    OwnedHandle created(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!created) return WaitOutcome::Woken;  // the caller looks again and retries
    socketEvents_.push_back(std::move(created));
  }
  const HANDLE socketEvent = socketEvents_[depth_++].get();
  ResetEvent(socketEvent);
  WSAEventSelect(s, socketEvent, networkEventsFor(events));
  const std::uint64_t start = wakesTaken_;
  auto outcome = WaitOutcome::TimedOut;
  for (;;) {
    processMessages();
    if (quitting_) {
      outcome = WaitOutcome::Quit;
      break;
    }
    // A wake from before this wait counts too, and so does one a nested wait took.
    if (wakes_ != start) {
      wakesTaken_ = wakes_;
      ResetEvent(wakeEvent_.get());
      outcome = WaitOutcome::Woken;
      break;
    }
    DWORD timeout = INFINITE;
    if (deadlineMs) {
      const auto now = nowMs();
      if (now >= *deadlineMs) break;
      timeout = static_cast<DWORD>(*deadlineMs - now);
    }
    const HANDLE handles[] = {socketEvent, wakeEvent_.get()};
    const auto result =
        MsgWaitForMultipleObjectsEx(2, handles, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_OBJECT_0) {
      WSANETWORKEVENTS happened{};
      WSAEnumNetworkEvents(s, socketEvent, &happened);
      if (happened.lNetworkEvents & networkEventsFor(events)) {
        outcome = WaitOutcome::Ready;
        break;
      }
    }
  }
  WSAEventSelect(s, nullptr, 0);
  --depth_;
  return outcome;
}

void Win32EventLoop::wake() {
  ++wakes_;
  SetEvent(wakeEvent_.get());
}

void Win32EventLoop::run() {
  MSG message;
  while (!quitting_ && GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
  quitting_ = true;
}

void Win32EventLoop::quit() {
  if (!quitting_) PostQuitMessage(0);
  quitting_ = true;
}

}  // namespace vantrel::platform::win32
