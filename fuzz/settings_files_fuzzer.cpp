// The profile-file reader and the language loading on any bytes a damaged settings or language
// file may hold: no crash, and what is written reads back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/lang_texts.h"
#include "base/file_access.h"
#include "base/ini_file.h"

namespace {

using vantrel::base::FileAccess;
using vantrel::base::FileRead;
using vantrel::base::IniFile;
using vantrel::base::ReadOutcome;

// One file held in memory, whatever the path.
class MemoryFile : public FileAccess {
 public:
  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
  FileRead read(const std::string&) const override { return {ReadOutcome::Read, bytes_}; }
  bool exists(const std::string&) const override { return true; }
  bool replace(const std::string&, std::string_view bytes) const override {
    bytes_ = bytes;
    return true;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  mutable std::string bytes_;
};

void require(bool condition) {
  if (!condition) std::abort();
}

void readEverything(const IniFile& ini) {
  for (const auto& section : ini.sectionNames()) {
    for (const auto& key : ini.sectionKeys(section)) {
      ini.readString(section, key, "");
      ini.readInteger(section, key, 7);
    }
  }
}

void fuzzProfile(const std::string& text) {
  const MemoryFile file(text);
  IniFile ini("fuzz.ini", file);
  readEverything(ini);

  // Saved and read again, the file keeps its sections and keys.
  const auto sections = ini.sectionNames();
  require(ini.flush());
  const IniFile again("fuzz.ini", file);
  require(again.sectionNames() == sections);
  for (const auto& section : sections) {
    require(again.sectionKeys(section) == ini.sectionKeys(section));
  }

  // A plain value written to an existing key, or to a new one, reads back as written.
  if (!sections.empty()) {
    const auto keys = ini.sectionKeys(sections.front());
    if (!keys.empty()) {
      require(ini.writeString(sections.front(), keys.front(), "fuzz value"));
      require(ini.readString(sections.front(), keys.front(), "") == "fuzz value");
    }
  }
  require(ini.writeInteger("Fuzz Section", "FuzzKey", -42));
  require(ini.readInteger("Fuzz Section", "FuzzKey", 0) == -42);
  require(IniFile("fuzz.ini", file).readInteger("Fuzz Section", "FuzzKey", 0) == -42);
  ini.deleteKey("Fuzz Section", "FuzzKey");
}

void fuzzLanguages(const std::string& text) {
  const MemoryFile file(text);
  const auto names = vantrel::app::listLanguageNames("lang.ini", file);
  // The first entry and the last: each one reads the whole file again.
  for (std::size_t i = 0; i < names.size(); i = std::max(i + 1, names.size() - 1)) {
    const auto texts = vantrel::app::makeLangTexts(names[i], "lang.ini", file);
    if (names[i] != vantrel::app::kBuiltinLangName) require(texts.langName == names[i]);
  }
  vantrel::app::makeLangTexts("", "lang.ini", file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzzProfile(text);
  fuzzLanguages(text);
  return 0;
}
