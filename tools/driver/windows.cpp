// Window commands of the driver: find top-level windows of other programs and read or operate
// them the way a user would, through messages the target handles itself.
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "driver.h"
#include "platform/win32/owned_handle.h"

namespace driver {

namespace {

using vantrel::platform::win32::OwnedBitmap;
using vantrel::platform::win32::OwnedDC;
using vantrel::platform::win32::OwnedHandle;
using vantrel::platform::win32::OwnedScreenDC;

constexpr DWORD kDefaultTimeoutMs = 5000;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerTimeoutMs = 3000;

std::string hex(const void* value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits,
                                 static_cast<std::uint64_t>(reinterpret_cast<UINT_PTR>(value)), 16);
  return "0x" + std::string(digits, end.ptr);
}

std::string className(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string utf8(std::wstring_view wide) {
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring widen(std::string_view ansi) {
  const int size = static_cast<int>(ansi.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, out.data(), n);
  return out;
}

// Messages to other processes go as UTF-16 with a time-out: the system converts ANSI text only
// for some messages, and a busy target must not hold the driver. No answer gives -1.
LRESULT ask(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

// A text fetched with a length message and a copy message, as UTF-8.
std::string askText(HWND hwnd, UINT lengthMsg, UINT textMsg, WPARAM index) {
  constexpr LRESULT kMaxLength = 1 << 20;
  const LRESULT length = ask(hwnd, lengthMsg, index, 0);
  if (length <= 0 || length > kMaxLength) return {};
  std::wstring text(length + 1, L'\0');
  const WPARAM wParam = textMsg == WM_GETTEXT ? static_cast<WPARAM>(length + 1) : index;
  ask(hwnd, textMsg, wParam, reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcslen(text.c_str()));
  return utf8(text);
}

// WM_GETTEXT reaches controls of other processes, whose text GetWindowText cannot read.
std::string windowText(HWND hwnd) {
  return askText(hwnd, WM_GETTEXTLENGTH, WM_GETTEXT, 0);
}

std::string caption(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, 1024);
  return utf8(text);
}

// Keeps each fact on one line: a line break shows as a backslash and "n".
std::string oneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += (text[i] == '\r' || text[i] == '\n') ? std::string("\\n") : std::string(1, text[i]);
  }
  return out;
}

struct Selector {
  std::optional<std::string> windowClass;
  std::optional<std::string> title;
  std::optional<std::string> titlePart;
  bool visibleOnly = false;

