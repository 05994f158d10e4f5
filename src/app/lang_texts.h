#pragma once
// The texts of one user-interface language: the built-in French set or a section of the
// language file. Every text is Windows-1252 bytes.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_constants.h"
#include "base/file_access.h"

namespace vantrel::app {

// Field names are the keys of the language file; each has its row in kLangTexts.
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
  std::string mnuTrayCheckMail;
  std::string msgMailServerAlert;
  std::string checkMailPreview;
  std::string checkMailPush;
  std::string notifyNoSubject;
  std::string notifyMoreMessages;
  std::string lblAccountResultNotChecked;
  std::string lblAccountResultLeftOut;
  std::string lblAccountResultChecked;
  std::string lblAccountResultSecure;
  std::string lblAccountPushIdling;
  std::string lblAccountPushRetry;
  std::string lblAccountPushNoNetwork;
  std::string lblAccountPushStopped;
  std::string lblAccountPushNoIdle;
  std::string tlsEngineBuiltIn;
  std::string resultCount;
  std::string resultNoPassword;
  std::string resultServerChanged;
  std::string resultNoUserName;
  std::string resultPasswordRefused;
  std::string resultServerRefusal;
  std::string resultServerNotFound;
  std::string resultNoConnection;
  std::string resultNoAnswer;
  std::string resultConnectionLost;
  std::string resultSecureRefused;
  std::string resultServerAnswer;
  std::string resultNoNetwork;
  std::string tlsUntrusted;
  std::string tlsOtherName;
  std::string tlsExpired;
  std::string tlsRevoked;
  std::string tlsAuthority;
  std::string tlsNotForServers;
  std::string tlsCannotSign;
  std::string tlsUnreadable;
  std::string tlsNoServerName;
  std::string tlsNoTls12;
  std::string tlsNothingInCommon;
  std::string tlsPasswordSecuredBefore;
  std::string tlsOlderVersion;
  std::string tlsNoCertificate;
  std::string tlsChainTooLong;
  std::string tlsCertificateRefused;
  std::string tlsChainInvalid;
  std::string tlsCannotCheck;
  std::string tlsClientCertificate;
  std::string tlsRenegotiation;
  std::string tlsHandshakeClosed;
  std::string tlsHandshakeBroken;
  std::string tlsBrokenOff;
  std::string tlsHandshakeFailed;
  std::string tlsCannotStart;
  std::string tlsUnusable;
  std::string tlsOfferedThenRefused;
  std::string tlsSecureNoMore;
  std::string tlsPreauthInClear;
  std::string tlsNoSecureLogin;
  std::string faultUnsendableLogin;
  std::string faultLoginDisabled;
  std::string faultNoUnseenCount;
  std::string faultAnswerTooLong;
  std::string faultIdleEnded;
  std::string faultIdleRefused;
  std::string faultNoIdle;
  std::string notifyNoNewMail;
};

// A text of a language: its key in the language file, the field it fills, and the built-in French
// text, joined from its parts (the program's name stands apart in them).
struct LangText {
  std::string_view key;
  std::string TLangTexts::*field;
  std::array<std::string_view, 5> french;
};

