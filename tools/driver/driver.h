#pragma once
// Shared pieces of the end-to-end driver. Output is one fact per line; window texts are printed
// as UTF-8 so that shell scripts can compare them with literals.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace driver {

// Exit codes a script can tell apart.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

class Args {
 public:
  // Options are "--name value" (or a bare "--flag" when the name is in `flags`); the rest is
  // positional, in order.
  Args(const std::vector<std::string>& words, const std::vector<std::string_view>& flags);

  const std::vector<std::string>& positional() const { return positional_; }
  std::optional<std::string> option(std::string_view name) const;
  bool flag(std::string_view name) const { return option(name).has_value(); }

 private:
  std::vector<std::string> positional_;
  std::map<std::string, std::string, std::less<>> options_;
};

// Accepts decimal or 0x-prefixed hexadecimal, with an optional minus sign.
std::optional<std::int64_t> parseNumber(std::string_view text);

void printBytes(std::string_view raw);  // one line, bytes as they are

int runWindowCommand(const std::string& command, const Args& args);
int runProfileCommand(const Args& args);

}  // namespace driver
