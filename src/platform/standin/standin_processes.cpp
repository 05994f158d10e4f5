#include "platform/standin/standin_processes.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::platform::standin {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;

// The executable named by a command line that starts with a quoted path.
std::string executableOf(std::string_view commandLine) {
  if (commandLine.empty() || commandLine.front() != '"') return {};
  const auto close = commandLine.find('"', 1);
  return std::string(commandLine.substr(1, close - 1));
}

std::string readIdentity(const StandinRegistry& registry, std::string_view name) {
  const auto value = registry.value("HKEY_CURRENT_USER\\Identities", name);
  const auto* text = value ? std::get_if<std::string>(&*value) : nullptr;
  return text ? *text : std::string();
}

}  // namespace

base::FileRead StandinFiles::read(const std::string& path) const {
  if (unreadable_.count(path) != 0) return {base::ReadOutcome::Unreadable, {}};
  return StandardFileAccess::read(path);
}

bool StandinFiles::replace(const std::string& path, std::string_view bytes) const {
  ++replaceCalls_;
  return !refuseWrites_ && StandardFileAccess::replace(path, bytes);
}

void StandinProcesses::installOutlook(const std::string& path, OutlookScript script) {
  outlookPath_ = path;
  script_ = script;
  files_.insert(path);
}

ProcessStart StandinProcesses::createProcess(std::string_view commandLine,
                                             std::uint16_t showState) {
  const auto executable = executableOf(commandLine);
  if (!fileExists(executable)) return {0, kErrorFileNotFound};
  started_.push_back({std::string(commandLine), showState});
  const auto processId = nextPid_++;
  if (!outlookPath_.empty() && base::equalsIgnoreCase(executable, outlookPath_)) {
    startOutlook(std::string(commandLine), showState, processId);
  }
  return {processId, 0};
}

bool StandinProcesses::isRunning(std::uint32_t processId) const {
  return processId != 0 && processId < nextPid_ && ended_.count(processId) == 0;
}

void StandinProcesses::terminate(std::uint32_t processId) {
  if (!isRunning(processId)) return;
  ended_.insert(processId);
  terminated_.insert(processId);
  for (const auto& start : outlookStarts_) {
    if (start.processId == processId && start.window != kNoWindow) {
      desktop_.destroyWindow(start.window);
    }
  }
}

void StandinProcesses::startOutlook(std::string commandLine, std::uint16_t showState,
                                    std::uint32_t processId) {
  outlookStarts_.push_back({commandLine, showState, readIdentity(registry_, "Last Username"),
                            readIdentity(registry_, "Last User ID"),
                            readIdentity(registry_, "Start As"), kNoWindow, processId});
  const auto index = outlookStarts_.size() - 1;
  const auto start = loop_.nowMs();
  WindowHandle logon = kNoWindow;
  if (script_.logonMs > 0) {
    logon = desktop_.createWindow(
        {kNoWindow, "#32770", "Connexion d'une identit\xE9", kNoWindow, true, false, false, {}});
    loop_.atTime(start + script_.logonMs, [this, logon] { desktop_.destroyWindow(logon); });
  }
  const auto closeMs = script_.closeMs;
  loop_.atTime(start + script_.logonMs + script_.mainWindowMs, [this, index, showState, closeMs,
                                                                processId] {
    if (!isRunning(processId)) return;  // ended before its window came
    SimWindow main{kNoWindow,
                   "Outlook Express Browser Class",
                   "Outlook Express",
                   kNoWindow,
                   false,
                   false,
                   false,
                   {}};
    const auto handle = desktop_.createWindow(main);
    outlookStarts_[index].window = handle;
    desktop_.showWindow(handle, static_cast<ShowCommand>(showState));
    desktop_.window(handle)->onMessage =
        [this, handle, closeMs, processId](std::uint32_t message, std::uintptr_t w, std::intptr_t) {
          if (message != kWmSysCommand || w != kScClose) return;
          loop_.atTime(loop_.nowMs() + closeMs, [this, handle, processId] {
            desktop_.destroyWindow(handle);
            ended_.insert(processId);
          });
        };
  });
}

std::string StandinProcesses::errorText(std::uint32_t error) const {
  if (error == kErrorFileNotFound)
    return "Le fichier sp\xE9"
           "cifi\xE9 est introuvable.\r\n";
  return "Erreur " + std::to_string(error) + "\r\n";
}

std::string StandinProcesses::expandEnvironmentStrings(std::string_view text) const {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string_view::npos;
    if (close == std::string_view::npos) {
      out += text[i++];
      continue;
    }
    const auto name = base::toLowerCp1252(text.substr(i + 1, close - i - 1));
    const auto found = std::find_if(env_.begin(), env_.end(), [&](const auto& entry) {
      return base::toLowerCp1252(entry.first) == name;
    });
    if (found == env_.end()) {
      out += text.substr(i, close - i);  // unknown references stay as written
      i = close;
      continue;
    }
    out += found->second;
    i = close + 1;
  }
  return out;
}

bool StandinProcesses::fileExists(std::string_view path) const {
  for (const auto& file : files_) {
    if (base::equalsIgnoreCase(file, path)) return true;
  }
  return false;
}

// Like lstrcmp: letter case matters only between otherwise equal texts, lower case first.
int StandinProcesses::compareText(std::string_view a, std::string_view b) const {
  const auto la = base::toLowerCp1252(a);
  const auto lb = base::toLowerCp1252(b);
  if (la != lb) {
    const auto less = std::lexicographical_compare(
        la.begin(), la.end(), lb.begin(), lb.end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    return less ? -1 : 1;
  }
  if (a == b) return 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return a[i] > b[i] ? -1 : 1;  // 'a' (0x61) before 'A' (0x41)
  }
  return 0;
}

}  // namespace vantrel::platform::standin
