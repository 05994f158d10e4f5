// Stand-in for Outlook Express's msimn.exe. Every fact a test needs goes to the log file named
// by VANTREL_MSIMN_LOG, one line each, as raw Windows-1252 bytes, in this order:
//   start pid=N, cmdline=<the command line exactly>, show=<wShowWindow, or -1 when not given>,
//   "identities=absent" or the values "Last Username=", "Last User ID=", "Start As=" that exist,
//   logon=shown and logon=closed (with a logon window), window=shown, close, exit.
//
// Environment:
//   VANTREL_MSIMN_LOG       log file, appended to (no log when unset)
//   VANTREL_MSIMN_LOGON_MS  show the identity logon window this long first (default 0: none)
//   VANTREL_MSIMN_DELAY_MS  then wait this long before the main window appears (default 0)
//   VANTREL_MSIMN_CLOSE_MS  asked to close, the main window goes this long later (default 0)
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/owned_handle.h"

namespace {

constexpr char kMainClass[] = "Outlook Express Browser Class";
constexpr char kLogonClass[] = "VantrelMsimnLogon";
// Outlook Express's French logon title; 0xE9 is "é" in Windows-1252.
constexpr char kLogonTitle[] = "Connexion d'une identit\xE9";

using vantrel::platform::win32::OwnedHandle;
using vantrel::platform::win32::OwnedKey;
using vantrel::platform::win32::OwnedWindow;

std::string envText(const char* name) {
  char buffer[MAX_PATH * 2];
  const DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return (n > 0 && n < sizeof buffer) ? std::string(buffer, n) : std::string();
}

DWORD envMillis(const char* name) {
  const std::string text = envText(name);
  return text.empty() ? 0 : static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
}

class Log {
 public:
  explicit Log(const std::string& path) {
    if (path.empty()) return;
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) file_.reset(h);
  }

  // One write per line so that lines of two copies never interleave.
  void line(const std::string& text) const {
    if (!file_) return;
    const std::string data = text + "\r\n";
    DWORD written = 0;
    WriteFile(file_.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  }

 private:
  OwnedHandle file_;
};

void logIdentities(const Log& log) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Identities", 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) {
    log.line("identities=absent");
    return;
  }
  const OwnedKey key(raw);
  // A missing value gives no line, so "name=" always means a stored empty text.
  for (const char* name : {"Last Username", "Last User ID", "Start As"}) {
    char value[1024];
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
      continue;
    }
    value[size] = '\0';
    log.line(std::string(name) + "=" + value);
  }
}

int startupShowState() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : -1;
}

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* log = reinterpret_cast<const Log*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CLOSE:
      if (log) log->line("close");
      if (const DWORD closeMs = envMillis("VANTREL_MSIMN_CLOSE_MS"); closeMs > 0) {
        SetTimer(hwnd, 1, closeMs, nullptr);
        return 0;
      }
      break;
    case WM_TIMER:
      KillTimer(hwnd, wParam);
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool registerClass(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}

// Keeps windows responsive while the stand-in takes its time, as Outlook Express does.
void pumpFor(DWORD millis) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= millis) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, millis - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Log log(envText("VANTREL_MSIMN_LOG"));
  log.line("start pid=" + std::to_string(GetCurrentProcessId()));
  log.line(std::string("cmdline=") + GetCommandLineA());
  const int showState = startupShowState();
  log.line("show=" + std::to_string(showState));
  logIdentities(log);

  if (!registerClass(instance, kMainClass, mainWindowProc) ||
      !registerClass(instance, kLogonClass, DefWindowProcA)) {
    return 1;
  }

  if (const DWORD logonMs = envMillis("VANTREL_MSIMN_LOGON_MS"); logonMs > 0) {
    {
      const OwnedWindow logon(
          CreateWindowExA(0, kLogonClass, kLogonTitle, WS_OVERLAPPED | WS_CAPTION, CW_USEDEFAULT,
                          CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr));
      ShowWindow(logon.get(), SW_SHOWNORMAL);
      log.line("logon=shown");
      pumpFor(logonMs);
    }
    log.line("logon=closed");
  }
  pumpFor(envMillis("VANTREL_MSIMN_DELAY_MS"));

  // Closed, this window destroys itself, as Outlook Express's does: nothing owns it here.
  HWND main = CreateWindowExA(0, kMainClass, "Outlook Express", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 480, 320, nullptr, nullptr, instance, &log);
  if (!main) return 1;
  // An explicit state: which ShowWindow call a system applies the start-up state to varies.
  ShowWindow(main, showState >= 0 ? showState : SW_SHOWDEFAULT);
  log.line("window=shown");

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  log.line("exit");
  return static_cast<int>(msg.wParam);
}
