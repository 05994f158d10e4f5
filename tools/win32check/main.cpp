// Checks the Windows platform classes against the system they run on: the registry, the
// environment, processes, top-level windows, the modal dialogs and the shell. Exit code 0 when
// all pass; "/no-windows" leaves out what needs a display.

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"

namespace vantrel::platform::win32 {
namespace {

class Checks {
 public:
  void expect(bool ok, const std::string& what) {
    ++count_;
    if (ok) return;
    ++failed_;
    std::printf("FAIL %s\n", what.c_str());
    std::fflush(stdout);
  }
  int failed() const { return failed_; }
  int count() const { return count_; }

 private:
  int count_ = 0;
  int failed_ = 0;
};

using Strings = std::vector<std::string>;

// Deletes a key and everything under it; the registry only deletes keys without subkeys.
bool deleteTree(HKEY parent, const std::string& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
    const OwnedKey key(opened);
    char child[256];
    while (RegEnumKeyA(key.get(), 0, child, sizeof child) == ERROR_SUCCESS &&
           deleteTree(key.get(), child)) {
    }
  }
  return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

// Values of kinds and shapes the program itself never writes.
void setRaw(const std::string& path, const char* name, DWORD type, const std::string& bytes) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &created, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const OwnedKey key(created);
  RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
}

void checkRegistry(Checks& checks) {
  const std::string path = "Software\\Vantrel win32check " + std::to_string(GetCurrentProcessId());
  Win32Registry registry;
  const auto root = RegistryRoot::CurrentUser;
  checks.expect(!registry.openReadOnly(root, path), "a missing key does not open");
  checks.expect(!registry.openForWriting(root, path, false), "a missing key is not created");

  const std::string longText(5000, 'x');
  const std::string accented = "Connexion d'une identit\xE9";
  {
    auto key = registry.openForWriting(root, path, true);
    checks.expect(key != nullptr, "a missing key is created on request");
    if (!key) return;
    checks.expect(key->writeString("Text", accented), "write a string");
    checks.expect(key->writeString("Long", longText), "write a long string");
    checks.expect(key->writeString("Empty", ""), "write an empty string");
    checks.expect(key->writeInt32("Number", -123), "write a negative integer");
    checks.expect(!key->readString("Text"), "a key opened for writing is not read");
  }
  setRaw(path, "Expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\x", 15));
  setRaw(path, "Unterminated", REG_SZ, "abc");
  setRaw(path, "Binary", REG_BINARY, std::string("\x01\x00\xFF", 3));
  setRaw(path, "NoBytes", REG_BINARY, "");
  setRaw(path + "\\B", "", REG_SZ, "");
  setRaw(path + "\\a", "", REG_SZ, "");
  const std::string longName(200, 'k');
  setRaw(path + "\\" + longName, "", REG_SZ, "");

  const auto key = registry.openReadOnly(root, path);
  checks.expect(key != nullptr, "an existing key opens read-only");
  if (!key) return;
  checks.expect(key->readString("Text") == accented, "Windows-1252 text comes back as written");
  checks.expect(key->readString("text") == accented, "value names ignore letter case");
  checks.expect(key->readString("Long") == longText, "a 5000-character string comes back whole");
  checks.expect(key->readString("Empty") == "", "an empty string is present and empty");
  checks.expect(key->readString("Expandable") == "%SystemRoot%\\x",
                "an expandable string is read as stored");
  checks.expect(key->readString("Unterminated") == "abc", "a string stored without its zero");
  checks.expect(key->readInt32("Number") == -123, "a negative integer comes back");
  checks.expect(!key->readString("Number"), "an integer is not a string");
  checks.expect(!key->readInt32("Text"), "a string is not an integer");
  checks.expect(!key->readBinary("Text"), "a string is not binary data");
  checks.expect(!key->readString("Missing") && !key->readInt32("Missing"), "an absent value");
  checks.expect(key->readBinary("Binary") == std::vector<std::uint8_t>{1, 0, 255},
                "binary data keeps its zero bytes");
  checks.expect(key->readBinary("NoBytes") == std::vector<std::uint8_t>{},
                "empty binary data is present");
  checks.expect(key->hasValue("Text") && key->hasValue("number") && key->hasValue("NoBytes") &&
                    key->hasValue("Empty"),
                "values of every type are there");
  checks.expect(!key->hasValue("Missing"), "an absent value is not there");
  auto names = key->subkeyNames();
  std::sort(names.begin(), names.end());
  checks.expect(names == Strings{"B", "a", longName}, "subkey names, long ones whole");
  checks.expect(registry.openForWriting(root, path, false) != nullptr,
                "an existing key opens for writing without creating");
  deleteTree(HKEY_CURRENT_USER, path);
}

