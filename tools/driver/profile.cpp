// The Windows profile functions on a file, for comparing them with Vantrel's own INI file.
// Values are printed as raw bytes: the comparison is about the file's own code page.
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace driver {

namespace {

// Profile listings are zero-separated and end with an empty entry.
void printList(const std::vector<char>& buffer, DWORD length) {
  std::size_t start = 0;
  while (start < length && buffer[start] != '\0') {
    const std::string entry(&buffer[start]);
    printBytes(entry);
    start += entry.size() + 1;
  }
}

constexpr DWORD kBufferSize = 65536;

}  // namespace

int runProfileCommand(const Args& args) {
  const auto& p = args.positional();
  const std::string command = p.empty() ? "" : p[0];
  std::vector<char> buffer(kBufferSize, '\0');
  if (command == "get" && p.size() == 5) {
    const DWORD n = GetPrivateProfileStringA(p[2].c_str(), p[3].c_str(), p[4].c_str(),
                                             buffer.data(), kBufferSize, p[1].c_str());
    printBytes(std::string(buffer.data(), n));
    return kOk;
  }
  if (command == "getint" && p.size() == 5) {
    const auto fallback = parseNumber(p[4]);
    if (!fallback) return kUsage;
    const UINT value = GetPrivateProfileIntA(p[2].c_str(), p[3].c_str(),
                                             static_cast<INT>(*fallback), p[1].c_str());
    printBytes(std::to_string(static_cast<INT>(value)));
    return kOk;
  }
  if (command == "set" && p.size() == 5) {
    return WritePrivateProfileStringA(p[2].c_str(), p[3].c_str(), p[4].c_str(), p[1].c_str())
               ? kOk
               : kFailed;
  }
  if (command == "sections" && p.size() == 2) {
    printList(buffer, GetPrivateProfileSectionNamesA(buffer.data(), kBufferSize, p[1].c_str()));
    return kOk;
  }
  if (command == "keys" && p.size() == 3) {
    printList(buffer, GetPrivateProfileStringA(p[2].c_str(), nullptr, "", buffer.data(),
                                               kBufferSize, p[1].c_str()));
    return kOk;
  }
  return kUsage;
}

}  // namespace driver
