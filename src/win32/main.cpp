// Vantrel's entry: hand over to a running copy, or build the platform, the main window and its
// form, and run the message loop.
#include <winsock2.h>
// winsock2.h before windows.h, which would otherwise bring the old winsock.h
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "app/app_constants.h"
#include "app/main_form.h"
#include "app/settings.h"
#include "base/path_text.h"
#include "platform/win32/socket_win32.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_network.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text_conversion.h"
#include "win32/main_window.h"
#include "win32/notify_window.h"

namespace {

using vantrel::app::APP_NAME;

// A running copy gets the tray message of a left click, which toggles its Outlook Express.
bool handOverToRunningCopy() {
  const auto running = FindWindowA(vantrel::app::kVantrelWindowClass.data(), APP_NAME.data());
  if (!running) return false;
  char className[30] = {};
  GetClassNameA(running, className, sizeof(className));
  if (std::string_view(className) != vantrel::app::kVantrelWindowClass) return false;
  PostMessageA(running, vantrel::app::WM_TRAYNOTIFY, 0, WM_LBUTTONUP);
  return true;
}

int run(HINSTANCE instance) {
  namespace win32 = vantrel::platform::win32;
  win32::Win32Registry registry;
  win32::Win32Desktop desktop;
  win32::Win32Processes processes;
  win32::Win32Dialogs dialogs;
  win32::Win32Shell shell;
  win32::Win32EventLoop loop(instance);
  win32::Win32Sockets sockets(
      vantrel::platform::tls::engineChoice(std::getenv("VANTREL_TLS_ENGINE")));
  win32::Win32TextConversion textConversion;
  win32::Win32Network network;
  vantrel::platform::Platform platform{registry, desktop, processes,      dialogs, shell,
                                       loop,     sockets, textConversion, network};

  vantrel::win32::MainWindow window(instance, shell.taskbarCreatedMessage());
  vantrel::win32::NotifyWindow notifyWindow(instance, window.handle(), window.mailImages(),
                                            window.font());
  // Text work only: the ANSI path must reach the system unconverted.
  const auto langFile =
      std::string(vantrel::base::folderOfPath(processes.executablePath())) + "\\lang.ini";
  vantrel::app::TMainForm form(platform, reinterpret_cast<std::uintptr_t>(window.handle()),
                               window.pictures(), langFile);
  vantrel::app::TNotifyWindowForm notifyForm(
      platform, reinterpret_cast<std::uintptr_t>(notifyWindow.handle()), form);
  form.NotifyWindowForm = &notifyForm;
  notifyWindow.attach(notifyForm);
  loop.setMessageFilter([&window](MSG& message) { return window.translateKeys(message); });
  window.attach(form);
  form.FormCreate();
  if (!form.terminated()) loop.run();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (handOverToRunningCopy()) return -1;
  try {
    return run(instance);
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), APP_NAME.data(), MB_ICONERROR | MB_OK);
    return 0;
  }
}