  // Titles are compared as UTF-8, like everything the driver prints.
  bool matches(HWND hwnd) const {
    if (visibleOnly && !IsWindowVisible(hwnd)) return false;
    if (windowClass && className(hwnd) != *windowClass) return false;
    if (!title && !titlePart) return true;
    const std::string text = caption(hwnd);
    if (title && *title != text) return false;
    return !titlePart || text.find(*titlePart) != std::string::npos;
  }
};

struct Search {
  const Selector* selector;
  std::vector<HWND> found;
};

// Enumeration callbacks must be stdcall, which a lambda is not on 32-bit builds.
BOOL CALLBACK collectWindow(HWND hwnd, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  if (!search.selector || search.selector->matches(hwnd)) search.found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> topLevelWindows(const Selector& selector) {
  Search search{&selector, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> descendants(HWND parent) {
  Search search{nullptr, {}};
  EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Controls may sit inside group boxes or tab pages, so the whole tree is searched.
HWND controlById(HWND top, int id) {
  for (HWND child : descendants(top)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

// Memory in the target process, for the common-control messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND owner, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    process_.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (process_) {
      address_ =
          VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool valid() const { return address_ != nullptr; }
  char* address() const { return static_cast<char*>(address_); }
  bool write(const void* data, std::size_t size, std::size_t offset = 0) const {
    return size + offset <= size_ &&
           WriteProcessMemory(process_.get(), address() + offset, data, size, nullptr);
  }
  bool read(void* data, std::size_t size, std::size_t offset = 0) const {
    return size + offset <= size_ &&
           ReadProcessMemory(process_.get(), address() + offset, data, size, nullptr);
  }
  // An empty text `offset` bytes in, for a control to fill: its address in the other process.
  LPWSTR emptyTextAt(std::size_t offset) const {
    const wchar_t empty = L'\0';
    write(&empty, sizeof empty, offset);
    return reinterpret_cast<LPWSTR>(address() + offset);
  }
  // What a control wrote there, up to `maxLength` characters.
  std::wstring textAt(std::size_t offset, std::size_t maxLength) const {
    std::wstring text(maxLength, L'\0');
    read(text.data(), text.size() * sizeof(wchar_t), offset);
    text.resize(wcsnlen(text.c_str(), maxLength));
    return text;
  }

 private:
  OwnedHandle process_;
  void* address_ = nullptr;
  std::size_t size_;
};

class Context {
 public:
  explicit Context(const Args& args) : args_(args) {
    selector_.windowClass = args.option("class");
    const auto asUtf8 = [](const std::optional<std::string>& ansi) {
      return ansi ? std::optional<std::string>(utf8(widen(*ansi))) : std::nullopt;
    };
    selector_.title = asUtf8(args.option("title"));
    selector_.titlePart = asUtf8(args.option("title-part"));
    selector_.visibleOnly = args.flag("visible");
    const auto timeout = args.option("timeout");
    const auto parsed = timeout ? parseNumber(*timeout) : std::nullopt;
    timeoutMs_ = parsed ? static_cast<DWORD>(*parsed) : kDefaultTimeoutMs;
  }

  const Selector& selector() const { return selector_; }
  const std::vector<std::string>& positional() const { return args_.positional(); }
  const Args& args() const { return args_; }

  // Polls until `done` holds or the time-out passes.
  template <typename Done>
  bool waitUntil(Done done) const {
    const DWORD start = GetTickCount();
    for (;;) {
      if (done()) return true;
      if (GetTickCount() - start >= timeoutMs_) return false;
      Sleep(kPollMs);
    }
  }

  HWND waitForWindow() const {
    HWND found = nullptr;
    waitUntil([&] {
      const auto windows = topLevelWindows(selector_);
      found = windows.empty() ? nullptr : windows.front();
      return found != nullptr;
    });
    if (!found) printBytes("exists=0");
    return found;
  }

  DWORD timeoutMs() const { return timeoutMs_; }

 private:
  const Args& args_;
  Selector selector_;
  DWORD timeoutMs_;
};

std::optional<std::int64_t> numberAt(const Context& c, std::size_t index) {
  return index < c.positional().size() ? parseNumber(c.positional()[index]) : std::nullopt;
}

int cmdWait(const Context& c) {
  HWND hwnd = c.waitForWindow();
  if (!hwnd) return kFailed;
  printBytes("hwnd=" + hex(hwnd));
  return kOk;
}

int cmdGone(const Context& c) {
  if (c.waitUntil([&] { return topLevelWindows(c.selector()).empty(); })) {
    printBytes("gone");
    return kOk;
  }
  printBytes("present");
  return kFailed;
}

int cmdList(const Context& c) {
  for (HWND hwnd : topLevelWindows(c.selector())) {
    printBytes("hwnd=" + hex(hwnd) + " visible=" + std::to_string(IsWindowVisible(hwnd) ? 1 : 0) +
               " class=" + className(hwnd) + " title=" + oneLine(caption(hwnd)));
  }
  return kOk;
}

int cmdState(const Context& c) {
  HWND hwnd = c.waitForWindow();
  if (!hwnd) return kFailed;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT client{};
  GetClientRect(hwnd, &client);
  const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
  printBytes("exists=1");
  printBytes("hwnd=" + hex(hwnd));
  printBytes("class=" + className(hwnd));
  printBytes("title=" + oneLine(caption(hwnd)));
  printBytes("visible=" + flag(IsWindowVisible(hwnd)));
  printBytes("iconic=" + flag(IsIconic(hwnd)));
  printBytes("zoomed=" + flag(IsZoomed(hwnd)));
  printBytes("enabled=" + flag(IsWindowEnabled(hwnd)));
  printBytes("foreground=" + flag(GetForegroundWindow() == hwnd));
  printBytes("owner=" + hex(GetWindow(hwnd, GW_OWNER)));
  printBytes("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const auto corners = [](const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
  };
  printBytes("rect=" + corners(frame));
  printBytes("workarea=" + corners(area));
  printBytes("pid=" + std::to_string(pid));
  printBytes("count=" + std::to_string(topLevelWindows(c.selector()).size()));
  return kOk;
}

std::string checkState(HWND control, const std::string& cls) {
  if (cls != "Button") return "-";
  const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return std::to_string(ask(control, BM_GETCHECK, 0, 0));
    default:
      return "-";
  }
}

int cmdControls(const Context& c) {
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  for (HWND child : descendants(top)) {
    const std::string cls = className(child);
    std::string line = "id=" + std::to_string(GetDlgCtrlID(child)) + " class=" + cls +
                       " visible=" + std::to_string(IsWindowVisible(child) ? 1 : 0) +
                       " enabled=" + std::to_string(IsWindowEnabled(child) ? 1 : 0) +
                       " checked=" + checkState(child, cls);
    if (cls == "ComboBox") {
      line += " selected=" + std::to_string(ask(child, CB_GETCURSEL, 0, 0));
    } else if (cls == "SysTabControl32") {
      line += " selected=" + std::to_string(ask(child, TCM_GETCURSEL, 0, 0));
    }
    printBytes(line + " text=" + oneLine(windowText(child)));
  }
  return kOk;
}

int cmdLayout(const Context& c) {
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  for (HWND child : descendants(top)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&rect), 2);
    std::string line = "id=" + std::to_string(GetDlgCtrlID(child)) +
                       " x=" + std::to_string(rect.left) + " y=" + std::to_string(rect.top) +
                       " width=" + std::to_string(rect.right - rect.left) +
                       " height=" + std::to_string(rect.bottom - rect.top);
    if (className(child) == "SysTreeView32") {
      line += " indent=" + std::to_string(ask(child, TVM_GETINDENT, 0, 0));
    }
    printBytes(line);
  }
  return kOk;
}

void printListViewItems(HWND control) {
  constexpr std::size_t kTextMax = 1024;
  RemoteBuffer remote(control, sizeof(LVITEMW) + kTextMax * sizeof(wchar_t));
  if (!remote.valid()) {
    printBytes("no-access");
    return;
  }
  HWND header = reinterpret_cast<HWND>(ask(control, LVM_GETHEADER, 0, 0));
  const int columns = header ? std::max<int>(1, ask(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  const int count = static_cast<int>(ask(control, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto state = ask(control, LVM_GETITEMSTATE, i, LVIS_SELECTED | LVIS_STATEIMAGEMASK);
    std::string line = "index=" + std::to_string(i) +
                       " selected=" + std::to_string((state & LVIS_SELECTED) ? 1 : 0) +
                       " checked=" + std::to_string(((state & LVIS_STATEIMAGEMASK) >> 12) == 2);
    for (int column = 0; column < columns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = reinterpret_cast<LPWSTR>(remote.address() + sizeof(LVITEMW));
      item.cchTextMax = kTextMax;
      remote.write(&item, sizeof item);
      const LRESULT length =
          ask(control, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(remote.address()));
      std::wstring text(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, kTextMax)), L'\0');
      remote.read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
      line += (column == 0 ? " text=" : "\t") + oneLine(utf8(text));
    }
    printBytes(line);
  }
}

void printTabItems(HWND control) {
  constexpr std::size_t kTextMax = 1024;
  RemoteBuffer remote(control, sizeof(TCITEMW) + kTextMax * sizeof(wchar_t));
  if (!remote.valid()) {
    printBytes("no-access");
    return;
  }
  const LRESULT count = ask(control, TCM_GETITEMCOUNT, 0, 0);
  const LRESULT current = ask(control, TCM_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote.emptyTextAt(sizeof(TCITEMW));
    item.cchTextMax = kTextMax;
    remote.write(&item, sizeof item);
    ask(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.address()));
    const auto text = remote.textAt(sizeof(TCITEMW), kTextMax);
    printBytes("index=" + std::to_string(i) + " selected=" + std::to_string(i == current ? 1 : 0) +
               " text=" + oneLine(utf8(text)));
  }
}

int cmdColumns(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND control = controlById(top, static_cast<int>(*id));
  if (!control || className(control) != "SysListView32") return kFailed;
  constexpr std::size_t kTextMax = 1024;
  RemoteBuffer remote(control, sizeof(LVCOLUMNW) + kTextMax * sizeof(wchar_t));
  if (!remote.valid()) {
    printBytes("no-access");
    return kFailed;
  }
  // LVM_GETCOLUMN fails past the last column.
  for (int i = 0;; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = remote.emptyTextAt(sizeof(LVCOLUMNW));
    column.cchTextMax = kTextMax;
    remote.write(&column, sizeof column);
    if (ask(control, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(remote.address())) <= 0) break;
    remote.read(&column, sizeof column);
    const auto text = remote.textAt(sizeof(LVCOLUMNW), kTextMax);
    printBytes("index=" + std::to_string(i) + " width=" + std::to_string(column.cx) +
               " text=" + oneLine(utf8(text)));
  }
  return kOk;
}

int cmdItems(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND control = controlById(top, static_cast<int>(*id));
  if (!control) return kFailed;
  const std::string cls = className(control);
  if (cls == "SysListView32") {
    printListViewItems(control);
    return kOk;
  }
  if (cls == "SysTabControl32") {
    printTabItems(control);
    return kOk;
  }
  const bool combo = cls == "ComboBox";
  if (!combo && cls != "ListBox") return kFailed;
  const LRESULT count = ask(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  const LRESULT current = ask(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const std::string text = combo ? askText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, i)
                                   : askText(control, LB_GETTEXTLEN, LB_GETTEXT, i);
    printBytes("index=" + std::to_string(i) + " selected=" + std::to_string(i == current ? 1 : 0) +
               " text=" + oneLine(text));
  }
  return kOk;
}

// A GDI object in a device context for as long as this lives: the one it displaced goes back, so
// that the object can be deleted.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), displaced_(SelectObject(dc, object)) {}
  ~Selected() {
    if (displaced_) SelectObject(dc_, displaced_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ displaced_;
};

// The icon's colours tell the standard message box icons apart: red is the error icon.
std::string iconColour(HWND icon) {
  // Wine keeps the icon control of a plain box, only without an icon.
  if (!icon || !IsWindowVisible(icon) || ask(icon, STM_GETICON, 0, 0) == 0) return "none";
  RECT r{};
  GetWindowRect(icon, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return "none";
  const OwnedScreenDC screen(GetDC(nullptr));
  const OwnedDC memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const OwnedBitmap bitmap(
      CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const Selected selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  int red = 0, yellow = 0, blue = 0;
  const auto* pixel = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; bits && i < w * h; ++i, pixel += 4) {
    const int b = pixel[0], g = pixel[1], rr = pixel[2];
    if (rr > 150 && g < 90 && b < 90) ++red;
    if (rr > 180 && g > 150 && b < 90) ++yellow;
    if (b > 150 && rr < 110) ++blue;
  }
  const int enough = w * h / 20;
  if (red > enough && red >= yellow && red >= blue) return "error";
  if (yellow > enough && yellow >= blue) return "warning";
  if (blue > enough) return "blue";
  return "unknown";
}

int cmdText(const Context& c) {
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND icon = nullptr;
  for (HWND child : descendants(top)) {
    if (className(child) != "Static") continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = child;
      continue;
    }
    const std::string text = windowText(child);
    if (!text.empty()) printBytes("text=" + oneLine(text));
  }
  // A box that has just appeared may not have painted its icon yet.
  std::string colour;
  c.waitUntil([&] { return (colour = iconColour(icon)) != "unknown"; });
  printBytes("icon=" + colour);
  return kOk;
}

bool postCommand(HWND top, int id, int code) {
  HWND control = controlById(top, id);
  HWND parent = control ? GetParent(control) : top;
  return PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

int cmdPress(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  // A dialog answers WM_COMMAND for its own buttons, whatever sits between.
  return PostMessageA(top, WM_COMMAND, MAKEWPARAM(*id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(controlById(top, static_cast<int>(*id))))
             ? kOk
             : kFailed;
}

int cmdCommand(const Context& c) {
  const auto id = numberAt(c, 0);
  const auto code = c.positional().size() > 1 ? numberAt(c, 1) : std::optional<std::int64_t>(0);
  if (!id || !code) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  return postCommand(top, static_cast<int>(*id), static_cast<int>(*code)) ? kOk : kFailed;
}

int cmdClick(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND control = controlById(top, static_cast<int>(*id));
  if (!control) {
    printBytes("no-control");
    return kFailed;
  }
  // Posted, so that a modal box opened by the click does not hold the driver.
  return PostMessageA(control, BM_CLICK, 0, 0) ? kOk : kFailed;
}

int cmdTab(const Context& c) {
  const auto id = numberAt(c, 0);
  const auto index = numberAt(c, 1);
  if (!id || !index) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND tabs = controlById(top, static_cast<int>(*id));
  if (!tabs) return kFailed;
  RemoteBuffer remote(tabs, sizeof(RECT));
  RECT item{};
  if (!remote.valid() ||
      ask(tabs, TCM_GETITEMRECT, *index, reinterpret_cast<LPARAM>(remote.address())) <= 0 ||
      !remote.read(&item, sizeof item)) {
    return kFailed;
  }
  // A real click, so the tab control tells its parent TCN_SELCHANGING and TCN_SELCHANGE itself.
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  ask(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ask(tabs, WM_LBUTTONUP, 0, at);
  return ask(tabs, TCM_GETCURSEL, 0, 0) == *index ? kOk : kFailed;
}

int cmdCombo(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id || c.positional().size() != 2) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND combo = controlById(top, static_cast<int>(*id));
  if (!combo) return kFailed;
  const std::wstring wanted = widen(c.positional()[1]);
  const LRESULT index = ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(wanted.c_str()));
  if (index < 0) {
    printBytes("no-entry");
    return kFailed;
  }
  ask(combo, CB_SETCURSEL, index, 0);
  // CB_SETCURSEL notifies nobody; the parent learns of the choice as from a user.
  PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(*id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  printBytes("selected=" + std::to_string(index));
  return kOk;
}

int cmdMessage(const Context& c, bool send) {
  const auto msg = numberAt(c, 0);
  const auto wParam = numberAt(c, 1);
  const auto lParam = numberAt(c, 2);
  if (!msg || !wParam || !lParam) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  if (!send) {
    return PostMessageA(top, static_cast<UINT>(*msg), static_cast<WPARAM>(*wParam),
                        static_cast<LPARAM>(*lParam))
               ? kOk
               : kFailed;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(top, static_cast<UINT>(*msg), static_cast<WPARAM>(*wParam),
                           static_cast<LPARAM>(*lParam), SMTO_ABORTIFHUNG, c.timeoutMs(),
                           &result)) {
    return kFailed;
  }
  printBytes("result=" + std::to_string(static_cast<LONG_PTR>(result)));
  return kOk;
}

int cmdShow(const Context& c) {
  const auto command = numberAt(c, 0);
  if (!command) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  ShowWindow(top, static_cast<int>(*command));
  return kOk;
}

// Wine's open dialog keeps its file name in an Edit inside control 0x47c (a combo box) or in
// control 0x480.
HWND fileNameEdit(HWND dialog) {
  for (int id : {0x47c, 0x480}) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) continue;
    if (className(control) == "Edit") return control;
    for (HWND inner : descendants(control)) {
      if (className(inner) == "Edit") return inner;
    }
  }
  return nullptr;
}

int cmdOpenDialog(const Context& c) {
  if (c.positional().size() != 1) return kUsage;
  HWND dialog = c.waitForWindow();
  if (!dialog) return kFailed;
  HWND edit = nullptr;
  c.waitUntil([&] { return (edit = fileNameEdit(dialog)) != nullptr; });
  if (!edit) {
    printBytes("no-file-name-field");
    return kFailed;
  }
  const std::wstring path = widen(c.positional()[0]);
  ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)))
             ? kOk
             : kFailed;
}

DWORD processByImage(const std::string& image) {
  OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, image.c_str()) == 0) return entry.th32ProcessID;
  }
  return 0;
}

