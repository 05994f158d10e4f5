#include "platform/win32/win32_network.h"

#include <iphlpapi.h>

#include <vector>

namespace vantrel::platform::win32 {

namespace {

constexpr char kWindowClass[] = "VantrelNetworkWindow";
// wParam: the index of the notice that came.
constexpr UINT kNoticeCame = WM_USER + 1;

using AskForChange = DWORD(WINAPI*)(PHANDLE handle, LPOVERLAPPED overlapped);

// Whether a route leads off the machine: not to the loopback network, not to a multicast or
// broadcast address, and not through the loopback interface.
bool offTheMachine(const MIB_IPFORWARDROW& route) {
  const DWORD firstOctet = route.dwForwardDest & 0xff;  // the address is in network order
  if (firstOctet == 127 || firstOctet >= 224) return false;
  MIB_IFROW through{};
  through.dwIndex = route.dwForwardIfIndex;
  return GetIfEntry(&through) != NO_ERROR || through.dwType != MIB_IF_TYPE_LOOPBACK;
}

}  // namespace

// One kind of change the system tells of. Its request may outlive the object that made it (see
// withdraw), so it stands on its own.
struct Win32Network::Notice {
  AskForChange askForChange;
  HWND window;
  WPARAM index;
  OVERLAPPED overlapped{};
  HANDLE request = nullptr;  // the system's; it must not be closed
  bool pending = false;
  OwnedHandle event;      // auto-reset: each completion is waited for once
  HANDLE wait = nullptr;  // the thread pool's
};

Win32Network::Win32Network() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kWindowClass, &windowClass)) {
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
  }
  window_.reset(CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                nullptr));
  if (!window_) return;  // connected() still answers; no change is told
  SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  const AskForChange kinds[] = {NotifyAddrChange, NotifyRouteChange};
  for (std::size_t i = 0; i < notices_.size(); ++i) {
    auto notice = std::make_unique<Notice>();
    notice->askForChange = kinds[i];
    notice->window = window_.get();
    notice->index = i;
    notice->event.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!notice->event) continue;
    if (!RegisterWaitForSingleObject(&notice->wait, notice->event.get(), noticeCame, notice.get(),
                                     INFINITE, WT_EXECUTEINWAITTHREAD)) {
      continue;
    }
    ask(*notice);
    notices_[i] = std::move(notice);
  }
}

Win32Network::~Win32Network() {
  for (std::unique_ptr<Notice>& notice : notices_) {
    if (!notice) continue;
    UnregisterWaitEx(notice->wait, INVALID_HANDLE_VALUE);
    // Left to the system, which may still complete the request into it, until the process ends.
    if (!withdraw(*notice)) notice.release();
  }
}

VOID CALLBACK Win32Network::noticeCame(PVOID context, BOOLEAN) {
  // The pool's thread only posts: the change is handled on the loop's thread.
  const auto* came = static_cast<const Notice*>(context);
  PostMessageA(came->window, kNoticeCame, came->index, 0);
}

void Win32Network::ask(Notice& notice) {
  notice.overlapped = OVERLAPPED{};
  notice.overlapped.hEvent = notice.event.get();
  notice.pending = notice.askForChange(&notice.request, &notice.overlapped) == ERROR_IO_PENDING;
}

bool Win32Network::withdraw(Notice& notice) {
  if (!notice.pending || HasOverlappedIoCompleted(&notice.overlapped)) return true;
  // CancelIPChangeNotify from Vista on; before it, CancelIo, which ends what this thread asked.
  using Cancel = BOOL(WINAPI*)(LPOVERLAPPED overlapped);
  const HMODULE library = GetModuleHandleA("iphlpapi.dll");
  const auto cancel = reinterpret_cast<Cancel>(
      library ? reinterpret_cast<void*>(GetProcAddress(library, "CancelIPChangeNotify")) : nullptr);
  const bool canceled =
      cancel ? cancel(&notice.overlapped) != FALSE : CancelIo(notice.request) != FALSE;
  if (!canceled) return false;
  DWORD moved = 0;
  GetOverlappedResult(notice.request, &notice.overlapped, &moved, TRUE);
  return true;
}

LRESULT CALLBACK Win32Network::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kNoticeCame) return DefWindowProcA(window, message, wParam, lParam);
  auto* self = reinterpret_cast<Win32Network*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && wParam < self->notices_.size() && self->notices_[wParam]) {
    self->changed(*self->notices_[wParam]);
  }
  return 0;
}

void Win32Network::changed(Notice& notice) {
  ask(notice);
  watchers_.tellAll();
}

bool Win32Network::connected() const {
  ULONG size = 0;
  DWORD result = GetIpForwardTable(nullptr, &size, FALSE);
  if (result == ERROR_NO_DATA) return false;
  // A table that cannot be read says nothing: the checks go on as if there were a network.
  if (result != ERROR_INSUFFICIENT_BUFFER) return true;
  std::vector<unsigned char> buffer(size);
  auto* const table = reinterpret_cast<MIB_IPFORWARDTABLE*>(buffer.data());
  result = GetIpForwardTable(table, &size, FALSE);
  if (result == ERROR_NO_DATA) return false;
  if (result != NO_ERROR) return true;
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    if (offTheMachine(table->table[i])) return true;
  }
  return false;
}

NetworkWatchId Win32Network::watchChanges(std::function<void()> onChange) {
  return watchers_.add(std::move(onChange));
}

void Win32Network::unwatchChanges(NetworkWatchId id) {
  watchers_.remove(id);
}

}  // namespace vantrel::platform::win32
