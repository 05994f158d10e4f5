#include "app/accounts.h"

#include "app/app_constants.h"

#include <algorithm>
#include <optional>

#include "app/identities.h"
#include "app/main_form.h"
#include "app/outlook_express.h"
#include "app/passwords.h"
#include "app/settings.h"
#include "base/hex_text.h"

namespace vantrel::app {
namespace {

using platform::RegistryRoot;

constexpr std::string_view kAskPasswordPrompt = "Entrez le mot de passe du compte ";

std::string ownAreaPath(std::string_view guid) {
  return std::string(oe::kIdentitiesKey) + "\\" + std::string(guid) + "\\" +
         std::string(oe::kAccountsKey);
}

std::string sharedAreaPath() {
  return std::string(oe::kAccountsKey);
}

// Copy(text, from, count) with positions from 1: what lies outside the text is left out.
std::string_view copyOf(std::string_view text, std::size_t from, std::size_t count) {
  if (from < 1 || from > text.size()) return {};
  return text.substr(from - 1, count);
}

std::string reversedPairs(std::string_view part, std::initializer_list<std::size_t> starts) {
  std::string result;
  for (const auto start : starts) result += copyOf(part, start, 2);
  return result;
}

// The account's own port when it names one (1 to 65535); otherwise the usual one for its kind.
int portOf(const platform::RegistryKey& key, bool secure) {
  const auto port = key.readInt32(oe::kPop3Port);
  if (port && *port > 0 && *port <= 65535) return *port;
  return secure ? kPop3SecurePort : kPop3PlainPort;
}

void addAccountsOf(platform::Registry& registry, const std::string& areaPath, AccountArea area,
                   std::vector<MailAccount>& accounts) {
  std::vector<std::string> names;
  if (const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, areaPath)) {
    names = key->subkeyNames();
  }
  for (const auto& name : names) {
    const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, areaPath + "\\" + name);
    if (!key) continue;
    auto server = key->readString(oe::kPop3Server).value_or("");
    if (server.empty()) continue;
    const bool secure = secureConnectionOf(*key, oe::kPop3SecureConnection);
    accounts.push_back({name,
                        area,
                        key->readString(oe::kAccountName).value_or(""),
                        std::move(server),
                        key->readString(oe::kPop3UserName).value_or(""),
                        key->readInt32(oe::kPop3SkipAccount).value_or(0) != 0,
                        secure,
                        portOf(*key, secure),
                        {}});
  }
}

std::vector<MailAccount> accountsInAreasOf(platform::Registry& registry, std::string_view guid) {
  std::vector<MailAccount> accounts;
  addAccountsOf(registry, ownAreaPath(guid), AccountArea::Own, accounts);
  bool owned = false;
  if (const auto shared = registry.openReadOnly(RegistryRoot::CurrentUser, sharedAreaPath())) {
    owned = sharedAccountsBelongTo(*shared, guid);
  }
  if (owned) addAccountsOf(registry, sharedAreaPath(), AccountArea::Shared, accounts);
  return accounts;
}

}  // namespace

bool secureConnectionOf(const platform::RegistryKey& account, std::string_view valueName) {
  if (const auto value = account.readInt32(valueName)) return *value != 0;
  // The little-endian integer of 4 bytes is not 0 exactly when one of its bytes is not.
  if (const auto bytes = account.readBinary(valueName); bytes && bytes->size() == 4) {
    return std::any_of(bytes->begin(), bytes->end(), [](std::uint8_t byte) { return byte != 0; });
  }
  return account.hasValue(valueName);
}

std::string guidToBinaryHex(std::string_view guid) {
  const auto body = guid.substr(0, guid.empty() ? 0 : guid.size() - 1);
  const auto part1 = copyOf(body, 1, 9);
  const auto part2 = copyOf(body, 11, 4);
  const auto part3 = copyOf(body, 16, 4);
  return reversedPairs(part1, {8, 6, 4, 2}) + reversedPairs(part2, {3, 1}) +
         reversedPairs(part3, {3, 1}) + std::string(copyOf(body, 21, 4)) +
         std::string(copyOf(body, 26, 12));
}

bool sharedAccountsBelongTo(const platform::RegistryKey& sharedArea, std::string_view guid) {
  const auto id = sharedArea.readBinary(oe::kAssociatedId);
  if (!id || id->size() != 16) return false;
  std::string hex;
  for (const auto byte : *id) base::appendHexByte(hex, byte);
  return hex == guidToBinaryHex(guid);
}

std::vector<MailAccount> pop3AccountsOf(platform::Registry& registry, std::string_view guid) {
  std::vector<MailAccount> accounts;
  // No identity carries the name: it has no area, and no shared area can belong to it.
  if (guid.empty()) return accounts;
  // Whether a password key clashes depends on the accounts of every identity.
  std::vector<AccountOfIdentity> all;
  std::vector<std::size_t> positions;  // of this identity's accounts in `all`
  for (const auto& identity : enumerateIdentities(registry)) {
    for (auto& account : accountsInAreasOf(registry, identity.guid)) {
      all.push_back({identity.guid, identity.userName, account.accountName});
      if (identity.guid != guid) continue;
      positions.push_back(all.size() - 1);
      accounts.push_back(std::move(account));
    }
  }
  const auto keys = accountPasswordKeys(all);
  for (std::size_t i = 0; i < accounts.size(); ++i) accounts[i].passwordKey = keys[positions[i]];
  return accounts;
}

std::string accountKeyPath(std::string_view guid, const MailAccount& account) {
  const auto area = account.area == AccountArea::Own ? ownAreaPath(guid) : sharedAreaPath();
  return area + "\\" + account.keyName;
}

void TMainForm::checkNoMailClick() {
  const bool on = !tabMail.checkNoMail.checked;
  const auto colour = on ? ui::Colour::Window : ui::Colour::ButtonFace;
  tabMail.comboIdentities.enabled = on;
  tabMail.comboIdentities.colour = colour;
  tabMail.listAccounts.enabled = on;
  tabMail.listAccounts.colour = colour;
  tabMail.checkVerifyAllId.enabled = on;
  changed();
}

void TMainForm::comboIdentitiesChange() {
  while (!tabMail.listAccounts.empty())
    tabMail.listAccounts.remove(tabMail.listAccounts.size() - 1);
  changed();
  if (!tabMail.comboIdentities.selected) return;
  // Each item knows its identity: two may carry one name.
  const auto& guid = tabMail.comboIdentities.items.at(*tabMail.comboIdentities.selected).data;
  for (const auto& account : pop3AccountsOf(platform_.registry, guid)) {
    // The item keeps the key it was read from: both areas number their accounts alike.
    tabMail.listAccounts.add(
        {account.accountName, {account.server}, !account.skip, 1, accountKeyPath(guid, account)});
    changed();
    if (!iniFile->readString(kSectionEmail, account.passwordKey, "").empty()) continue;
    const auto typed = platform_.dialogs.inputQuery(
        APP_NAME, std::string(kAskPasswordPrompt) + account.accountName, "", true);
    writePassword(*iniFile, account.passwordKey, typed.value_or(""));
  }
}

void TMainForm::listAccountsClick() {
  if (!tabMail.comboIdentities.selected) return;
  for (const auto& item : tabMail.listAccounts.items()) {
    // An account deleted since it was listed is not made anew for its flag.
    auto account = platform_.registry.openForWriting(RegistryRoot::CurrentUser, item.data, false);
    if (account) account->writeInt32(oe::kPop3SkipAccount, item.checked ? 0 : 1);
  }
}

}  // namespace vantrel::app