int cmdExitCode(const Context& c) {
  DWORD pid = 0;
  if (const auto image = c.args().option("image")) {
    c.waitUntil([&] { return (pid = processByImage(*image)) != 0; });
  } else if (const auto text = c.args().option("pid")) {
    const auto parsed = parseNumber(*text);
    if (!parsed) return kUsage;
    pid = static_cast<DWORD>(*parsed);
  } else {
    return kUsage;
  }
  OwnedHandle process(pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)
                          : nullptr);
  if (!process) {
    printBytes("absent");
    return kFailed;
  }
  if (WaitForSingleObject(process.get(), c.timeoutMs()) != WAIT_OBJECT_0) {
    printBytes("running");
    return kFailed;
  }
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  printBytes("exit=" + std::to_string(static_cast<LONG>(code)));
  return kOk;
}

// Selects item INDEX of a list view; the list tells its parent LVN_ITEMCHANGED as for a click.
int cmdSelect(const Context& c) {
  const auto id = numberAt(c, 0);
  const auto index = numberAt(c, 1);
  if (!id || !index) return kUsage;
  HWND top = c.waitForWindow();
  if (!top) return kFailed;
  HWND list = controlById(top, static_cast<int>(*id));
  if (!list || className(list) != "SysListView32") return kFailed;
  RemoteBuffer remote(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!remote.valid() || !remote.write(&item, sizeof item)) return kFailed;
  return ask(list, LVM_SETITEMSTATE, static_cast<WPARAM>(*index),
             reinterpret_cast<LPARAM>(remote.address())) > 0
             ? kOk
             : kFailed;
}

