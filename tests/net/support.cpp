#include "support.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace vantrel::net::testing {

Platform::Platform() : sockets(testRoot()) {}

std::string base64Decode(const std::string& text) {
  static const std::string alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const auto value = alphabet.find(c);
    if (value == std::string::npos) continue;
    bits = bits << 6 | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out += static_cast<char>(bits >> count & 0xff);
    }
  }
  return out;
}

std::string headerLine(const std::string& header, const std::string& name) {
  const std::string key = "\n" + name + ": ";
  const auto at = header.find(key);
  if (at == std::string::npos) return {};
  const auto start = at + key.size();
  return header.substr(start, header.find("\r\n", start) - start);
}

std::string testRoot() {
  const char* path = std::getenv("VANTREL_TEST_CA");
  return path != nullptr ? path : "";
}

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string fileText(const char* variable) {
  const char* path = std::getenv(variable);
  return path != nullptr ? fileBytes(path) : std::string();
}

bool logHasLine(const char* variable, std::initializer_list<std::string> texts) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::istringstream log(fileText(variable));
    for (std::string line; std::getline(log, line);) {
      bool all = true;
      for (const std::string& text : texts) all = all && line.find(text) != std::string::npos;
      if (all) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace vantrel::net::testing
