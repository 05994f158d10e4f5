// driver.exe: operates the windows of other programs for the end-to-end tests.
// Run without arguments for the list of commands.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "driver.h"

namespace driver {

namespace {

constexpr char kUsageText[] =
    "usage: driver COMMAND [--class NAME] [--title TEXT] [--title-part TEXT] [--visible]\n"
    "                      [--timeout MS] ARGS...\n"
    "  wait                       wait for a matching top-level window; prints hwnd=\n"
    "  gone                       wait until no matching window is left\n"
    "  list                       every matching window, one line each\n"
    "  state                      exists, visible, iconic, zoomed, foreground, owner, rect, ...\n"
    "  controls                   every child control: id, class, state, text\n"
    "  layout                     every child control's place in the client area, and a tree\n"
    "                             view's indent\n"
    "  items ID                   entries of a combo box, list box, list view or tab control\n"
    "  columns ID                 column headers of a list view: index, width, text\n"
    "  text                       message box texts and its icon's colour\n"
    "  press ID                   WM_COMMAND for a dialog button (IDOK 1, IDCANCEL 2, ...)\n"
    "  click ID                   BM_CLICK on the child control ID\n"
    "  tab ID INDEX               click tab INDEX of the tab control ID\n"
    "  select ID INDEX            select item INDEX of the list view ID\n"
    "  listclick ID INDEX [--checkbox]   click item INDEX of the list view ID (its check box)\n"
    "  type ID TEXT               set the text of the edit ID\n"
    "  tree ID                    items of the tree view ID in display order\n"
    "  treedbl ID INDEX           select item INDEX of the tree view ID and double-click it\n"
    "  tooltips                   texts of every tooltip window's tools (tray icon tips)\n"
    "  timer MS                   post the WM_TIMER of Vantrel's running timer of MS ms\n"
    "  combo ID TEXT              select TEXT in combo box ID and send CBN_SELCHANGE\n"
    "  command ID [CODE]          post WM_COMMAND with ID and notification CODE\n"
    "  post MSG WPARAM LPARAM     PostMessage to the window\n"
    "  send MSG WPARAM LPARAM     SendMessage to the window; prints result=\n"
    "  show CMD                   ShowWindow with CMD\n"
    "  opendlg PATH               type PATH into an open-file dialog and press OK\n"
    "  exitcode --pid N | --image NAME   wait for a process to end; prints exit=\n"
    "  hotkey MODIFIERS VK MS     hold a system-wide hot key for MS ms; prints registered=\n"
    "  ini get FILE SECTION KEY DEFAULT | getint FILE SECTION KEY DEFAULT |\n"
    "      set FILE SECTION KEY VALUE | sections FILE | keys FILE SECTION\n";

// The wide command line keeps characters the ANSI one may have lost before conversion.
std::vector<std::string> ansiArguments() {
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count),
                                                     &LocalFree);
  std::vector<std::string> words;
  for (int i = 1; argv && i < count; ++i) {
    const wchar_t* w = argv.get()[i];
    const int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string word(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, w, -1, word.data(), n, nullptr, nullptr);
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

Args::Args(const std::vector<std::string>& words, const std::vector<std::string_view>& flags) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() > 2 && word.starts_with("--")) {
      const std::string name = word.substr(2);
      bool isFlag = false;
      for (auto f : flags) isFlag = isFlag || f == name;
      if (isFlag || i + 1 == words.size()) {
        options_[name] = "";
      } else {
        options_[name] = words[++i];
      }
    } else {
      positional_.push_back(word);
    }
  }
}

std::optional<std::string> Args::option(std::string_view name) const {
  const auto it = options_.find(name);
  if (it == options_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::int64_t> parseNumber(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
  }
  return negative ? -value : value;
}

void printBytes(std::string_view raw) {
  std::fwrite(raw.data(), 1, raw.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace driver

int main() {
  // Text mode would turn each "\n" into CRLF, which shell scripts then have to strip.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::vector<std::string> words = driver::ansiArguments();
  if (words.empty()) {
    std::fputs(driver::kUsageText, stderr);
    return driver::kUsage;
  }
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (words[0] == "ini") return driver::runProfileCommand(driver::Args(rest, {}));
  const int result =
      driver::runWindowCommand(words[0], driver::Args(rest, {"visible", "checkbox"}));
  if (result == driver::kUsage) std::fputs(driver::kUsageText, stderr);
  return result;
}