// Takes a hot key for the given time, as another program would, so that it cannot be had.
int cmdHoldHotKey(const Context& c) {
  const auto modifiers = numberAt(c, 0);
  const auto key = numberAt(c, 1);
  const auto millis = numberAt(c, 2);
  if (!modifiers || !key || !millis) return kUsage;
  constexpr int kHotKeyId = 1;
  if (!RegisterHotKey(nullptr, kHotKeyId, static_cast<UINT>(*modifiers), static_cast<UINT>(*key))) {
    printBytes("registered=0");
    return kFailed;
  }
  printBytes("registered=1");
  Sleep(static_cast<DWORD>(*millis));
  UnregisterHotKey(nullptr, kHotKeyId);
  return kOk;
}

// Types TEXT into the edit ID, as a whole.
int cmdType(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id || c.positional().size() != 2) return kUsage;
  HWND top = c.waitForWindow();
  HWND edit = top ? controlById(top, static_cast<int>(*id)) : nullptr;
  if (!edit) return kFailed;
  const std::wstring text = widen(c.positional()[1]);
  return ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) > 0 ? kOk : kFailed;
}

// The items of a tree view in display order, depth first.
std::vector<std::pair<HTREEITEM, int>> treeItems(HWND tree) {
  std::vector<std::pair<HTREEITEM, int>> items;
  const auto walk = [&](auto&& self, HTREEITEM first, int level) -> void {
    for (auto item = first; item;
         item = reinterpret_cast<HTREEITEM>(
             ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      items.emplace_back(item, level);
      self(self,
           reinterpret_cast<HTREEITEM>(
               ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
           level + 1);
    }
  };
  walk(walk, reinterpret_cast<HTREEITEM>(ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0);
  return items;
}

HWND treeById(const Context& c, std::int64_t id) {
  HWND top = c.waitForWindow();
  HWND tree = top ? controlById(top, static_cast<int>(id)) : nullptr;
  return tree && className(tree) == "SysTreeView32" ? tree : nullptr;
}

int cmdTree(const Context& c) {
  const auto id = numberAt(c, 0);
  if (!id) return kUsage;
  HWND tree = treeById(c, *id);
  if (!tree) return kFailed;
  constexpr std::size_t kTextMax = 1024;
  RemoteBuffer remote(tree, sizeof(TVITEMW) + kTextMax * sizeof(wchar_t));
  if (!remote.valid()) {
    printBytes("no-access");
    return kFailed;
  }
  int index = 0;
  for (const auto& [handle, level] : treeItems(tree)) {
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    item.hItem = handle;
    item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    item.pszText = remote.emptyTextAt(sizeof(TVITEMW));
    item.cchTextMax = kTextMax;
    remote.write(&item, sizeof item);
    ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.address()));
    remote.read(&item, sizeof item);
    const auto text = remote.textAt(sizeof(TVITEMW), kTextMax);
    printBytes("index=" + std::to_string(index++) + " level=" + std::to_string(level) +
               " image=" + std::to_string(item.iImage) +
               " expanded=" + std::to_string((item.state & TVIS_EXPANDED) ? 1 : 0) +
               " selected=" + std::to_string((item.state & TVIS_SELECTED) ? 1 : 0) +
               " text=" + oneLine(utf8(text)));
  }
  return kOk;
}

// Selects item INDEX (display order) of a tree view and double-clicks it.
int cmdTreeDoubleClick(const Context& c) {
  const auto id = numberAt(c, 0);
  const auto index = numberAt(c, 1);
  if (!id || !index) return kUsage;
  HWND tree = treeById(c, *id);
  if (!tree) return kFailed;
  const auto items = treeItems(tree);
  if (*index < 0 || static_cast<std::size_t>(*index) >= items.size()) return kFailed;
  const HTREEITEM item = items[static_cast<std::size_t>(*index)].first;
  RemoteBuffer remote(tree, sizeof(RECT));
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);
  if (!remote.valid() || !remote.write(&rect, sizeof rect) ||
      ask(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.address())) <= 0 ||
      !remote.read(&rect, sizeof rect)) {
    return kFailed;
  }
  // The first click of a double-click selects the node; the second is posted, so that what it
  // opens does not hold the driver.
  ask(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at) &&
                 PostMessageA(tree, WM_LBUTTONUP, 0, at)
             ? kOk
             : kFailed;
}

