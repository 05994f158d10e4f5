#pragma once
// Processes, files and facts of the running Windows system, through kernel32.

#include "platform/processes.h"
#include "platform/win32/win32_files.h"

namespace vantrel::platform::win32 {

// The arguments of a command line, split as the C runtime splits it for main, without the
// program name.
std::vector<std::string> commandLineArguments(std::string_view commandLine);

class Win32Processes : public Processes {
 public:
  ProcessStart createProcess(std::string_view commandLine, std::uint16_t showState) override;
  std::string errorText(std::uint32_t error) const override;
  std::string expandEnvironmentStrings(std::string_view text) const override;
  bool fileExists(std::string_view path) const override;
  SystemVersion version() const override;
  int compareText(std::string_view a, std::string_view b) const override;
  bool isRunning(std::uint32_t processId) const override;
  void terminate(std::uint32_t processId) override;
  const base::FileAccess& files() const override { return files_; }
  std::string executablePath() const override;
  bool executablePathUsable() const override;
  std::vector<std::string> arguments() const override;

 private:
  Win32FileAccess files_;
};

}  // namespace vantrel::platform::win32
