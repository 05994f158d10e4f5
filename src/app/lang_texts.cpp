#include "app/lang_texts.h"

#include <initializer_list>

#include "app/app_constants.h"
#include "base/ini_file.h"
#include "base/text.h"

namespace vantrel::app {

namespace {

std::string concat(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text += part;
  return text;
}

// Only a section without the key is offered under its own name; an empty langName is a name.
std::string offeredName(const base::IniFile& file, const std::string& section) {
  return file.readString(section, "langName", section);
}

}  // namespace

std::vector<std::string> listLanguageNames(const std::string& langFile,
                                           const base::FileAccess& files) {
  const base::IniFile file(langFile, files);
  std::vector<std::string> names;
  for (const std::string& section : file.sectionNames())
    names.push_back(offeredName(file, section));
  return names;
}

void loadBuiltinTexts(TLangTexts& texts) {
  texts.langCode = "fr";
  texts.langName = kBuiltinLangName;
  texts.dlgOpenOETitle = "O\xF9 se trouve l'executable de Outlook Express ?";
  texts.notifyWindowTitle = "Vous avez %count% message(s)";
  texts.tabLaunch = "D\xE9marrage et Comportement";
  texts.tabProgs = "Programmes";
  texts.tabIdentities = "Identit\xE9s";
  texts.tabMail = "Email";
  texts.tabAbout = "A propos";
  texts.boxLaunchMode = "Mode de d\xE9marrage";
  texts.boxBehavior = "Comportement";
  texts.boxLang = "Langue";
  texts.radioModeMail = "Ouvrir en mode courrier";
  texts.radioModeNews = "Ouvrir en mode forums de discussions";
  texts.checkNotifyReduce =
      "R\xE9"
      "duire dans la zone de notification";
  texts.checkStartReduced =
      "D\xE9marrer r\xE9"
      "duit";
  texts.checkCloseConfirm = "Confirmation \xE0 la fermeture";
  texts.checkRestoreMaximized = "Maximiser \xE0 la restauration";
  texts.checkRestoreDblClk = "Restaurer sur le double-click au lieu du simple";
  texts.bttnOK = "OK";
  texts.boxExternalProgs = "Programmes externes";
  texts.boxExternalProgsOptions = "Options des programmes externes";
  texts.listExternalProgsHeaderName = "Nom";
  texts.listExternalProgsHeaderProg = "Programme";
  texts.bttnExternalProgsAdd = "Ajouter";
  texts.bttnExternalProgsDel = "Supprimer";
  texts.bttnExternalProgsModify = "Modifier";
  texts.radioExternalProgsStartReduced =
      "D\xE9marrer r\xE9"
      "duit";
  texts.radioExternalProgsStartNormal = "D\xE9marrer normalement";
  texts.boxIdentities = "Identit\xE9 \xE0 utiliser au d\xE9marrage";
  texts.checkNoIdentities = "Ne pas g\xE9rer l'identit\xE9 de d\xE9marrage";
  texts.checkIdentitiesChoice = "Laisser le choix au d\xE9marrage";
  texts.boxMail = "Comptes courrier";
  texts.checkNoMail = "Ne pas g\xE9rer la verification de courrier";
  texts.checkVerifyAllId = "V\xE9rifier toutes les identit\xE9s";
  texts.listAccountsHeaderAccount = "Compte";
  texts.listAccountsHeaderServer = "Serveur";
  texts.boxMailOptions = "Options";
  texts.checkMailWindow = "Afficher une fen\xEAtre de notification";
  texts.lblMailWindowTime = "Pendant x secondes (0=infini) :";
  texts.checkMailSound =
      "Jouer le son par d\xE9"
      "faut";
  texts.lblMailTime = "Relever le courrier toutes les x minutes :";
  texts.lblDescription =
      "Vantrel garde Outlook Express \xE0 port\xE9"
      "e de main et signale le courrier : POP3 (port 110) ou POP3 sur TLS/SSL (port 995, sur "
      "tout Windows d\xE8s XP SP3).";
  texts.bttnWWW = "Site Internet";
  texts.bttnMailList = "Liste de diffusion";
  texts.bttnUpdt = "Mise \xE0 jour";
  texts.mnuTrayProgs = "Programmes";
  texts.mnuTrayQuit = "Quitter";
  texts.mnuTrayConfig = "Configuration";
  texts.lblNotifyExpl = "Double-cliquez une identit\xE9 pour la lancer";
  texts.msgFirstRunConfig =
      concat({"C'est la premi\xE8re fois que vous lancez ", APP_NAME,
              ". Vous allez voir une fen\xEAtre de configuration.", "\n",
              "Quand vous aurez valid\xE9 cette fen\xEAtre, vous pourrez lancer ", APP_NAME, "."});
  texts.msgIdentityMustChoose =
      "Vous devez s\xE9lectionner une identit\xE9 ou choisir de ne pas les g\xE9rer";
  texts.msgOENotFound =
      "Impossible de trouver Outlook Express. Vous n'avez peut \xEAtre pas choisi le bon chemin";
  texts.msgOECloseConfirm = "Etes vous s\xFBr de vouloir fermer Outlook Express ?";
  texts.msgAboutML = concat({"Voulez-vous vous abonner \xE0 la liste de diffusion de ", APP_NAME,
                             " pour \xEAtre tenu au courant de ses \xE9volutions ?"});
  texts.msgAboutCheckUpdt = "La derni\xE8re version de Vantrel est la";
  texts.msgAboutCheckUpdtFailed =
      "Impossible de r\xE9"
      "cup\xE9rer le numero de la derni\xE8re version";
  texts.msgMailNotify =
      "Vous avez %count% message(s) non-lu(s) en attente. Voulez-vous aller dans Outlook Express "
      "pour le(s) consulter ?";
  texts.msgMailBadPass =
      "Le mot de passe pour le serveur %host% avec le login %login%, semble incorrect, voulez-vous "
      "essayer avec un autre ?";
  texts.msgMailBadPassRetry = "Donnez le nouveau mot de passe : ";
  texts.msgMailConnectionFailed = "Impossible de contacter le serveur ";
  texts.msgMailInvalidHost = "Le serveur %host% semble ne pas exister";
  // The reason comes from the system's TLS layer, in English.
  texts.msgMailSecureFailed =
      "Impossible d'\xE9tablir une connexion s\xE9"
      "curis\xE9"
      "e avec le serveur %host%, le mot de passe n'a pas \xE9t\xE9 envoy\xE9 (%reason%)";
  texts.trayTooltipNotify = "%count% message(s) non-lu(s)";
  texts.msgSettingsUnreadable =
      concat({"Le fichier de configuration %file% n'a pas pu \xEAtre lu. ", APP_NAME,
              " d\xE9marre avec les r\xE9glages par d\xE9"
              "faut et ne modifiera pas ce fichier."});
  texts.msgSettingsNotSaved =
      "Impossible d'enregistrer le fichier de configuration %file%. Les r\xE9glages ne pourront "
      "pas \xEAtre conserv\xE9s.";
  texts.msgSettingsFolderUnusable = concat(
      {"Le dossier du fichier de configuration %file% ne peut pas \xEAtre utilis\xE9 : son nom "
       "contient des lettres que Windows ne peut pas \xE9"
       "crire ici (les \"?\"). Les r\xE9glages ne pourront pas \xEAtre conserv\xE9s ; placez ",
       APP_NAME, " dans un autre dossier."});
}

bool loadLanguageFileTexts(TLangTexts& texts, std::string_view name, const std::string& langFile,
                           const base::FileAccess& files) {
  const base::IniFile file(langFile, files);
  for (const std::string& section : file.sectionNames()) {
    if (offeredName(file, section) != name) continue;
    texts.langCode = section;
    texts.langName = name;
    for (const LangKey& entry : kLangKeys)
      texts.*entry.field = file.readString(section, entry.key, "");
    return true;
  }
  return false;
}

TLangTexts makeLangTexts(std::string_view name, const std::string& langFile,
                         const base::FileAccess& files) {
  TLangTexts texts;
  if (name == kBuiltinLangName || !loadLanguageFileTexts(texts, name, langFile, files))
    loadBuiltinTexts(texts);
  return texts;
}

std::string replacePlaceholder(std::string_view text, std::string_view placeholder,
                               std::string_view value) {
  return base::replaceAll(text, placeholder, value);
}

}  // namespace vantrel::app