// Clicks item INDEX of a list view, on its check box with --checkbox, as a user's mouse does.
int cmdListClick(const Context& c) {
  const auto id = numberAt(c, 0);
  const auto index = numberAt(c, 1);
  if (!id || !index) return kUsage;
  HWND top = c.waitForWindow();
  HWND list = top ? controlById(top, static_cast<int>(*id)) : nullptr;
  if (!list || className(list) != "SysListView32") return kFailed;
  ask(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(*index), FALSE);
  RemoteBuffer remote(list, sizeof(RECT));
  RECT rect{};
  rect.left = LVIR_BOUNDS;
  if (!remote.valid() || !remote.write(&rect, sizeof rect) ||
      ask(list, LVM_GETITEMRECT, static_cast<WPARAM>(*index),
          reinterpret_cast<LPARAM>(remote.address())) <= 0 ||
      !remote.read(&rect, sizeof rect)) {
    return kFailed;
  }
  // The check box is the state picture at the left end of the row.
  const int x = c.args().flag("checkbox") ? rect.left + 8 : (rect.left + rect.right) / 2;
  const LPARAM at = MAKELPARAM(x, (rect.top + rect.bottom) / 2);
  return PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
                 PostMessageA(list, WM_LBUTTONUP, 0, at)
             ? kOk
             : kFailed;
}