void checkEnvironmentExpansion(Checks& checks) {
  const Win32Processes processes;
  const std::string value(400, 'v');
  SetEnvironmentVariableA("VANTREL_CHECK_LONG", value.c_str());
  checks.expect(processes.expandEnvironmentStrings("%VANTREL_CHECK_LONG%\\Outlook Express") ==
                    value + "\\Outlook Express",
                "an expansion past 300 characters comes back whole");
  checks.expect(processes.expandEnvironmentStrings("%vantrel_check_long%") == value,
                "variable names ignore letter case");
  checks.expect(
      processes.expandEnvironmentStrings("%VANTREL_CHECK_UNSET%\\x") == "%VANTREL_CHECK_UNSET%\\x",
      "an unknown reference stays as written");
  checks.expect(processes.expandEnvironmentStrings("").empty(), "nothing expands to nothing");
  checks.expect(processes.expandEnvironmentStrings("100%") == "100%", "a lone percent sign");
}

void checkArgumentSplitting(Checks& checks) {
  const std::vector<std::pair<std::string, Strings>> cases = {
      {R"("C:\Program Files\Vantrel\Vantrel.exe" /config)", {"/config"}},
      {R"("C:\Program Files\Vantrel\Vantrel.exe")", {}},
      {R"(Vantrel.exe)", {}},
      {"", {}},
      {R"(C:\v.exe   /config  )", {"/config"}},
      {"v.exe\t/a\t\t/b", {"/a", "/b"}},
      {R"("C:\dir\v.exe"/config)", {"/config"}},
      {R"("C:\dir\" x)", {"x"}},  // no escapes in the program name
      {R"(v.exe "a b" c)", {"a b", "c"}},
      {R"(v.exe "" x)", {"", "x"}},
      {R"(v.exe a"b c"d)", {"ab cd"}},
      {R"(v.exe C:\dir\ x)", {"C:\\dir\\", "x"}},
      {R"(v.exe a\"b)", {"a\"b"}},
      {R"(v.exe a\\"b c")", {"a\\b c"}},
      {R"(v.exe a\\\"b)", {"a\\\"b"}},
      {R"(v.exe "C:\dir\\" x)", {"C:\\dir\\", "x"}},
      {R"(v.exe "a""b" c)", {"a\"b", "c"}},
      {R"(v.exe "unclosed x)", {"unclosed x"}},
  };
  for (const auto& [line, expected] : cases) {
    checks.expect(commandLineArguments(line) == expected, "arguments of: " + line);
  }
}

// What the second copy of this program is started with, and must find in arguments().
constexpr const char* kChildTail = R"( /child-arguments "a b" "" c\d "e\"f" g\\"h i")";
constexpr std::array<std::string_view, 6> kChildArguments = {
    "/child-arguments", "a b", "", "c\\d", "e\"f", "g\\h i"};

void checkProcesses(Checks& checks) {
  Win32Processes processes;
  const auto self = processes.executablePath();
  checks.expect(self.size() > 4 && self.ends_with(".exe"), "executable path: " + self);
  checks.expect(processes.fileExists(self), "the executable exists");
  checks.expect(!processes.fileExists(self.substr(0, self.rfind('\\'))), "a folder is no file");
  checks.expect(!processes.fileExists(self + ".missing"), "a missing file");

  const auto missing = processes.createProcess("\"C:\\no such folder\\no.exe\" ", SW_SHOWNORMAL);
  checks.expect(missing.processId == 0 && missing.error != 0, "a missing program does not start");
  checks.expect(!processes.errorText(missing.error).empty(),
                "the system has a text for " + std::to_string(missing.error));
  checks.expect(processes.errorText(0x2000FFFF).empty(), "an unknown error has no text");

  const auto child = processes.createProcess("\"" + self + "\"" + kChildTail, SW_HIDE);
  checks.expect(child.processId != 0, "this program starts again");
  // The child waits a moment before it ends, so that it can still be opened here.
  const OwnedHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, child.processId));
  DWORD exitCode = 1;
  if (process) {
    WaitForSingleObject(process.get(), 20000);
    GetExitCodeProcess(process.get(), &exitCode);
  }
  checks.expect(exitCode == 0, "the started copy found its arguments");
  checks.expect(!processes.isRunning(child.processId), "an ended process does not run");

  const auto ended = processes.createProcess("\"" + self + "\"" + kChildTail, SW_HIDE);
  checks.expect(processes.isRunning(ended.processId), "a started process runs");
  processes.terminate(ended.processId);
  const OwnedHandle endedProcess(OpenProcess(SYNCHRONIZE, FALSE, ended.processId));
  if (endedProcess) WaitForSingleObject(endedProcess.get(), 5000);
  checks.expect(!processes.isRunning(ended.processId), "a terminated process no longer runs");
}

