#pragma once
// The program's one message loop: window messages, timers, and message-aware socket waits that
// block in MsgWaitForMultipleObjectsEx instead of polling. Watched sockets tell their readiness
// through WSAAsyncSelect to the loop's window, so any message loop dispatches it, a message box's
// included.

#include <windows.h>
#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/event_loop.h"
#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {

class Win32EventLoop : public EventLoop {
 public:
  explicit Win32EventLoop(HINSTANCE instance);
  ~Win32EventLoop() override;
  Win32EventLoop(const Win32EventLoop&) = delete;
  Win32EventLoop& operator=(const Win32EventLoop&) = delete;

  // Sees each message before it is dispatched and returns true when it has handled it (keyboard
  // navigation of a window's controls, for instance).
  void setMessageFilter(std::function<bool(MSG&)> filter) { filter_ = std::move(filter); }

  std::uint64_t nowMs() const override;
  TimeOfDay localTime() const override;
  TimerId startTimer(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void stopTimer(TimerId id) override;
  void processMessages() override;
  void sleep(std::uint32_t ms) override { ::Sleep(ms); }
  WaitOutcome waitForSocket(SocketHandle socket, unsigned events,
                            std::optional<std::uint64_t> deadlineMs) override;
  void wake() override;
  WatchId watchSocket(SocketHandle socket, unsigned events, std::function<void()> onReady) override;
  void unwatchSocket(WatchId id) override;
  void run() override;
  void quit() override;
  bool quitting() const override { return quitting_; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void dispatch(MSG& message);

  std::function<bool(MSG&)> filter_;
  // One event per depth of nested waits: a wait started inside another must neither reset nor
  // consume what the outer wait's socket signalled meanwhile.
  std::vector<OwnedHandle> socketEvents_;
  std::size_t depth_ = 0;
  OwnedHandle wakeEvent_;
  struct RunningTimer {
    std::uint32_t intervalMs;
    std::function<void()> onTick;
  };
  std::map<TimerId, RunningTimer> timers_;
  TimerId nextId_ = 1;
  struct Watch {
    SOCKET socket;
    std::function<void()> onReady;
  };
  std::map<WatchId, Watch> watches_;
  WatchId nextWatchId_ = 1;
  bool quitting_ = false;
  // A wake ends every wait under way, however deeply nested, and the next one if none is.
  std::uint64_t wakes_ = 0;
  std::uint64_t wakesTaken_ = 0;
  // Last, so destroyed first: its procedure reads the state above.
  OwnedWindow window_;  // receives the timers and the watched sockets' notices
};

}  // namespace vantrel::platform::win32