// The texts of every tool of every tooltip window, such as the notification area's icon tips.
int cmdTooltips(const Context&) {
  Selector selector;
  selector.windowClass = "tooltips_class32";
  constexpr std::size_t kTextMax = 1024;
  for (HWND tip : topLevelWindows(selector)) {
    RemoteBuffer remote(tip, sizeof(TTTOOLINFOW) + kTextMax * sizeof(wchar_t));
    if (!remote.valid()) continue;
    const LRESULT count = ask(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      TTTOOLINFOW tool{};
      tool.cbSize = sizeof tool;
      remote.write(&tool, sizeof tool);
      if (ask(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.address())) <= 0) continue;
      remote.read(&tool, sizeof tool);
      tool.lpszText = remote.emptyTextAt(sizeof(TTTOOLINFOW));
      remote.write(&tool, sizeof tool);
      ask(tip, TTM_GETTEXTW, kTextMax, reinterpret_cast<LPARAM>(remote.address()));
      const auto text = remote.textAt(sizeof(TTTOOLINFOW), kTextMax);
      printBytes("text=" + oneLine(utf8(text)));
    }
  }
  return kOk;
}

// Posts the WM_TIMER of the program's running timer of this interval, which the program names
// on its timer window, instead of waiting for it.
int cmdTimer(const Context& c) {
  const auto interval = numberAt(c, 0);
  if (!interval) return kUsage;
  const std::string name = "VantrelTimer" + std::to_string(*interval);
  HWND window = nullptr;
  HANDLE id = nullptr;
  c.waitUntil([&] {
    window = FindWindowExA(HWND_MESSAGE, nullptr, "VantrelTimerWindow", nullptr);
    id = window ? GetPropA(window, name.c_str()) : nullptr;
    return id != nullptr;
  });
  if (!id) {
    printBytes("no-timer");
    return kFailed;
  }
  printBytes("id=" + std::to_string(reinterpret_cast<UINT_PTR>(id)));
  return PostMessageA(window, WM_TIMER, reinterpret_cast<WPARAM>(id), 0) ? kOk : kFailed;
}

}  // namespace

