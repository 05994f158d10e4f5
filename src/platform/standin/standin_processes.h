#pragma once
// Simulated processes: files that exist, programs that can be started, and a scripted stand-in
// Outlook Express that opens its windows some virtual time after it is started.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/standin/standin_desktop.h"
#include "platform/standin/standin_registry.h"

namespace vantrel::platform::standin {

struct OutlookScript {
  std::uint64_t logonMs = 0;         // identity logon window shown this long first (0: none)
  std::uint64_t mainWindowMs = 300;  // then the main window appears after this long
  std::uint64_t closeMs = 0;         // asked to close, the main window goes after this long
};

// Real files under the test's own folder, with two faults a test can cause: a file that exists
// but cannot be read (another program holds it), and a system that refuses every write.
class StandinFiles : public base::StandardFileAccess {
 public:
  void makeUnreadable(std::string path) { unreadable_.insert(std::move(path)); }
  void refuseWrites(bool refuse) { refuseWrites_ = refuse; }
  int replaceCalls() const { return replaceCalls_; }

  base::FileRead read(const std::string& path) const override;
  bool replace(const std::string& path, std::string_view bytes) const override;

 private:
  std::set<std::string> unreadable_;
  bool refuseWrites_ = false;
  mutable int replaceCalls_ = 0;
};

// What the stand-in Outlook Express found when it started.
struct OutlookStart {
  std::string commandLine;
  std::uint16_t showState = 0;
  std::string lastUsername, lastUserId, startAs;
  WindowHandle window = kNoWindow;
  std::uint32_t processId = 0;
};

struct StartedProcess {
  std::string commandLine;
  std::uint16_t showState;
};

class StandinProcesses : public Processes {
 public:
  StandinProcesses(StandinEventLoop& loop, StandinDesktop& desktop, StandinRegistry& registry)
      : loop_(loop), desktop_(desktop), registry_(registry) {}

  // Configuration by tests.
  void addFile(std::string path) { files_.insert(std::move(path)); }
  void setEnvironment(std::string name, std::string value) {
    env_[std::move(name)] = std::move(value);
  }
  // `usable` false: a path the ANSI code page could not write in any form.
  void setExecutable(std::string path, bool usable = true) {
    executable_ = std::move(path);
    executableUsable_ = usable;
  }
  void setArguments(std::vector<std::string> args) { args_ = std::move(args); }
  void setVersion(SystemVersion version) { version_ = version; }
  // Installs a stand-in Outlook Express at this path (the file exists and starts the script).
  void installOutlook(const std::string& path, OutlookScript script);
  void setOutlookScript(OutlookScript script) { script_ = script; }

  const std::vector<StartedProcess>& started() const { return started_; }
  StandinFiles& disk() { return disk_; }
  const std::set<std::uint32_t>& terminated() const { return terminated_; }
  const std::vector<OutlookStart>& outlookStarts() const { return outlookStarts_; }

  ProcessStart createProcess(std::string_view commandLine, std::uint16_t showState) override;
  std::string errorText(std::uint32_t error) const override;
  std::string expandEnvironmentStrings(std::string_view text) const override;
  bool fileExists(std::string_view path) const override;
  SystemVersion version() const override { return version_; }
  int compareText(std::string_view a, std::string_view b) const override;
  // A stand-in Outlook Express runs until its main window is gone; other programs run on.
  bool isRunning(std::uint32_t processId) const override;
  void terminate(std::uint32_t processId) override;
  const base::FileAccess& files() const override { return disk_; }
  std::string executablePath() const override { return executable_; }
  bool executablePathUsable() const override { return executableUsable_; }
  std::vector<std::string> arguments() const override { return args_; }

 private:
  void startOutlook(std::string commandLine, std::uint16_t showState, std::uint32_t processId);

  StandinEventLoop& loop_;
  StandinDesktop& desktop_;
  StandinRegistry& registry_;
  std::set<std::string> files_;
  std::map<std::string, std::string> env_;
  std::string executable_ = "C:\\Vantrel\\Vantrel.exe";
  bool executableUsable_ = true;
  std::vector<std::string> args_;
  SystemVersion version_{5, 1, 2600, "Service Pack 3"};
  std::string outlookPath_;
  OutlookScript script_;
  std::vector<StartedProcess> started_;
  std::vector<OutlookStart> outlookStarts_;
  std::uint32_t nextPid_ = 1000;
  std::set<std::uint32_t> ended_;
  std::set<std::uint32_t> terminated_;
  StandinFiles disk_;
};

}  // namespace vantrel::platform::standin