// Files named in the ANSI code page: 0x8C is a letter of Windows-1252 beyond Latin-1.
void checkFiles(Checks& checks) {
  const Win32Processes processes;
  const auto& files = processes.files();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "vantrel \x8Cuvre check";
  CreateDirectoryA(folder.c_str(), nullptr);
  const auto file = folder + "\\Vantrel.ini";
  const auto temporary = file + ".tmp";
  DeleteFileA(file.c_str());
  RemoveDirectoryA(temporary.c_str());

  checks.expect(files.read(file).outcome == base::ReadOutcome::Missing, "a missing file");
  checks.expect(!files.exists(file), "a missing file does not exist");
  checks.expect(files.replace(file, "a\r\n\xE9"), "a new file is written");
  checks.expect(files.replace(file, "[Run]\r\n"), "a file is replaced");
  const auto read = files.read(file);
  checks.expect(read.outcome == base::ReadOutcome::Read && read.bytes == "[Run]\r\n",
                "the file reads back as written");
  checks.expect(GetFileAttributesA(temporary.c_str()) == INVALID_FILE_ATTRIBUTES,
                "no temporary is left");
  {
    const OwnedHandle held(CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    checks.expect(held.get() != INVALID_HANDLE_VALUE, "the file can be held");
    checks.expect(files.exists(file), "a held file exists");
    checks.expect(files.read(file).outcome == base::ReadOutcome::Unreadable,
                  "a file held by another is unreadable, not missing");
  }
  checks.expect(files.read(folder).outcome == base::ReadOutcome::Unreadable,
                "a folder is unreadable, not missing");
  CreateDirectoryA(temporary.c_str(), nullptr);
  checks.expect(!files.replace(file, "x"), "a write that cannot make its temporary fails");
  checks.expect(files.read(file).bytes == "[Run]\r\n", "and leaves the file as it was");
  RemoveDirectoryA(temporary.c_str());
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

// What a copy of this program started with it checks of itself.
constexpr std::string_view kOwnPathArgument = "/own-path";

// A copy of this program in a folder whose name the ANSI code page cannot write (Cyrillic on a
// Western Windows, as a per-user installation under such a user name) still names itself.
void checkExecutableInAForeignFolder(Checks& checks) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"vantrel \x041F\x0440\x043E\x0432\x0435\x0440\x043A\x0430";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  const std::wstring copy = folder + L"\\win32check.exe";
  checks.expect(CopyFileW(self.c_str(), copy.c_str(), FALSE) != 0, "a copy in a Cyrillic folder");

  std::wstring commandLine =
      L"\"" + copy + L"\" " + std::wstring(kOwnPathArgument.begin(), kOwnPathArgument.end());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  DWORD exitCode = 1;
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &started)) {
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    WaitForSingleObject(process.get(), 20000);
    GetExitCodeProcess(process.get(), &exitCode);
  }
  checks.expect(exitCode == 0, "the copy in a Cyrillic folder opens its own path");
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

// The copy's side: the path the program is given names an existing file.
int ownPathMain() {
  const Win32Processes processes;
  const auto path = processes.executablePath();
  const bool found = processes.executablePathUsable() && path.find('?') == std::string::npos &&
                     processes.fileExists(path);
  if (!found) std::printf("FAIL own path: %s\n", path.c_str());
  return found ? 0 : 1;
}

