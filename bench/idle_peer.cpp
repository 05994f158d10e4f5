// idle_peer.exe: a program that does nothing but take a timer message every second in a hidden
// window, as the least that idling costs under Wine. scripts/bench weighs Vantrel's idle beside
// it. Ends by itself after the seconds given (default 60).
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK peerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const int seconds = commandLine && *commandLine ? std::atoi(commandLine) : 60;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = peerWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "VantrelIdlePeer";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "idle peer", WS_OVERLAPPED, 0,
                                      0, 100, 100, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 1000, nullptr);
  int ticks = 0;
  MSG message;
  while (ticks < seconds && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) ++ticks;
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
}