int runWindowCommand(const std::string& command, const Args& args) {
  const Context c(args);
  if (command == "wait") return cmdWait(c);
  if (command == "gone") return cmdGone(c);
  if (command == "list") return cmdList(c);
  if (command == "state") return cmdState(c);
  if (command == "controls") return cmdControls(c);
  if (command == "layout") return cmdLayout(c);
  if (command == "items") return cmdItems(c);
  if (command == "columns") return cmdColumns(c);
  if (command == "text") return cmdText(c);
  if (command == "press") return cmdPress(c);
  if (command == "click") return cmdClick(c);
  if (command == "tab") return cmdTab(c);
  if (command == "combo") return cmdCombo(c);
  if (command == "command") return cmdCommand(c);
  if (command == "post") return cmdMessage(c, false);
  if (command == "send") return cmdMessage(c, true);
  if (command == "show") return cmdShow(c);
  if (command == "opendlg") return cmdOpenDialog(c);
  if (command == "exitcode") return cmdExitCode(c);
  if (command == "hotkey") return cmdHoldHotKey(c);
  if (command == "select") return cmdSelect(c);
  if (command == "type") return cmdType(c);
  if (command == "tree") return cmdTree(c);
  if (command == "treedbl") return cmdTreeDoubleClick(c);
  if (command == "listclick") return cmdListClick(c);
  if (command == "tooltips") return cmdTooltips(c);
  if (command == "timer") return cmdTimer(c);
  return kUsage;
}

}  // namespace driver
