#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>

#include "base/path_text.h"
#include "platform/win32/owned_handle.h"

namespace vantrel::platform::win32 {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

struct LocalFreer {
  void operator()(char* text) const { LocalFree(text); }
};

OwnedHandle openProcess(DWORD access, std::uint32_t processId) {
  return OwnedHandle(OpenProcess(access, FALSE, processId));
}

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A name that fills the buffer may have been cut.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The short (8.3) form, or nothing when the system has none to give.
std::optional<std::wstring> shortPath(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring text(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), text.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  text.resize(length);
  return text;
}

base::AnsiPath toAnsi(const std::wstring& wide) {
  if (wide.empty()) return {{}, true};
  // A UTF-8 code page writes every letter, and takes neither flag nor default character.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const used = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, used);
  if (size <= 0) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, text.data(), size, nullptr, used);
  return {text, usedDefault == FALSE};
}

// The executable's path for the ANSI functions, and whether it names the file.
std::pair<std::string, bool> executableAnsiPath() {
  const auto wide = modulePath();
  const auto longForm = toAnsi(wide);
  std::optional<base::AnsiPath> shortForm;
  if (!longForm.whole) {
    if (const auto path = shortPath(wide)) shortForm = toAnsi(*path);
  }
  if (const auto openable = base::openableAnsiPath(longForm, shortForm)) return {*openable, true};
  return {longForm.text, false};
}

}  // namespace

std::vector<std::string> commandLineArguments(std::string_view commandLine) {
  std::size_t at = 0;
  const auto more = [&] { return at < commandLine.size(); };

  // The program name knows no escapes: a quoted one runs to the next quote.
  if (more() && commandLine[at] == '"') {
    const auto close = commandLine.find('"', at + 1);
    at = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    while (more() && !isBlank(commandLine[at])) ++at;
  }

  std::vector<std::string> arguments;
  for (;;) {
    while (more() && isBlank(commandLine[at])) ++at;
    if (!more()) return arguments;
    std::string argument;
    bool quoted = false;
    while (more() && (quoted || !isBlank(commandLine[at]))) {
      const char c = commandLine[at];
      if (c == '\\') {
        std::size_t backslashes = 0;
        for (; more() && commandLine[at] == '\\'; ++at) ++backslashes;
        const bool beforeQuote = more() && commandLine[at] == '"';
        // Before a quote, backslashes escape in pairs; an odd one out makes the quote literal.
        argument.append(beforeQuote ? backslashes / 2 : backslashes, '\\');
        if (beforeQuote && backslashes % 2 == 1) {
          argument += '"';
          ++at;
        }
      } else if (c == '"') {
        const bool doubled = at + 1 < commandLine.size() && commandLine[at + 1] == '"';
        if (quoted && doubled) {
          argument += '"';  // a doubled quote inside quotes stands for one
          at += 2;
        } else {
          quoted = !quoted;
          ++at;
        }
      } else {
        argument += c;
        ++at;
      }
    }
    arguments.push_back(std::move(argument));
  }
}

ProcessStart Win32Processes::createProcess(std::string_view commandLine, std::uint16_t showState) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showState;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process)) {
    return {0, GetLastError()};
  }
  const OwnedHandle thread(process.hThread);
  const OwnedHandle started(process.hProcess);
  return {process.dwProcessId, 0};
}

std::string Win32Processes::errorText(std::uint32_t error) const {
  char* buffer = nullptr;
  const auto length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer),
      0, nullptr);
  const std::unique_ptr<char, LocalFreer> owned(buffer);
  return length > 0 ? std::string(buffer, length) : std::string();
}

std::string Win32Processes::expandEnvironmentStrings(std::string_view text) const {
  const std::string source(text);
  // Asked for no room, the call tells how much the expansion needs; a variable may still grow
  // before the second call, hence the loop. One spare byte: older systems' ANSI count is short.
  std::string expanded;
  DWORD needed = ExpandEnvironmentStringsA(source.c_str(), nullptr, 0);
  while (needed > 0) {
    expanded.assign(needed + 1, '\0');
    needed = ExpandEnvironmentStringsA(source.c_str(), expanded.data(),
                                       static_cast<DWORD>(expanded.size()));
    if (needed > 0 && needed <= expanded.size()) {
      expanded.resize(std::strlen(expanded.c_str()));
      return expanded;
    }
  }
  return source;
}

bool Win32Processes::fileExists(std::string_view path) const {
  const std::string file(path);
  const DWORD attributes = GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

SystemVersion Win32Processes::version() const {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return {};
  return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
          std::string(info.szCSDVersion, ::strnlen(info.szCSDVersion, sizeof info.szCSDVersion))};
}

int Win32Processes::compareText(std::string_view a, std::string_view b) const {
  const std::string first(a);
  const std::string second(b);
  return lstrcmpA(first.c_str(), second.c_str());
}

bool Win32Processes::isRunning(std::uint32_t processId) const {
  const auto process = openProcess(SYNCHRONIZE, processId);
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

void Win32Processes::terminate(std::uint32_t processId) {
  if (const auto process = openProcess(PROCESS_TERMINATE, processId)) {
    TerminateProcess(process.get(), 1);
  }
}

std::string Win32Processes::executablePath() const {
  return executableAnsiPath().first;
}

bool Win32Processes::executablePathUsable() const {
  return executableAnsiPath().second;
}

std::vector<std::string> Win32Processes::arguments() const {
  return commandLineArguments(GetCommandLineA());
}

}  // namespace vantrel::platform::win32