// Every text a language file section can set (all but langCode and langName), once: the built-in
// set and the file loader both go through this table.
inline constexpr std::array<LangText, 132> kLangTexts = {{
    {"dlgOpenOETitle",
     &TLangTexts::dlgOpenOETitle,
     {"O\xF9 se trouve l'executable de Outlook Express ?"}},
    {"notifyWindowTitle", &TLangTexts::notifyWindowTitle, {"Vous avez %count% message(s)"}},
    {"tabLaunch", &TLangTexts::tabLaunch, {"D\xE9marrage et Comportement"}},
    {"tabProgs", &TLangTexts::tabProgs, {"Programmes"}},
    {"tabIdentities", &TLangTexts::tabIdentities, {"Identit\xE9s"}},
    {"tabMail", &TLangTexts::tabMail, {"Email"}},
    {"tabAbout", &TLangTexts::tabAbout, {"A propos"}},
    {"boxLaunchMode", &TLangTexts::boxLaunchMode, {"Mode de d\xE9marrage"}},
    {"boxBehavior", &TLangTexts::boxBehavior, {"Comportement"}},
    {"boxLang", &TLangTexts::boxLang, {"Langue"}},
    {"radioModeMail", &TLangTexts::radioModeMail, {"Ouvrir en mode courrier"}},
    {"radioModeNews", &TLangTexts::radioModeNews, {"Ouvrir en mode forums de discussions"}},
    {"checkNotifyReduce",
     &TLangTexts::checkNotifyReduce,
     {"R\xE9"
      "duire dans la zone de notification"}},
    {"checkStartReduced",
     &TLangTexts::checkStartReduced,
     {"D\xE9marrer r\xE9"
      "duit"}},
    {"checkCloseConfirm", &TLangTexts::checkCloseConfirm, {"Confirmation \xE0 la fermeture"}},
    {"checkRestoreMaximized",
     &TLangTexts::checkRestoreMaximized,
     {"Maximiser \xE0 la restauration"}},
    {"checkRestoreDblClk",
     &TLangTexts::checkRestoreDblClk,
     {"Restaurer sur le double-click au lieu du simple"}},
    {"bttnOK", &TLangTexts::bttnOK, {"OK"}},
    {"boxExternalProgs", &TLangTexts::boxExternalProgs, {"Programmes externes"}},
    {"boxExternalProgsOptions",
     &TLangTexts::boxExternalProgsOptions,
     {"Options des programmes externes"}},
    {"listExternalProgsHeaderName", &TLangTexts::listExternalProgsHeaderName, {"Nom"}},
    {"listExternalProgsHeaderProg", &TLangTexts::listExternalProgsHeaderProg, {"Programme"}},
    {"bttnExternalProgsAdd", &TLangTexts::bttnExternalProgsAdd, {"Ajouter"}},
    {"bttnExternalProgsDel", &TLangTexts::bttnExternalProgsDel, {"Supprimer"}},
    {"bttnExternalProgsModify", &TLangTexts::bttnExternalProgsModify, {"Modifier"}},
    {"radioExternalProgsStartReduced",
     &TLangTexts::radioExternalProgsStartReduced,
     {"D\xE9marrer r\xE9"
      "duit"}},
    {"radioExternalProgsStartNormal",
     &TLangTexts::radioExternalProgsStartNormal,
     {"D\xE9marrer normalement"}},
    {"boxIdentities", &TLangTexts::boxIdentities, {"Identit\xE9 \xE0 utiliser au d\xE9marrage"}},
    {"checkNoIdentities",
     &TLangTexts::checkNoIdentities,
     {"Ne pas g\xE9rer l'identit\xE9 de d\xE9marrage"}},
    {"checkIdentitiesChoice",
     &TLangTexts::checkIdentitiesChoice,
     {"Laisser le choix au d\xE9marrage"}},
    {"boxMail", &TLangTexts::boxMail, {"Comptes courrier"}},
    {"checkNoMail", &TLangTexts::checkNoMail, {"Ne pas g\xE9rer la verification de courrier"}},
    {"checkVerifyAllId", &TLangTexts::checkVerifyAllId, {"V\xE9rifier toutes les identit\xE9s"}},
    {"listAccountsHeaderAccount", &TLangTexts::listAccountsHeaderAccount, {"Compte"}},
    {"listAccountsHeaderServer", &TLangTexts::listAccountsHeaderServer, {"Serveur"}},
    {"boxMailOptions", &TLangTexts::boxMailOptions, {"Options"}},
    {"checkMailWindow", &TLangTexts::checkMailWindow, {"Afficher une fen\xEAtre de notification"}},
    {"lblMailWindowTime", &TLangTexts::lblMailWindowTime, {"Pendant x secondes (0=infini) :"}},
    {"checkMailSound",
     &TLangTexts::checkMailSound,
     {"Jouer le son par d\xE9"
      "faut"}},
    {"lblMailTime", &TLangTexts::lblMailTime, {"Relever le courrier toutes les x minutes :"}},
    {"lblDescription",
     &TLangTexts::lblDescription,
     {"Vantrel garde Outlook Express \xE0 port\xE9"
      "e de main et signale le courrier POP3 et IMAP, en clair ou sur TLS/SSL (sur tout Windows "
      "d\xE8s XP SP3)."}},
    {"bttnWWW", &TLangTexts::bttnWWW, {"Site Internet"}},
    {"bttnMailList", &TLangTexts::bttnMailList, {"Liste de diffusion"}},
    {"bttnUpdt", &TLangTexts::bttnUpdt, {"Mise \xE0 jour"}},
    {"mnuTrayProgs", &TLangTexts::mnuTrayProgs, {"Programmes"}},
    {"mnuTrayQuit", &TLangTexts::mnuTrayQuit, {"Quitter"}},
    {"mnuTrayConfig", &TLangTexts::mnuTrayConfig, {"Configuration"}},
    {"lblNotifyExpl",
     &TLangTexts::lblNotifyExpl,
     {"Double-cliquez une identit\xE9 pour la lancer"}},
    {"msgFirstRunConfig",
     &TLangTexts::msgFirstRunConfig,
     {"C'est la premi\xE8re fois que vous lancez ", APP_NAME,
      ". Vous allez voir une fen\xEAtre de configuration."
      "\n"
      "Quand vous aurez valid\xE9 cette fen\xEAtre, vous pourrez lancer ",
      APP_NAME, "."}},
    {"msgIdentityMustChoose",
     &TLangTexts::msgIdentityMustChoose,
     {"Vous devez s\xE9lectionner une identit\xE9 ou choisir de ne pas les g\xE9rer"}},
    {"msgOENotFound",
     &TLangTexts::msgOENotFound,
     {"Impossible de trouver Outlook Express. Vous n'avez peut \xEAtre pas choisi le bon chemin"}},
    {"msgOECloseConfirm",
     &TLangTexts::msgOECloseConfirm,
     {"Etes vous s\xFBr de vouloir fermer Outlook Express ?"}},
    {"msgAboutML",
     &TLangTexts::msgAboutML,
     {"Voulez-vous vous abonner \xE0 la liste de diffusion de ", APP_NAME,
      " pour \xEAtre tenu au courant de ses \xE9volutions ?"}},
    {"msgAboutCheckUpdt",
     &TLangTexts::msgAboutCheckUpdt,
     {"La derni\xE8re version de Vantrel est la"}},
    {"msgAboutCheckUpdtFailed",
     &TLangTexts::msgAboutCheckUpdtFailed,
     {"Impossible de r\xE9"
      "cup\xE9rer le numero de la derni\xE8re version"}},
    {"msgMailNotify",
     &TLangTexts::msgMailNotify,
     {"Vous avez %count% message(s) non-lu(s) en attente. Voulez-vous aller dans Outlook Express "
      "pour le(s) consulter ?"}},
    {"msgMailBadPass",
     &TLangTexts::msgMailBadPass,
     {"Le mot de passe pour le serveur %host% avec le login %login%, semble incorrect, voulez-vous "
      "essayer avec un autre ?"}},
    {"msgMailBadPassRetry",
     &TLangTexts::msgMailBadPassRetry,
     {"Donnez le nouveau mot de passe : "}},
    {"msgMailConnectionFailed",
     &TLangTexts::msgMailConnectionFailed,
     {"Impossible de contacter le serveur "}},
    {"msgMailInvalidHost",
     &TLangTexts::msgMailInvalidHost,
     {"Le serveur %host% semble ne pas exister"}},
    // The reason is one of the tls texts.
    {"msgMailSecureFailed",
     &TLangTexts::msgMailSecureFailed,
     {"Impossible d'\xE9tablir une connexion s\xE9"
      "curis\xE9"
      "e avec le serveur %host%, le mot de passe n'a pas \xE9t\xE9 envoy\xE9 (%reason%)"}},
    {"trayTooltipNotify", &TLangTexts::trayTooltipNotify, {"%count% message(s) non-lu(s)"}},
    {"msgSettingsUnreadable",
     &TLangTexts::msgSettingsUnreadable,
     {"Le fichier de configuration %file% n'a pas pu \xEAtre lu. ", APP_NAME,
      " d\xE9marre avec les r\xE9glages par d\xE9"
      "faut et ne modifiera pas ce fichier."}},
    {"msgSettingsNotSaved",
     &TLangTexts::msgSettingsNotSaved,
     {"Impossible d'enregistrer le fichier de configuration %file%. Les r\xE9glages ne pourront "
      "pas \xEAtre conserv\xE9s."}},
    {"msgSettingsFolderUnusable",
     &TLangTexts::msgSettingsFolderUnusable,
     {"Le dossier du fichier de configuration %file% ne peut pas \xEAtre utilis\xE9 : son nom "
      "contient des lettres que Windows ne peut pas \xE9"
      "crire ici (les \"?\"). Les r\xE9glages ne pourront pas \xEAtre conserv\xE9s ; placez ",
      APP_NAME, " dans un autre dossier."}},
    {"mnuTrayCheckMail", &TLangTexts::mnuTrayCheckMail, {"Relever le courrier"}},
    // The server's own words, often in English.
    {"msgMailServerAlert",
     &TLangTexts::msgMailServerAlert,
     {"Le serveur %host% du compte %account% signale : %reason%"}},
    {"checkMailPreview",
     &TLangTexts::checkMailPreview,
     {"Afficher l'exp\xE9"
      "diteur et l'objet des messages"}},
    {"checkMailPush",
     &TLangTexts::checkMailPush,
     {"Annoncer le courrier IMAP d\xE8s son arriv\xE9"
      "e"}},
    // A message line's subject when the message has none, and the line below an account's
    // newest messages ("\x85" is the ellipsis).
    {"notifyNoSubject", &TLangTexts::notifyNoSubject, {"(sans objet)"}},
    {"notifyMoreMessages", &TLangTexts::notifyMoreMessages, {"\x85 et %count% de plus"}},
    // The e-mail tab's line about the selected account's last check.
    {"lblAccountResultNotChecked",
     &TLangTexts::lblAccountResultNotChecked,
     {"Pas encore relev\xE9"}},
    {"lblAccountResultLeftOut",
     &TLangTexts::lblAccountResultLeftOut,
     {"Non relev\xE9 : le compte est d\xE9"
      "coch\xE9"}},
    {"lblAccountResultChecked",
     &TLangTexts::lblAccountResultChecked,
     {"Relev\xE9 \xE0 %time% : %reason%"}},
    {"lblAccountResultSecure",
     &TLangTexts::lblAccountResultSecure,
     {"Relev\xE9 \xE0 %time% en TLS (%engine%) : %reason%"}},
    // The e-mail tab's line about an IMAP account's push: waiting for news, or why not now.
    {"lblAccountPushIdling",
     &TLangTexts::lblAccountPushIdling,
     {"Averti d\xE8s l'arriv\xE9"
      "e depuis %time%"}},
    {"lblAccountPushRetry",
     &TLangTexts::lblAccountPushRetry,
     {"Averti d\xE8s l'arriv\xE9"
      "e : nouvel essai \xE0 %time% (%reason%)"}},
    {"lblAccountPushNoNetwork",
     &TLangTexts::lblAccountPushNoNetwork,
     {"Averti d\xE8s l'arriv\xE9"
      "e : en attente du r\xE9seau"}},
    {"lblAccountPushStopped",
     &TLangTexts::lblAccountPushStopped,
     {"Averti d\xE8s l'arriv\xE9"
      "e : arr\xEAt\xE9 (%reason%)"}},
    {"lblAccountPushNoIdle",
     &TLangTexts::lblAccountPushNoIdle,
     {"Pas d'avis d\xE8s l'arriv\xE9"
      "e : le serveur ne le propose pas"}},
    {"tlsEngineBuiltIn", &TLangTexts::tlsEngineBuiltIn, {"TLS int\xE9gr\xE9"}},
    // What a check came to: the e-mail tab's words, and the reasons the boxes give.
    {"resultCount", &TLangTexts::resultCount, {"%count% message(s)"}},
    {"resultNoPassword", &TLangTexts::resultNoPassword, {"aucun mot de passe enregistr\xE9"}},
    {"resultServerChanged",
     &TLangTexts::resultServerChanged,
     {"le serveur du compte a chang\xE9 : entrez de nouveau le mot de passe"}},
    {"resultNoUserName", &TLangTexts::resultNoUserName, {"aucun nom d'utilisateur dans le compte"}},
    {"resultPasswordRefused",
     &TLangTexts::resultPasswordRefused,
     {"mot de passe refus\xE9 par le serveur"}},
    {"resultServerRefusal",
     &TLangTexts::resultServerRefusal,
     {"\xE9"
      "chec temporaire du serveur : %reason%"}},
    {"resultServerNotFound", &TLangTexts::resultServerNotFound, {"serveur introuvable"}},
    {"resultNoConnection", &TLangTexts::resultNoConnection, {"connexion au serveur impossible"}},
    {"resultNoAnswer", &TLangTexts::resultNoAnswer, {"pas de r\xE9ponse du serveur \xE0 temps"}},
    {"resultConnectionLost", &TLangTexts::resultConnectionLost, {"connexion interrompue"}},
    {"resultSecureRefused",
     &TLangTexts::resultSecureRefused,
     {"connexion s\xE9"
      "curis\xE9"
      "e refus\xE9"
      "e : %reason%"}},
    {"resultServerAnswer", &TLangTexts::resultServerAnswer, {"le serveur a r\xE9pondu : %reason%"}},
    {"resultNoNetwork",
     &TLangTexts::resultNoNetwork,
     {"pas de r\xE9seau, relev\xE9 d\xE8s son retour"}},
    {"tlsUntrusted",
     &TLangTexts::tlsUntrusted,
     {"le certificat du serveur n'est pas d\xE9livr\xE9 par une autorit\xE9 reconnue par cet "
      "ordinateur"}},
    {"tlsOtherName",
     &TLangTexts::tlsOtherName,
     {"le certificat du serveur est \xE9tabli pour un autre nom de serveur"}},
    {"tlsExpired",
     &TLangTexts::tlsExpired,
     {"le certificat du serveur a expir\xE9 ou n'est pas encore valable"}},
    {"tlsRevoked", &TLangTexts::tlsRevoked, {"le certificat du serveur a \xE9t\xE9 r\xE9voqu\xE9"}},
    {"tlsAuthority",
     &TLangTexts::tlsAuthority,
     {"le certificat du serveur est celui d'une autorit\xE9 de certification, pas d'un "
      "serveur"}},
    {"tlsNotForServers",
     &TLangTexts::tlsNotForServers,
     {"le certificat du serveur n'est pas pr\xE9vu pour un serveur"}},
    {"tlsCannotSign",
     &TLangTexts::tlsCannotSign,
     {"le certificat du serveur ne permet pas \xE0 sa cl\xE9 de signer l'\xE9"
      "change de cl\xE9s"}},
    {"tlsUnreadable", &TLangTexts::tlsUnreadable, {"le certificat du serveur est illisible"}},
    {"tlsNoServerName",
     &TLangTexts::tlsNoServerName,
     {"aucun nom de serveur pour v\xE9rifier le certificat"}},
    {"tlsNoTls12",
     &TLangTexts::tlsNoTls12,
     {"cet ordinateur ne sait pas \xE9tablir de connexion TLS 1.2"}},
    {"tlsNothingInCommon",
     &TLangTexts::tlsNothingInCommon,
     {"le serveur et cet ordinateur n'ont aucune version de TLS ni suite de chiffrement en "
      "commun"}},
    {"tlsPasswordSecuredBefore",
     &TLangTexts::tlsPasswordSecuredBefore,
     {"le serveur n'en propose plus, et ce mot de passe, d\xE9j\xE0 pass\xE9 par une connexion "
      "s\xE9"
      "curis\xE9"
      "e, n'est plus jamais envoy\xE9 en clair"}},
    {"tlsOlderVersion",
     &TLangTexts::tlsOlderVersion,
     {"le serveur n'a accept\xE9 qu'une version de TLS ant\xE9rieure \xE0 TLS 1.2"}},
    {"tlsNoCertificate",
     &TLangTexts::tlsNoCertificate,
     {"le serveur n'a envoy\xE9 aucun certificat"}},
    {"tlsChainTooLong",
     &TLangTexts::tlsChainTooLong,
     {"le serveur a envoy\xE9 une cha\xEEne de certificats trop longue"}},
    {"tlsCertificateRefused",
     &TLangTexts::tlsCertificateRefused,
     {"le certificat du serveur est refus\xE9"}},
    {"tlsChainInvalid",
     &TLangTexts::tlsChainInvalid,
     {"la cha\xEEne de certificats du serveur n'est pas valable"}},
    {"tlsCannotCheck",
     &TLangTexts::tlsCannotCheck,
     {"le certificat du serveur ne peut pas \xEAtre v\xE9rifi\xE9"}},
    {"tlsClientCertificate",
     &TLangTexts::tlsClientCertificate,
     {"le serveur exige un certificat client, que ", APP_NAME, " n'a pas"}},
    {"tlsRenegotiation",
     &TLangTexts::tlsRenegotiation,
     {"la nouvelle n\xE9gociation TLS que le serveur demande est impossible"}},
    {"tlsHandshakeClosed",
     &TLangTexts::tlsHandshakeClosed,
     {"le serveur a ferm\xE9 la connexion pendant la n\xE9gociation TLS"}},
    {"tlsHandshakeBroken",
     &TLangTexts::tlsHandshakeBroken,
     {"la connexion a \xE9t\xE9 coup\xE9"
      "e pendant la n\xE9gociation TLS"}},
    {"tlsBrokenOff", &TLangTexts::tlsBrokenOff, {"le serveur a interrompu la n\xE9gociation TLS"}},
    {"tlsHandshakeFailed",
     &TLangTexts::tlsHandshakeFailed,
     {"la n\xE9gociation TLS a \xE9"
      "chou\xE9"}},
    {"tlsCannotStart",
     &TLangTexts::tlsCannotStart,
     {"la n\xE9gociation TLS ne peut pas commencer"}},
    {"tlsUnusable", &TLangTexts::tlsUnusable, {"la connexion TLS est inutilisable"}},
    {"tlsOfferedThenRefused",
     &TLangTexts::tlsOfferedThenRefused,
     {"le serveur en propose une puis la refuse"}},
    {"tlsSecureNoMore",
     &TLangTexts::tlsSecureNoMore,
     {"le serveur en proposait une auparavant et n'en propose plus"}},
    {"tlsPreauthInClear",
     &TLangTexts::tlsPreauthInClear,
     {"le serveur en proposait une auparavant et ouvre maintenant la bo\xEEte aux lettres sans "
      "elle"}},
    {"tlsNoSecureLogin",
     &TLangTexts::tlsNoSecureLogin,
     {"le serveur n'accepte les mots de passe que sur une connexion s\xE9"
      "curis\xE9"
      "e, et n'en propose aucune"}},
    {"faultUnsendableLogin",
     &TLangTexts::faultUnsendableLogin,
     {"le nom d'utilisateur ou le mot de passe contient un saut de ligne ou un caract\xE8re nul"}},
    {"faultLoginDisabled",
     &TLangTexts::faultLoginDisabled,
     {"le serveur n'accepte aucun mot de passe par LOGIN"}},
    {"faultNoUnseenCount",
     &TLangTexts::faultNoUnseenCount,
     {"le serveur n'a pas donn\xE9 le nombre de messages non lus"}},
    {"faultAnswerTooLong",
     &TLangTexts::faultAnswerTooLong,
     {"le serveur a annonc\xE9 une r\xE9ponse trop longue"}},
    {"faultIdleEnded",
     &TLangTexts::faultIdleEnded,
     {"le serveur a cess\xE9 de lui-m\xEAme d'annoncer les nouveaux messages (IDLE)"}},
    {"faultIdleRefused",
     &TLangTexts::faultIdleRefused,
     {"le serveur refuse d'annoncer les nouveaux messages (IDLE)"}},
    {"faultNoIdle",
     &TLangTexts::faultNoIdle,
     {"le serveur ne sait pas annoncer les nouveaux messages (IDLE)"}},
    {"notifyNoNewMail", &TLangTexts::notifyNoNewMail, {"Aucun nouveau message"}},
}};

// A row without its field does not build, nor does a field without its row.
static_assert(sizeof(TLangTexts) == (kLangTexts.size() + 2) * sizeof(std::string),
              "every text of TLangTexts but langCode and langName has its row in kLangTexts");

inline constexpr std::string_view kBuiltinLangName =
    "Fran\xE7"
    "ais";

inline constexpr std::string_view kPlaceholderCount = "%count%";
inline constexpr std::string_view kPlaceholderHost = "%host%";
inline constexpr std::string_view kPlaceholderLogin = "%login%";
inline constexpr std::string_view kPlaceholderFile = "%file%";
inline constexpr std::string_view kPlaceholderReason = "%reason%";
inline constexpr std::string_view kPlaceholderAccount = "%account%";
inline constexpr std::string_view kPlaceholderTime = "%time%";
inline constexpr std::string_view kPlaceholderEngine = "%engine%";
inline constexpr std::array<std::string_view, 8> kPlaceholders = {
    kPlaceholderCount,  kPlaceholderHost,    kPlaceholderLogin, kPlaceholderFile,
    kPlaceholderReason, kPlaceholderAccount, kPlaceholderTime,  kPlaceholderEngine};

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
