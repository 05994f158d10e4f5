#include "app/accounts.h"

#include "app/account_results.h"
#include "app/app_constants.h"

#include <algorithm>
#include <array>
#include <optional>

#include "app/identities.h"
#include "app/main_form.h"
#include "app/outlook_express.h"
#include "app/passwords.h"
#include "app/programs_tab.h"
#include "app/settings.h"
#include "base/hex_text.h"

namespace vantrel::app {
namespace {

using platform::RegistryRoot;

// After an IMAP account's server: a protocol's name, the same in every language.
constexpr std::string_view kImapServerSuffix = " (IMAP)";

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

// Where each kind keeps its values, and its usual ports.
struct KindValues {
  AccountKind kind;
  std::string_view server;
  std::string_view userName;
  std::string_view port;
  std::string_view secureConnection;
  int plainPort;
  int securePort;
};

// In the order a key is tried: an account with both servers stays the POP3 account it always was.
constexpr std::array<KindValues, 2> kKinds{{
    {AccountKind::Pop3, oe::kPop3Server, oe::kPop3UserName, oe::kPop3Port,
     oe::kPop3SecureConnection, kPop3PlainPort, kPop3SecurePort},
    {AccountKind::Imap, oe::kImapServer, oe::kImapUserName, oe::kImapPort,
     oe::kImapSecureConnection, kImapPlainPort, kImapSecurePort},
}};

// The account's own port when it names one (1 to 65535); otherwise the usual one for its kind.
int portOf(const platform::RegistryKey& key, const KindValues& values, bool secure) {
  const auto port = key.readInt32(values.port);
  if (port && *port > 0 && *port <= 65535) return *port;
  return secure ? values.securePort : values.plainPort;
}

void addAccountsOf(platform::Registry& registry, const std::string& areaPath,
                   std::vector<MailAccount>& accounts) {
  std::vector<std::string> names;
  if (const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, areaPath)) {
    names = key->subkeyNames();
  }
  for (const auto& name : names) {
    auto keyPath = areaPath + "\\" + name;
    const auto key = registry.openReadOnly(RegistryRoot::CurrentUser, keyPath);
    if (!key) continue;
    for (const auto& values : kKinds) {
      auto server = key->readString(values.server).value_or("");
      if (server.empty()) continue;
      const bool secure = secureConnectionOf(*key, values.secureConnection);
      const bool skip =
          values.kind == AccountKind::Pop3 && key->readInt32(oe::kPop3SkipAccount).value_or(0) != 0;
      accounts.push_back({std::move(keyPath),
                          values.kind,
                          key->readString(oe::kAccountName).value_or(""),
                          std::move(server),
                          key->readString(values.userName).value_or(""),
                          skip,
                          secure,
                          portOf(*key, values, secure),
                          {},
                          {}});
      break;
    }
  }
}

std::string imapTickKey(std::string_view identity, std::string_view account) {
  return storableProgramName(std::string(identity) + "_" + std::string(account) + "_imap");
}

std::vector<MailAccount> accountsInAreasOf(platform::Registry& registry, std::string_view guid) {
  std::vector<MailAccount> accounts;
  addAccountsOf(registry, ownAreaPath(guid), accounts);
  bool owned = false;
  if (const auto shared = registry.openReadOnly(RegistryRoot::CurrentUser, sharedAreaPath())) {
    owned = sharedAccountsBelongTo(*shared, guid);
  }
  if (owned) addAccountsOf(registry, sharedAreaPath(), accounts);
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

std::vector<MailAccount> mailAccountsOf(platform::Registry& registry, const base::IniFile& iniFile,
                                        std::string_view guid) {
  std::vector<MailAccount> accounts;
  // No identity carries the name: it has no area, and no shared area can belong to it.
  if (guid.empty()) return accounts;
  // Whether a key clashes depends on the accounts of every identity, of each kind apart.
  std::vector<AccountOfIdentity> pop3;
  std::vector<AccountOfIdentity> imap;
  std::vector<std::size_t> positions;  // of this identity's accounts among those of their kind
  for (const auto& identity : enumerateIdentities(registry)) {
    for (auto& account : accountsInAreasOf(registry, identity.guid)) {
      auto& family = account.kind == AccountKind::Pop3 ? pop3 : imap;
      family.push_back({identity.guid, identity.userName, account.accountName});
      if (identity.guid != guid) continue;
      positions.push_back(family.size() - 1);
      accounts.push_back(std::move(account));
    }
  }
  const auto pop3Keys = accountPasswordKeys(pop3);
  // After every POP3 account: none of them loses the key a settings file holds for it.
  const auto imapKeys = accountPasswordKeys(imap, pop3Keys);
  const auto tickKeys = unclashedAccountKeys(imap, imapTickKey);
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    auto& account = accounts[i];
    const auto at = positions[i];
    if (account.kind == AccountKind::Pop3) {
      account.passwordKey = pop3Keys[at];
      continue;
    }
    account.passwordKey = imapKeys[at];
    account.tickKey = tickKeys[at];
    account.skip = iniFile.readInteger(kSectionEmail, account.tickKey, 1) == 0;
  }
  return accounts;
}

void TMainForm::checkNoMailClick() {
  const bool on = !tabMail.checkNoMail.checked;
  const auto colour = on ? ui::Colour::Window : ui::Colour::ButtonFace;
  tabMail.comboIdentities.enabled = on;
  tabMail.comboIdentities.colour = colour;
  tabMail.listAccounts.enabled = on;
  tabMail.listAccounts.colour = colour;
  tabMail.checkVerifyAllId.enabled = on;
  tabMail.checkMailPush.enabled = on;
  changed();
}

void TMainForm::comboIdentitiesChange() {
  while (!tabMail.listAccounts.empty())
    tabMail.listAccounts.remove(tabMail.listAccounts.size() - 1);
  tabMail.listAccounts.select(std::nullopt);
  listedAccounts_.clear();
  showAccountResult();
  changed();
  if (!tabMail.comboIdentities.selected) return;
  // Each item knows its identity: two may carry one name.
  const auto& guid = tabMail.comboIdentities.items.at(*tabMail.comboIdentities.selected).data;
  listedAccounts_ = mailAccountsOf(platform_.registry, *iniFile, guid);
  for (const auto& account : listedAccounts_) {
    auto server = account.server;
    if (account.kind == AccountKind::Imap) server += kImapServerSuffix;
    tabMail.listAccounts.add(
        {account.accountName, {std::move(server)}, !account.skip, 1, account.keyPath});
    changed();
    // A key that holds another account's password holds none for this one.
    const PasswordOwner owner{account.server, account.userName, account.keyPath};
    if (!storedPasswordFor(*iniFile, account.passwordKey, owner).password.empty()) continue;
    const auto typed = platform_.dialogs.inputQuery(
        APP_NAME, std::string(kAskPasswordPrompt) + account.accountName, "", true);
    writePassword(*iniFile, account.passwordKey, typed.value_or(""), owner);
  }
  // The first account's last result shows at once, without a click.
  if (!tabMail.listAccounts.empty()) tabMail.listAccounts.select(0);
  showAccountResult();
  changed();
}

void TMainForm::listAccountsClick() {
  if (!tabMail.comboIdentities.selected) return;
  const base::IniFile::Batch batch(*iniFile);
  for (const auto& item : tabMail.listAccounts.items()) {
    // Outlook Express has no flag of its own for an IMAP account: its tick is Vantrel's.
    const auto imap =
        std::find_if(listedAccounts_.begin(), listedAccounts_.end(), [&](const auto& account) {
          return account.kind == AccountKind::Imap && account.keyPath == item.data;
        });
    if (imap != listedAccounts_.end()) {
      iniFile->writeInteger(kSectionEmail, imap->tickKey, flagValue(item.checked));
      continue;
    }
    // An account deleted since it was listed is not made anew for its flag.
    auto account = platform_.registry.openForWriting(RegistryRoot::CurrentUser, item.data, false);
    if (account) account->writeInt32(oe::kPop3SkipAccount, item.checked ? 0 : 1);
  }
  // An unticked account is left out from now on.
  showAccountResult();
}

void TMainForm::listAccountsSelectItem() {
  showAccountResult();
}

void TMainForm::showAccountResult() {
  const auto& list = tabMail.listAccounts;
  const auto selected = list.selected();
  auto& label = tabMail.lblAccountResult;
  if (!selected || *selected >= list.size()) {
    label.caption.clear();
    label.utf8 = false;
    return;
  }
  const auto& item = list.at(*selected);
  const auto found = mailWatch.results.find(item.data);
  auto line = accountResultText(
      langTexts, found != mailWatch.results.end() ? &found->second : nullptr, item.checked);
  // An IMAP account's push first: it says what is under way now.
  if (const auto push = mailPush.lineFor(item.data); push && item.checked) {
    line = joinedLines(*push, line);
  }
  label.caption = std::move(line.text);
  label.utf8 = line.utf8;
}

}  // namespace vantrel::app
