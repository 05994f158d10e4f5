#include "app/launch.h"

#include "app/app_constants.h"
#include "app/main_form.h"
#include "app/outlook_express.h"
#include "base/path_text.h"
#include "base/scope_exit.h"

namespace vantrel::app {
namespace {

using platform::RegistryRoot;

std::string executableIn(std::string_view folder) {
  return std::string(folder) + "\\" + std::string(oe::kExecutable);
}

// Each top-level window to `proc` until it answers false.
template <typename Proc>
void forEachTopLevelWindow(TMainForm& form, Proc proc) {
  for (const auto window : form.platform().desktop.topLevelWindows()) {
    if (!proc(window, form)) return;
  }
}

// Lets `ms` pass while the program's messages are dispatched; false once the program is ending.
bool waitAnswering(platform::EventLoop& loop, std::uint32_t ms) {
  const auto deadline = loop.nowMs() + ms;
  for (;;) {
    switch (loop.waitForSocket(platform::kNoSocket, 0, deadline)) {
      case platform::WaitOutcome::Quit:
        return false;
      case platform::WaitOutcome::Woken:
        continue;  // another component's wake: the time is not over
      default:
        return true;
    }
  }
}

}  // namespace

std::string locateOutlookExpress(TMainForm& form) {
  auto& platform = form.platform();
  std::string folder;
  if (const auto key =
          platform.registry.openReadOnly(RegistryRoot::LocalMachine, oe::kInstallKey)) {
    folder = key->readString(oe::kInstallRoot).value_or("");
  }
  // No fixed-size buffer: a long expansion must reach the file test whole.
  folder = platform.processes.expandEnvironmentStrings(folder);

  if (folder.empty() || !platform.processes.fileExists(executableIn(folder))) {
    const auto chosen = platform.dialogs.openFile(form.dlgOpenOE);
    if (!chosen) {
      platform.dialogs.messageBox(form.handle(), form.langTexts.msgOENotFound, APP_NAME,
                                  platform::MbIconError);
      form.terminate();
      return {};
    }
    folder = base::folderOfPath(*chosen);
    if (auto key =
            platform.registry.openForWriting(RegistryRoot::LocalMachine, oe::kInstallKey, false)) {
      key->writeString(oe::kInstallRoot, folder);
    }
  }
  return executableIn(folder);
}

std::uint32_t startProgram(TMainForm& form, std::string_view path, std::string_view parameters,
                           std::uint16_t showState) {
  auto& platform = form.platform();
  const auto commandLine = "\"" + std::string(path) + "\" " + std::string(parameters);
  const auto started = platform.processes.createProcess(commandLine, showState);
  if (started.processId != 0) return started.processId;
  platform.dialogs.messageBox(form.handle(), platform.processes.errorText(started.error), APP_NAME,
                              platform::MbOk);
  return 0;
}

bool launchOutlookExpress(std::string_view path, TMainForm& form, bool relaunch,
                          platform::WindowHandle closingWindow) {
  auto showState = platform::SwShowNormal;
  if (!relaunch && form.tabLaunch.checkStartReduced.checked) {
    showState = form.tabLaunch.checkNotifyReduce.checked &&
                        !form.tabIdentities.checkIdentitiesChoice.checked
                    ? platform::SwHide
                    : platform::SwMinimize;
  }
  const auto parameters =
      form.tabLaunch.radioModeNews.checked ? oe::kNewsSwitch : std::string_view();
  const auto processId = startProgram(form, path, parameters, showState);
  if (processId == 0) {
    form.terminate();
    return false;
  }

  // The window of the Outlook Express just asked to close may not be gone yet: following it
  // would lose the new one the moment it closes.
  const auto findOEWindow = [&form, closingWindow] {
    forEachTopLevelWindow(form, [closingWindow](platform::WindowHandle window, TMainForm& owner) {
      return window == closingWindow || findOEWindowProc(window, owner);
    });
  };
  form.oeWatch.oeWindow = platform::kNoWindow;
  // Seconds during which the identity logon window is up do not count.
  for (std::int32_t waits = 0;
       form.oeWatch.oeWindow == platform::kNoWindow && waits < kLaunchWaits;) {
    findOEWindow();
    if (form.oeWatch.oeWindow == platform::kNoWindow) {
      form.platform().loop.sleep(kLaunchWaitMs);
      ++waits;
    }
    form.oeWatch.identityLogonWindow = platform::kNoWindow;
    forEachTopLevelWindow(form, findIdentityLogonProc);
    if (form.oeWatch.identityLogonWindow != platform::kNoWindow) --waits;
  }
  // A window that came during the last second counts too: the wait is five seconds, not four.
  if (form.oeWatch.oeWindow == platform::kNoWindow) findOEWindow();

  // Started hidden, Outlook Express has no window, task-bar button or tray icon to be reached by
  // until Vantrel finds it: a slow start is waited for while it runs, and one that never shows
  // its window, or that the user no longer waits for, is ended rather than left invisible. The
  // wait may last a minute: the tray icon, its menu and the hot keys answer meanwhile.
  if (showState == platform::SwHide && form.oeWatch.oeWindow == platform::kNoWindow) {
    auto& processes = form.platform().processes;
    form.oeWatch.launching = true;
    const base::ScopeExit launched([&form] { form.oeWatch.launching = false; });
    for (std::int32_t waits = 0; form.oeWatch.oeWindow == platform::kNoWindow; ++waits) {
      if (!processes.isRunning(processId)) break;
      if (waits == kHiddenStartWaits || !waitAnswering(form.platform().loop, kLaunchWaitMs)) {
        processes.terminate(processId);
        break;
      }
      findOEWindow();
    }
  }

  if (showState == platform::SwHide && form.oeWatch.oeWindow != platform::kNoWindow) {
    form.platform().desktop.showWindow(form.oeWatch.oeWindow, platform::SwMinimize);
  }
  return form.oeWatch.oeWindow != platform::kNoWindow;
}

bool findOEWindowProc(platform::WindowHandle window, TMainForm& form) {
  const auto& desktop = form.platform().desktop;
  if (desktop.owner(window) != platform::kNoWindow) return true;
  if (desktop.className(window, kClassNameBuffer) != oe::kBrowserWindowClass) return true;
  form.oeWatch.oeWindow = window;
  return false;
}

bool findIdentityLogonProc(platform::WindowHandle window, TMainForm& form) {
  const auto& desktop = form.platform().desktop;
  if (desktop.owner(window) != platform::kNoWindow) return true;
  if (desktop.windowText(window).find(oe::kIdentityLogonTitle) == std::string::npos) return true;
  form.oeWatch.identityLogonWindow = window;
  return false;
}

}  // namespace vantrel::app