void checkSystemFacts(Checks& checks) {
  const Win32Processes processes;
  checks.expect(processes.version().major >= 5, "Windows 2000 or later");
  checks.expect(processes.compareText("abc", "abc") == 0, "equal texts");
  checks.expect(processes.compareText("abc", "abd") < 0, "text order");
  checks.expect(processes.compareText("a", "B") < 0, "letters before case: a before B");
  checks.expect(processes.compareText("Zebra", "apple") > 0, "letters before case: apple first");
  Win32Shell shell;
  const auto message = shell.taskbarCreatedMessage();
  checks.expect(message >= 0xC000 && message == shell.taskbarCreatedMessage(),
                "the taskbar message is a registered one, the same each time");
}

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

OwnedWindow makeWindow(const char* className, const std::string& title, HWND owner) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = plainWindow;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return OwnedWindow(CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 200,
                                     100, owner, nullptr, GetModuleHandleA(nullptr), nullptr));
}

bool contains(const std::vector<WindowHandle>& windows, HWND window) {
  return std::find(windows.begin(), windows.end(), reinterpret_cast<WindowHandle>(window)) !=
         windows.end();
}

void checkDesktop(Checks& checks) {
  Win32Desktop desktop;
  const std::string mainClass = "Outlook Express Browser Class";
  const std::string title = std::string(600, 't') + "\xE9";
  auto mainWindow = makeWindow(mainClass.c_str(), title, nullptr);
  const HWND main = mainWindow.get();
  // Declared after its owner, so destroyed before it: the owner would take it along.
  auto ownedWindow = makeWindow("VantrelCheckOwned", "owned", main);
  const HWND owned = ownedWindow.get();
  checks.expect(main && owned, "windows are created");
  if (!main || !owned) return;
  const auto handle = reinterpret_cast<WindowHandle>(main);

  const auto windows = desktop.topLevelWindows();
  checks.expect(contains(windows, main) && contains(windows, owned), "top-level windows");
  checks.expect(desktop.className(handle, 30) == mainClass, "a class name that just fits");
  checks.expect(desktop.className(handle, 10) == mainClass.substr(0, 9), "a class name cut");
  checks.expect(desktop.className(handle, 0).empty(), "no room, no class name");
  checks.expect(desktop.windowText(handle) == title, "a long title comes back whole");
  checks.expect(desktop.owner(reinterpret_cast<WindowHandle>(owned)) == handle, "owner");
  checks.expect(desktop.owner(handle) == kNoWindow, "no owner");
  checks.expect(desktop.findWindow(mainClass, title) == handle, "found by class and title");
  checks.expect(desktop.findWindow(std::nullopt, title) == handle, "found by title");
  checks.expect(desktop.findWindow(mainClass, "other") == kNoWindow, "another title");

  checks.expect(desktop.isWindow(handle) && !desktop.isVisible(handle), "created hidden");
  desktop.showWindow(handle, SwShowNormal);
  checks.expect(desktop.isVisible(handle) && !desktop.isIconic(handle), "shown");
  desktop.showWindow(handle, SwMinimize);
  checks.expect(desktop.isVisible(handle) && desktop.isIconic(handle), "minimised");
  desktop.showWindow(handle, SwRestore);
  checks.expect(!desktop.isIconic(handle), "restored");
  desktop.setForegroundWindow(handle);
  desktop.bringWindowToTop(handle);
  checks.expect(desktop.foregroundWindow() == handle, "brought to the foreground");
  checks.expect(desktop.desktopWindow() != kNoWindow, "the desktop window");
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  checks.expect(desktop.workArea() == Rect{area.left, area.top, area.right, area.bottom},
                "the work area with its origin");

  checks.expect(desktop.postMessage(handle, WM_USER + 5, 2025, -3), "a message is posted");
  MSG posted{};
  const bool arrived = PeekMessageA(&posted, main, WM_USER + 5, WM_USER + 5, PM_REMOVE);
  checks.expect(arrived && posted.wParam == 2025 && posted.lParam == -3,
                "a posted message arrives with its parameters");

  const auto modifiers = MOD_CONTROL | MOD_SHIFT | MOD_ALT;
  checks.expect(desktop.registerHotKey(handle, 1, modifiers, VK_F11), "a hot key is taken");
  checks.expect(!desktop.registerHotKey(handle, 2, modifiers, VK_F11), "a taken hot key");
  UnregisterHotKey(main, 1);

  ownedWindow.reset();
  mainWindow.reset();
  checks.expect(!desktop.isWindow(handle), "a destroyed window is gone");
}

