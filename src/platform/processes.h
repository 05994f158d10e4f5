#pragma once
// Processes, files and facts of the running system.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"

namespace vantrel::platform {

struct ProcessStart {
  std::uint32_t processId = 0;  // 0 when the process could not be created
  std::uint32_t error = 0;      // the system's error code then
};

struct SystemVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::string servicePack;  // "Service Pack 2", or empty
};

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateProcess with no application name, the given command line and only a show state.
  virtual ProcessStart createProcess(std::string_view commandLine, std::uint16_t showState) = 0;
  // The system's text for an error code (FormatMessage, language 1024).
  virtual std::string errorText(std::uint32_t error) const = 0;
  virtual std::string expandEnvironmentStrings(std::string_view text) const = 0;
  virtual bool fileExists(std::string_view path) const = 0;
  virtual SystemVersion version() const = 0;
  // The system's locale-aware text order (lstrcmpA): below, equal to or above 0.
  virtual int compareText(std::string_view a, std::string_view b) const = 0;

  // Whether a process this program started still runs; ending one that does.
  virtual bool isRunning(std::uint32_t processId) const = 0;
  virtual void terminate(std::uint32_t processId) = 0;
  // Files named in the same narrow text as the paths above.
  virtual const base::FileAccess& files() const = 0;

  // The running program's own executable as ANSI text: its long form, or its short (8.3) form
  // when the ANSI code page cannot write the long one. When it can write neither, the long form
  // with "?" for the letters it lost, which names no file: executablePathUsable() is then false.
  virtual std::string executablePath() const = 0;
  virtual bool executablePathUsable() const = 0;
  // The program's command-line arguments.
  virtual std::vector<std::string> arguments() const = 0;
};

}  // namespace vantrel::platform
