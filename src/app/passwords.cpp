#include "app/passwords.h"

#include "app/programs_tab.h"
#include "app/settings.h"
#include "base/hex_text.h"
#include "base/text.h"

namespace vantrel::app {
namespace {

constexpr char kEscape = '\\';

std::string shifted(std::string_view text, int direction) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const auto byte = static_cast<unsigned char>(result[i]);
    const auto shift = passwordShiftTable[i % passwordShiftTable.size()] * direction;
    result[i] = static_cast<char>(static_cast<unsigned char>(byte + shift));
  }
  return result;
}

std::string_view upToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

bool isQuote(char c) {
  return c == '"' || c == '\'';
}

// Bytes that would cut or split the value's line, and the escape itself.
bool needsEscape(char c) {
  return c == '\0' || c == '\r' || c == '\n' || c == kEscape;
}

// Whether the settings file reads the value back exactly as it was written.
bool readsBackUnchanged(std::string_view value) {
  if (value.empty()) return true;
  for (const char c : value) {
    if (c == '\0' || c == '\r' || c == '\n') return false;
  }
  if (base::isProfileBlank(value.front()) || base::isProfileBlank(value.back())) return false;
  return !(value.size() >= 2 && isQuote(value.front()) && value.back() == value.front());
}

// A value the file gives back wrapped in double quotes can only come from the marked form: a
// plain value in quotes loses them on reading.
bool isMarked(std::string_view value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

// "mail.example." and "mail.example" name one host.
std::string_view withoutFinalDot(std::string_view server) {
  return server.ends_with('.') ? server.substr(0, server.size() - 1) : server;
}

bool sameOwner(const PasswordOwner& stored, const PasswordOwner& owner) {
  return base::equalsIgnoreCase(withoutFinalDot(stored.server), withoutFinalDot(owner.server)) &&
         stored.userName == owner.userName;
}

// The keys beside a password end otherwise than any password key ("_pass") or IMAP tick key
// ("_imap") can: they are never another account's.
std::string passwordServerKey(std::string_view passwordKey) {
  return std::string(passwordKey) + "_server";
}

std::string passwordUserKey(std::string_view passwordKey) {
  return std::string(passwordKey) + "_user";
}

std::string passwordAccountKey(std::string_view passwordKey) {
  return std::string(passwordKey) + "_account";
}

std::string passwordTlsKey(std::string_view passwordKey) {
  return std::string(passwordKey) + "_tls";
}

// Any value but 0 marks it: a mark that cannot be read keeps the password from clear text.
bool sentOverTls(const base::IniFile& iniFile, std::string_view key) {
  const auto mark = iniFile.find(kSectionEmail, passwordTlsKey(key));
  return mark && *mark != "0";
}

}  // namespace

std::string scramblePassword(std::string_view password) {
  return shifted(upToZero(password), 1);
}

std::string unscramblePassword(std::string_view stored) {
  auto password = shifted(stored, -1);
  password.resize(upToZero(password).size());
  return password;
}

std::string accountPasswordKey(std::string_view identity, std::string_view account) {
  return storableProgramName(std::string(identity) + "_" + std::string(account) + "_pass");
}

std::vector<std::string> accountPasswordKeys(const std::vector<AccountOfIdentity>& accounts,
                                             std::span<const std::string> reserved) {
  return unclashedAccountKeys(accounts, accountPasswordKey, reserved);
}

std::string passwordFileValue(std::string_view scrambled) {
  if (readsBackUnchanged(scrambled)) return std::string(scrambled);
  // Two pairs of quotes: the file strips the outer pair on reading, the inner pair marks the form.
  std::string value = "\"\"";
  for (const char c : scrambled) {
    if (needsEscape(c)) {
      value += kEscape;
      base::appendHexByte(value, static_cast<unsigned char>(c));
    } else {
      value += c;
    }
  }
  value += "\"\"";
  return value;
}

std::string scrambledFromFileValue(std::string_view value) {
  if (!isMarked(value)) return std::string(value);
  const auto inner = value.substr(1, value.size() - 2);
  std::string scrambled;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == kEscape && i + 2 < inner.size()) {
      const int high = base::hexDigitValue(inner[i + 1]);
      const int low = base::hexDigitValue(inner[i + 2]);
      if (high >= 0 && low >= 0) {
        scrambled += static_cast<char>(high << 4 | low);
        i += 2;
        continue;
      }
    }
    scrambled += inner[i];
  }
  return scrambled;
}

std::string readPassword(const base::IniFile& iniFile, std::string_view key) {
  return unscramblePassword(scrambledFromFileValue(iniFile.readString(kSectionEmail, key, "")));
}

void writePassword(base::IniFile& iniFile, std::string_view key, std::string_view password,
                   const PasswordOwner& owner) {
  const base::IniFile::Batch batch(iniFile);
  iniFile.writeString(kSectionEmail, key, passwordFileValue(scramblePassword(password)));
  iniFile.deleteKey(kSectionEmail, passwordTlsKey(key));
  bindPassword(iniFile, key, owner);
}

void bindPassword(base::IniFile& iniFile, std::string_view key, const PasswordOwner& owner) {
  const base::IniFile::Batch batch(iniFile);
  // Names may hold what a plain value loses (blanks at the ends, quotes, line breaks): they are
  // written in the form that gives any bytes back.
  iniFile.writeString(kSectionEmail, passwordServerKey(key), passwordFileValue(owner.server));
  iniFile.writeString(kSectionEmail, passwordUserKey(key), passwordFileValue(owner.userName));
  if (owner.account.empty()) {
    iniFile.deleteKey(kSectionEmail, passwordAccountKey(key));
  } else {
    iniFile.writeString(kSectionEmail, passwordAccountKey(key), passwordFileValue(owner.account));
  }
}

void markPasswordSentOverTls(base::IniFile& iniFile, std::string_view key) {
  // Checked every few minutes: the file is written only the first time.
  if (sentOverTls(iniFile, key)) return;
  iniFile.writeInteger(kSectionEmail, passwordTlsKey(key), flagValue(true));
}

StoredPassword storedPasswordFor(const base::IniFile& iniFile, std::string_view key,
                                 const PasswordOwner& owner) {
  const bool overTlsOnly = sentOverTls(iniFile, key);
  const auto server = iniFile.find(kSectionEmail, passwordServerKey(key));
  if (!server) return {readPassword(iniFile, key), true, overTlsOnly};
  const PasswordOwner stored{
      scrambledFromFileValue(*server),
      scrambledFromFileValue(iniFile.readString(kSectionEmail, passwordUserKey(key), ""))};
  if (!sameOwner(stored, owner)) {
    const auto account = iniFile.find(kSectionEmail, passwordAccountKey(key));
    // Registry key names are alike without regard to letter case.
    const bool sameAccount =
        !account || base::equalsIgnoreCase(scrambledFromFileValue(*account), owner.account);
    StoredPassword none;
    none.ownerChanged = sameAccount && !readPassword(iniFile, key).empty();
    return none;
  }
  return {readPassword(iniFile, key), false, overTlsOnly};
}

}  // namespace vantrel::app