void checkShell(Checks& checks, const std::string& iconFile) {
  Win32Shell shell;
  const auto window = makeWindow("VantrelCheckTray", "tray", nullptr);
  NotifyIconData data;
  data.window = reinterpret_cast<WindowHandle>(window.get());
  data.id = 1005;
  data.flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.callbackMessage = WM_USER + 1001;
  data.icon = reinterpret_cast<IconHandle>(LoadIconA(nullptr, IDI_APPLICATION));
  data.tip = std::string(100, 'm');  // longer than the first layout holds
  checks.expect(shell.notifyIcon(NotifyIconAction::Add, data), "the tray icon is added");
  data.tip = "Outlook Express";
  checks.expect(shell.notifyIcon(NotifyIconAction::Modify, data), "the tray icon is changed");
  checks.expect(shell.notifyIcon(NotifyIconAction::Delete, data), "the tray icon is removed");
  checks.expect(!shell.notifyIcon(NotifyIconAction::Modify, data), "no icon, nothing to change");

  const auto icon = shell.extractSmallIcon(iconFile);
  checks.expect(icon && icon->get() != kNoIcon, "the small icon of " + iconFile);
  checks.expect(!shell.extractSmallIcon(iconFile + ".missing"), "a missing file has no icon");
  const auto folder = iconFile.substr(0, iconFile.rfind('\\') + 1);
  checks.expect(!shell.extractSmallIcon(folder + "win.ini"), "a file without icons has none");

  // An icon drawn from pixels keeps them, rows from the top, with a mask of what shows through.
  IconPixels pixels{4, std::vector<std::uint32_t>(16, 0)};
  pixels.at(0, 0) = 0xFFFF0000;
  pixels.at(3, 0) = 0x7F123456;
  pixels.at(1, 3) = 0xFF00FF00;
  const auto drawn = shell.createIcon(pixels);
  checks.expect(drawn && drawn->get() != kNoIcon, "an icon is made from pixels");
  ICONINFO parts{};
  if (drawn && GetIconInfo(reinterpret_cast<HICON>(drawn->get()), &parts)) {
    const OwnedBitmap colours(parts.hbmColor);
    const OwnedBitmap mask(parts.hbmMask);
    const auto read = [](HBITMAP bitmap) {
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(info.bmiHeader), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      std::vector<std::uint32_t> bits(16);
      const OwnedScreenDC screen(GetDC(nullptr));
      GetDIBits(screen.get(), bitmap, 0, 4, bits.data(), &info, DIB_RGB_COLORS);
      return bits;
    };
    checks.expect(read(colours.get()) == pixels.argb, "the icon keeps its pixels and their alpha");
    std::vector<std::uint32_t> through(16, 0xFFFFFF);
    through[0] = through[13] = 0;
    auto shownThrough = read(mask.get());
    for (auto& bit : shownThrough) bit &= 0xFFFFFF;
    checks.expect(shownThrough == through, "the mask shows through where the picture is clear");
  }
  checks.expect(!shell.createIcon(IconPixels{4, std::vector<std::uint32_t>(15)}),
                "no icon of too few pixels");
}

// Answers a modal dialog from a second thread once it shows: the test's own thread is inside
// the dialog's modal loop meanwhile.
class DialogAnswer {
 public:
  DialogAnswer(std::string caption, std::function<void(HWND)> answer)
      : caption_(std::move(caption)), answer_(std::move(answer)) {
    thread_.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
  }
  ~DialogAnswer() {
    if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
  }
  DialogAnswer(const DialogAnswer&) = delete;
  DialogAnswer& operator=(const DialogAnswer&) = delete;

 private:
  static DWORD WINAPI run(void* self) {
    const auto& answer = *static_cast<DialogAnswer*>(self);
    for (int tries = 0; tries < 200; ++tries) {
      // A dialog is shown once it has set itself up.
      const HWND dialog = FindWindowA("#32770", answer.caption_.c_str());
      if (dialog && IsWindowVisible(dialog)) {
        answer.answer_(dialog);
        return 0;
      }
      Sleep(50);
    }
    return 1;
  }

  std::string caption_;
  std::function<void(HWND)> answer_;
  OwnedHandle thread_;
};

