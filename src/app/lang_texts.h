#pragma once
// The texts of one user-interface language: the built-in French set or a section of the
// language file. Every text is Windows-1252 bytes.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"

namespace vantrel::app {

// Field names are the keys of the language file.
struct TLangTexts {
  std::string langCode;
  std::string langName;
  std::string dlgOpenOETitle;
  std::string notifyWindowTitle;
  std::string tabLaunch;
  std::string tabProgs;
  std::string tabIdentities;
  std::string tabMail;
  std::string tabAbout;
  std::string boxLaunchMode;
  std::string boxBehavior;
  std::string boxLang;
  std::string radioModeMail;
  std::string radioModeNews;
  std::string checkNotifyReduce;
  std::string checkStartReduced;
  std::string checkCloseConfirm;
  std::string checkRestoreMaximized;
  std::string checkRestoreDblClk;
  std::string bttnOK;
  std::string boxExternalProgs;
  std::string boxExternalProgsOptions;
  std::string listExternalProgsHeaderName;
  std::string listExternalProgsHeaderProg;
  std::string bttnExternalProgsAdd;
  std::string bttnExternalProgsDel;
  std::string bttnExternalProgsModify;
  std::string radioExternalProgsStartReduced;
  std::string radioExternalProgsStartNormal;
  std::string boxIdentities;
  std::string checkNoIdentities;
  std::string checkIdentitiesChoice;
  std::string boxMail;
  std::string checkNoMail;
  std::string checkVerifyAllId;
  std::string listAccountsHeaderAccount;
  std::string listAccountsHeaderServer;
  std::string boxMailOptions;
  std::string checkMailWindow;
  std::string lblMailWindowTime;
  std::string checkMailSound;
  std::string lblMailTime;
  std::string lblDescription;
  std::string bttnWWW;
  std::string bttnMailList;
  std::string bttnUpdt;
  std::string mnuTrayProgs;
  std::string mnuTrayQuit;
  std::string mnuTrayConfig;
  std::string lblNotifyExpl;
  std::string msgFirstRunConfig;
  std::string msgIdentityMustChoose;
  std::string msgOENotFound;
  std::string msgOECloseConfirm;
  std::string msgAboutML;
  std::string msgAboutCheckUpdt;
  std::string msgAboutCheckUpdtFailed;
  std::string msgMailNotify;
  std::string msgMailBadPass;
  std::string msgMailBadPassRetry;
  std::string msgMailConnectionFailed;
  std::string msgMailInvalidHost;
  std::string msgMailSecureFailed;
  std::string trayTooltipNotify;
  std::string msgSettingsUnreadable;
  std::string msgSettingsNotSaved;
  std::string msgSettingsFolderUnusable;
};

struct LangKey {
  std::string_view key;
  std::string TLangTexts::*field;
};

// Every field a language file section can set (all but langCode and langName).
inline constexpr std::array<LangKey, 65> kLangKeys = {{
    {"dlgOpenOETitle", &TLangTexts::dlgOpenOETitle},
    {"notifyWindowTitle", &TLangTexts::notifyWindowTitle},
    {"tabLaunch", &TLangTexts::tabLaunch},
    {"tabProgs", &TLangTexts::tabProgs},
    {"tabIdentities", &TLangTexts::tabIdentities},
    {"tabMail", &TLangTexts::tabMail},
    {"tabAbout", &TLangTexts::tabAbout},
    {"boxLaunchMode", &TLangTexts::boxLaunchMode},
    {"boxBehavior", &TLangTexts::boxBehavior},
    {"boxLang", &TLangTexts::boxLang},
    {"radioModeMail", &TLangTexts::radioModeMail},
    {"radioModeNews", &TLangTexts::radioModeNews},
    {"checkNotifyReduce", &TLangTexts::checkNotifyReduce},
    {"checkStartReduced", &TLangTexts::checkStartReduced},
    {"checkCloseConfirm", &TLangTexts::checkCloseConfirm},
    {"checkRestoreMaximized", &TLangTexts::checkRestoreMaximized},
    {"checkRestoreDblClk", &TLangTexts::checkRestoreDblClk},
    {"bttnOK", &TLangTexts::bttnOK},
    {"boxExternalProgs", &TLangTexts::boxExternalProgs},
    {"boxExternalProgsOptions", &TLangTexts::boxExternalProgsOptions},
    {"listExternalProgsHeaderName", &TLangTexts::listExternalProgsHeaderName},
    {"listExternalProgsHeaderProg", &TLangTexts::listExternalProgsHeaderProg},
    {"bttnExternalProgsAdd", &TLangTexts::bttnExternalProgsAdd},
    {"bttnExternalProgsDel", &TLangTexts::bttnExternalProgsDel},
    {"bttnExternalProgsModify", &TLangTexts::bttnExternalProgsModify},
    {"radioExternalProgsStartReduced", &TLangTexts::radioExternalProgsStartReduced},
    {"radioExternalProgsStartNormal", &TLangTexts::radioExternalProgsStartNormal},
    {"boxIdentities", &TLangTexts::boxIdentities},
    {"checkNoIdentities", &TLangTexts::checkNoIdentities},
    {"checkIdentitiesChoice", &TLangTexts::checkIdentitiesChoice},
    {"boxMail", &TLangTexts::boxMail},
    {"checkNoMail", &TLangTexts::checkNoMail},
    {"checkVerifyAllId", &TLangTexts::checkVerifyAllId},
    {"listAccountsHeaderAccount", &TLangTexts::listAccountsHeaderAccount},
    {"listAccountsHeaderServer", &TLangTexts::listAccountsHeaderServer},
    {"boxMailOptions", &TLangTexts::boxMailOptions},
    {"checkMailWindow", &TLangTexts::checkMailWindow},
    {"lblMailWindowTime", &TLangTexts::lblMailWindowTime},
    {"checkMailSound", &TLangTexts::checkMailSound},
    {"lblMailTime", &TLangTexts::lblMailTime},
    {"lblDescription", &TLangTexts::lblDescription},
    {"bttnWWW", &TLangTexts::bttnWWW},
    {"bttnMailList", &TLangTexts::bttnMailList},
    {"bttnUpdt", &TLangTexts::bttnUpdt},
    {"mnuTrayProgs", &TLangTexts::mnuTrayProgs},
    {"mnuTrayQuit", &TLangTexts::mnuTrayQuit},
    {"mnuTrayConfig", &TLangTexts::mnuTrayConfig},
    {"lblNotifyExpl", &TLangTexts::lblNotifyExpl},
    {"msgFirstRunConfig", &TLangTexts::msgFirstRunConfig},
    {"msgIdentityMustChoose", &TLangTexts::msgIdentityMustChoose},
    {"msgOENotFound", &TLangTexts::msgOENotFound},
    {"msgOECloseConfirm", &TLangTexts::msgOECloseConfirm},
    {"msgAboutML", &TLangTexts::msgAboutML},
    {"msgAboutCheckUpdt", &TLangTexts::msgAboutCheckUpdt},
    {"msgAboutCheckUpdtFailed", &TLangTexts::msgAboutCheckUpdtFailed},
    {"msgMailNotify", &TLangTexts::msgMailNotify},
    {"msgMailBadPass", &TLangTexts::msgMailBadPass},
    {"msgMailBadPassRetry", &TLangTexts::msgMailBadPassRetry},
    {"msgMailConnectionFailed", &TLangTexts::msgMailConnectionFailed},
    {"msgMailInvalidHost", &TLangTexts::msgMailInvalidHost},
    {"msgMailSecureFailed", &TLangTexts::msgMailSecureFailed},
    {"trayTooltipNotify", &TLangTexts::trayTooltipNotify},
    {"msgSettingsUnreadable", &TLangTexts::msgSettingsUnreadable},
    {"msgSettingsNotSaved", &TLangTexts::msgSettingsNotSaved},
    {"msgSettingsFolderUnusable", &TLangTexts::msgSettingsFolderUnusable},
}};

inline constexpr std::string_view kBuiltinLangName =
    "Fran\xE7"
    "ais";

inline constexpr std::string_view kPlaceholderCount = "%count%";
inline constexpr std::string_view kPlaceholderHost = "%host%";
inline constexpr std::string_view kPlaceholderLogin = "%login%";
inline constexpr std::string_view kPlaceholderFile = "%file%";
inline constexpr std::string_view kPlaceholderReason = "%reason%";
inline constexpr std::array<std::string_view, 5> kPlaceholders = {
    kPlaceholderCount, kPlaceholderHost, kPlaceholderLogin, kPlaceholderFile, kPlaceholderReason};

// The names the language file offers, one per section in file order, duplicates kept. A missing
// or unreadable file offers none.
std::vector<std::string> listLanguageNames(
    const std::string& langFile, const base::FileAccess& files = base::standardFileAccess());

void loadBuiltinTexts(TLangTexts& texts);

// Fills `texts` from the first section offered under `name` (exact comparison); a key missing
// there gives an empty text. Returns false, leaving `texts` untouched, when no section matches.
bool loadLanguageFileTexts(TLangTexts& texts, std::string_view name, const std::string& langFile,
                           const base::FileAccess& files = base::standardFileAccess());

// The built-in set for kBuiltinLangName and for a name no section offers (any more), so that the
// windows never go blank; otherwise the file's set.
TLangTexts makeLangTexts(std::string_view name, const std::string& langFile,
                         const base::FileAccess& files = base::standardFileAccess());

// Every occurrence of `placeholder` (one of kPlaceholders) in `text` replaced by `value`.
std::string replacePlaceholder(std::string_view text, std::string_view placeholder,
                               std::string_view value);

}  // namespace vantrel::app
