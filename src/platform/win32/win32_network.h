#pragma once
// The network signal on Windows, from XP on: the IPv4 routing table, and the system's notices of
// address and route changes (NotifyAddrChange, NotifyRouteChange), each waited for by the
// system's thread pool, which posts to a window of ours: any message loop then tells the change.

#include <winsock2.h>
// winsock2.h before windows.h, which would otherwise bring the old winsock.h
#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "platform/network.h"
#include "platform/network_watchers.h"
#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {

class Win32Network final : public Network {
 public:
  Win32Network();
  Win32Network(const Win32Network&) = delete;
  Win32Network& operator=(const Win32Network&) = delete;
  ~Win32Network() override;

  bool connected() const override;
  NetworkWatchId watchChanges(std::function<void()> onChange) override;
  void unwatchChanges(NetworkWatchId id) override;

 private:
  struct Notice;
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Runs on a thread of the system's pool when a notice's request completes.
  static VOID CALLBACK noticeCame(PVOID context, BOOLEAN timedOut);
  // Asks the system for the notice's next change.
  static void ask(Notice& notice);
  // Ends the notice's request; false when the system may still write to it.
  static bool withdraw(Notice& notice);
  void changed(Notice& notice);

  NetworkWatchers watchers_;
  OwnedWindow window_;
  std::array<std::unique_ptr<Notice>, 2> notices_;  // addresses, routes
};

}  // namespace vantrel::platform::win32
