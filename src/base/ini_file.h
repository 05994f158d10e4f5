#pragma once
// A profile (INI) file that reads and writes the way the Windows profile functions do, so that
// the settings file and the language file behave the same on every platform.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::base {

class IniFile {
 public:
  // Reads the file now; a missing or unreadable file is an empty one.
  // The path is in the system's narrow encoding, as the program's other file names are.
  explicit IniFile(std::string path);

  const std::string& path() const { return path_; }

  // The value with quotes stripped, or `fallback` when the key is absent or has no "=".
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // The program's own integer rule: an absent key or a value that is not a whole decimal
  // integer (after trimming and unquoting) gives `fallback`.
  std::int32_t readInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  std::optional<std::string> find(std::string_view section, std::string_view key) const;

  // Each write goes straight to the file: a temporary beside it is renamed over the old one,
  // so a failed write never leaves a half-written file. Returns false when it could not write.
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool deleteKey(std::string_view section, std::string_view key);
  bool flush();

  // Section names in file order (the unnamed part before the first section is left out).
  std::vector<std::string> sectionNames() const;
  // Key names of the first matching section, in file order; lines without "=" are left out.
  std::vector<std::string> sectionKeys(std::string_view section) const;

  bool exists() const;

 private:
  std::string path_;
  std::vector<std::string> lines_;  // every line as the file holds it, without its line end

  std::optional<std::size_t> findSection(std::string_view section) const;
  std::optional<std::size_t> findKeyLine(std::size_t sectionLine, std::string_view key) const;
  std::size_t sectionEnd(std::size_t sectionLine) const;
  void setLines(std::size_t at, std::size_t count, std::string_view text);
  bool save() const;
};

// Whether anything (a file, a folder) has this name, readable or not.
bool fileExists(const std::string& path);

// Parses the whole text as a decimal 32-bit integer with an optional sign; nothing else allowed.
std::optional<std::int32_t> parseInteger(std::string_view text);

}  // namespace vantrel::base
