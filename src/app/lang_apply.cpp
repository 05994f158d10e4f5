#include "app/lang_apply.h"

#include "app/app_constants.h"
#include "app/mail_findings.h"
#include "app/main_form.h"
#include "app/tray_icon.h"

namespace vantrel::app {

namespace {

void applyTabTexts(LaunchTab& tab, const TLangTexts& t) {
  tab.boxLaunchMode.caption = t.boxLaunchMode;
  tab.boxBehavior.caption = t.boxBehavior;
  tab.boxLang.caption = t.boxLang;
  tab.radioModeMail.caption = t.radioModeMail;
  tab.radioModeNews.caption = t.radioModeNews;
  tab.checkNotifyReduce.caption = t.checkNotifyReduce;
  tab.checkStartReduced.caption = t.checkStartReduced;
  tab.checkCloseConfirm.caption = t.checkCloseConfirm;
  tab.checkRestoreMaximized.caption = t.checkRestoreMaximized;
  tab.checkRestoreDblClick.caption = t.checkRestoreDblClk;
}

void applyTabTexts(ProgsTab& tab, const TLangTexts& t) {
  tab.boxExternalProgs.caption = t.boxExternalProgs;
  tab.boxExternalProgsOptions.caption = t.boxExternalProgsOptions;
  tab.listExternalProgs.columns.at(0).caption = t.listExternalProgsHeaderName;
  tab.listExternalProgs.columns.at(1).caption = t.listExternalProgsHeaderProg;
  tab.bttnExternalProgsAdd.caption = t.bttnExternalProgsAdd;
  tab.bttnExternalProgsDel.caption = t.bttnExternalProgsDel;
  tab.bttnExternalProgsModify.caption = t.bttnExternalProgsModify;
  tab.radioExternalProgsStartReduced.caption = t.radioExternalProgsStartReduced;
  tab.radioExternalProgsStartNormal.caption = t.radioExternalProgsStartNormal;
}

void applyTabTexts(IdentitiesTab& tab, const TLangTexts& t) {
  tab.boxIdentities.caption = t.boxIdentities;
  tab.checkNoIdentities.caption = t.checkNoIdentities;
  tab.checkIdentitiesChoice.caption = t.checkIdentitiesChoice;
}

void applyTabTexts(MailTab& tab, const TLangTexts& t) {
  tab.boxMail.caption = t.boxMail;
  tab.checkNoMail.caption = t.checkNoMail;
  tab.checkVerifyAllId.caption = t.checkVerifyAllId;
  tab.listAccounts.columns.at(0).caption = t.listAccountsHeaderAccount;
  tab.listAccounts.columns.at(1).caption = t.listAccountsHeaderServer;
  tab.boxMailOptions.caption = t.boxMailOptions;
  tab.checkMailWindow.caption = t.checkMailWindow;
  tab.lblMailWindowTime.caption = t.lblMailWindowTime;
  tab.checkMailSound.caption = t.checkMailSound;
  tab.lblMailTime.caption = t.lblMailTime;
  tab.checkMailPreview.caption = t.checkMailPreview;
  tab.checkMailPush.caption = t.checkMailPush;
}

void applyTabTexts(AboutTab& tab, const TLangTexts& t) {
  tab.lblDescription.caption = t.lblDescription;
  tab.bttnWWW.caption = t.bttnWWW;
  tab.bttnMailList.caption = t.bttnMailList;
  tab.bttnUpdt.caption = t.bttnUpdt;
  tab.bttnWWW.hint = std::string(APP_URL);
  tab.bttnFaqOE.hint = std::string(FAQ_URL);
}

}  // namespace

void applyLangTexts(TMainForm& form) {
  const auto& t = form.langTexts;
  form.dlgOpenOE.title = t.dlgOpenOETitle;
  form.notifyWindowTitle = t.notifyWindowTitle;

  form.tabLaunch.caption = t.tabLaunch;
  form.tabProgs.caption = t.tabProgs;
  form.tabIdentities.caption = t.tabIdentities;
  form.tabMail.caption = t.tabMail;
  form.tabAbout.caption = t.tabAbout;
  applyTabTexts(form.tabLaunch, t);
  applyTabTexts(form.tabProgs, t);
  applyTabTexts(form.tabIdentities, t);
  applyTabTexts(form.tabMail, t);
  applyTabTexts(form.tabAbout, t);
  form.bttnOK.caption = t.bttnOK;

  form.tray.mnuTrayItemProgs->caption = t.mnuTrayProgs;
  form.tray.mnuTrayItemQuit->caption = t.mnuTrayQuit;
  form.tray.mnuTrayItemConfig->caption = t.mnuTrayConfig;
  form.tray.mnuTrayItemCheckMail->caption = t.mnuTrayCheckMail;
  form.showAccountResult();
  form.changed();
}

void TMainForm::comboLangChange() {
  langTexts =
      makeLangTexts(tabLaunch.comboLang.selectedText(), langFile_, platform_.processes.files());
  applyLangTexts(*this);
  retellMail();
}

void TMainForm::retellMail() {
  // Not only at the next check that changes the count: what shows now speaks the new language.
  if (tray.trayIcon.data.tip != kTrayDefaultTip) {
    trayIconSetTip(platform_.shell, tray.trayIcon,
                   newMailTip(langTexts, mailWatch.tipTotal, mailWatch.tipIdentities));
  }
  if (!NotifyWindowForm) return;
  NotifyWindowForm->retell(notifyTree(mailWatch.found, langTexts, platform_.textConversion),
                           notifyCaption(notifyWindowTitle, langTexts, mailWatch.captionTotal));
}

}  // namespace vantrel::app