std::string itemText(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

BOOL CALLBACK findFileNameEdit(HWND child, LPARAM found) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (GetDlgCtrlID(child) != 0x47c || lstrcmpiA(name, "Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The open dialog's file-name field: an edit somewhere inside the control 0x47c, or 0x480.
HWND fileNameEdit(HWND dialog) {
  HWND edit = GetDlgItem(dialog, 0x480);
  EnumChildWindows(dialog, findFileNameEdit, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

void press(HWND dialog, int button) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

void checkDialogs(Checks& checks, const std::string& existingFile) {
  Win32Dialogs dialogs;
  {
    const DialogAnswer answer("win32check box", [](HWND box) { press(box, IDNO); });
    checks.expect(dialogs.messageBox(kNoWindow, "Fermer ?", "win32check box",
                                     MbYesNo | MbIconQuestion) == IdNo,
                  "a message box gives the button pressed");
  }

  const std::string prompt = "Mot de passe de l'identit\xE9 :";
  std::string seenPrompt;
  std::string seenInitial;
  std::optional<std::string> result;
  {
    const DialogAnswer answer("win32check query", [&](HWND query) {
      seenPrompt = itemText(query, 100);
      seenInitial = itemText(query, 101);
      SetDlgItemTextA(query, 101, "r\xE9ponse");
      press(query, IDOK);
    });
    result = dialogs.inputQuery("win32check query", prompt, "d\xE9part", false);
  }
  checks.expect(seenPrompt == prompt && seenInitial == "d\xE9part", "the question shows");
  checks.expect(result == "r\xE9ponse", "the question gives the text typed");
  {
    const DialogAnswer answer("win32check cancel", [](HWND query) { press(query, IDCANCEL); });
    result = dialogs.inputQuery("win32check cancel", std::string(300, 'p'), "x", true);
  }
  checks.expect(!result, "a cancelled question gives nothing");

  std::string seenFilter;
  std::optional<std::string> chosen;
  {
    const DialogAnswer answer("win32check open", [&](HWND open) {
      char filter[256] = {};
      const HWND types = GetDlgItem(open, 0x470);
      if (SendMessageA(types, CB_GETCOUNT, 0, 0) == 1) {
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
      }
      seenFilter = filter;
      SendMessageA(fileNameEdit(open), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(existingFile.c_str()));
      press(open, IDOK);
    });
    chosen = dialogs.openFile(
        {kNoWindow, "win32check open", "msimn.exe", "Outlook Express|msimn.exe", "%NOWHERE%\\x"});
  }
  checks.expect(seenFilter == "Outlook Express", "one filter entry, seen by its description");
  checks.expect(chosen && _stricmp(chosen->c_str(), existingFile.c_str()) == 0,
                "the chosen file's full path");
  {
    const DialogAnswer answer("win32check open none", [](HWND open) { press(open, IDCANCEL); });
    chosen = dialogs.openFile({kNoWindow, "win32check open none", "", "", ""});
  }
  checks.expect(!chosen, "a cancelled open dialog gives nothing");
}

int childMain(const Strings& arguments) {
  Sleep(1000);  // so that the parent can still open this process
  return std::equal(arguments.begin(), arguments.end(), kChildArguments.begin(),
                    kChildArguments.end())
             ? 0
             : 1;
}

int checkAll(bool withWindows) {
  Checks checks;
  checkRegistry(checks);
  checkEnvironmentExpansion(checks);
  checkArgumentSplitting(checks);
  checkProcesses(checks);
  checkFiles(checks);
  checkExecutableInAForeignFolder(checks);
  checkSystemFacts(checks);
  if (withWindows) {
    checkDesktop(checks);
    checkDialogs(checks, Win32Processes().executablePath());
    checkShell(checks, Win32Processes().expandEnvironmentStrings("%SystemRoot%\\notepad.exe"));
  }
  std::printf("%d of %d checks passed\n", checks.count() - checks.failed(), checks.count());
  return checks.failed() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vantrel::platform::win32

int main() {
  using namespace vantrel::platform::win32;
  const auto arguments = Win32Processes().arguments();
  if (!arguments.empty() && arguments[0] == kChildArguments[0]) return childMain(arguments);
  if (!arguments.empty() && arguments[0] == kOwnPathArgument) return ownPathMain();
  // Windows and dialogs need a display.
  return checkAll(arguments.empty() || arguments[0] != "/no-windows");
}
