#pragma once
// A profile (INI) file that reads and writes the way the Windows profile functions do, so that
// the settings file and the language file behave the same on every platform.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/file_access.h"

namespace vantrel::base {

class IniFile {
 public:
  // Reads the file now; a missing or unreadable file reads as an empty one. `path` is the
  // system's narrow text, passed to `files` as it is.
  explicit IniFile(std::string path, const FileAccess& files = standardFileAccess());

  const std::string& path() const { return path_; }
  // The file exists but could not be read: it is then never written, so that whatever it holds
  // survives; writes change only the text in memory.
  bool readFailed() const { return readFailed_; }
  // Called once, at the first write that could not reach the file.
  void onFirstWriteFailure(std::function<void()> handler) { onWriteFailure_ = std::move(handler); }

  // The value with quotes stripped, or `fallback` when the key is absent or has no "=".
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // The program's own integer rule: an absent key or a value that is not a whole decimal
  // integer (after trimming and unquoting) gives `fallback`.
  std::int32_t readInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  std::optional<std::string> find(std::string_view section, std::string_view key) const;

  // Each write goes straight to the file: a temporary beside it is renamed over the old one,
  // so a failed write never leaves a half-written file. Returns false when it could not write;
  // the value is kept in memory all the same, so later reads see it.
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool deleteKey(std::string_view section, std::string_view key);
  bool flush();

  // While one is open, writes change the text in memory only; the last one closed saves the file
  // once, if anything changed.
  class Batch {
   public:
    explicit Batch(IniFile& file) : file_(file) { ++file_.batchDepth_; }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch() {
      if (--file_.batchDepth_ == 0 && file_.savePending_) file_.save();
    }

   private:
    IniFile& file_;
  };

  // Section names in file order (the unnamed part before the first section is left out).
  std::vector<std::string> sectionNames() const;
  // Key names of the first matching section, in file order; lines without "=" are left out.
  std::vector<std::string> sectionKeys(std::string_view section) const;

  bool exists() const;

 private:
  std::string path_;
  const FileAccess& files_;
  std::vector<std::string> lines_;  // every line as the file holds it, without its line end
  bool readFailed_ = false;
  bool writeFailed_ = false;
  int batchDepth_ = 0;
  bool savePending_ = false;
  std::function<void()> onWriteFailure_;

  // The sections and their key lines, found once after each change: both files are read key by
  // key, and scanning every line for each key made reading a large file slow.
  struct Name {
    std::size_t line;
    std::size_t at;  // the trimmed name within the line
    std::size_t size;
    bool hasValue;  // a key line with "="
  };
  struct Section {
    Name name;
    std::size_t end;       // the next section's line, or the number of lines
    std::size_t firstKey;  // its key lines in keys_, with "=" or without; comments aside
    std::size_t endKey;
  };
  mutable std::vector<Section> sections_;
  mutable std::vector<Name> keys_;
  mutable bool indexed_ = false;

  const std::vector<Section>& sections() const;
  std::span<const Name> keys(const Section& section) const;
  std::string_view text(const Name& name) const;
  const Section* findSection(std::string_view section) const;
  const Name* findKey(const Section& section, std::string_view key) const;
  void setLines(std::size_t at, std::size_t count, std::string_view text);
  bool save();
};

// Parses the whole text as a decimal 32-bit integer with an optional sign; nothing else allowed.
std::optional<std::int32_t> parseInteger(std::string_view text);

}  // namespace vantrel::base
