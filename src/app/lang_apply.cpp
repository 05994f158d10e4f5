#include "app/lang_apply.h"

#include "app/app_constants.h"
#include "app/main_form.h"

namespace vantrel::app {

void applyLangTexts(TMainForm& form) {
  const auto& t = form.langTexts;
  form.dlgOpenOE.title = t.dlgOpenOETitle;
  form.notifyWindowTitle = t.notifyWindowTitle;

  form.tabLaunch.caption = t.tabLaunch;
  form.tabProgs.caption = t.tabProgs;
  form.tabIdentities.caption = t.tabIdentities;
  form.tabMail.caption = t.tabMail;
  form.tabAbout.caption = t.tabAbout;
  form.tabLaunch.boxLaunchMode.caption = t.boxLaunchMode;
  form.tabLaunch.boxBehavior.caption = t.boxBehavior;
  form.tabLaunch.boxLang.caption = t.boxLang;
  form.tabLaunch.radioModeMail.caption = t.radioModeMail;
  form.tabLaunch.radioModeNews.caption = t.radioModeNews;
  form.tabLaunch.checkNotifyReduce.caption = t.checkNotifyReduce;
  form.tabLaunch.checkStartReduced.caption = t.checkStartReduced;
  form.tabLaunch.checkCloseConfirm.caption = t.checkCloseConfirm;
  form.tabLaunch.checkRestoreMaximized.caption = t.checkRestoreMaximized;
  form.tabLaunch.checkRestoreDblClick.caption = t.checkRestoreDblClk;
  form.bttnOK.caption = t.bttnOK;
  form.tabProgs.boxExternalProgs.caption = t.boxExternalProgs;
  form.tabProgs.boxExternalProgsOptions.caption = t.boxExternalProgsOptions;
  form.tabProgs.listExternalProgs.columns.at(0).caption = t.listExternalProgsHeaderName;
  form.tabProgs.listExternalProgs.columns.at(1).caption = t.listExternalProgsHeaderProg;
  form.tabProgs.bttnExternalProgsAdd.caption = t.bttnExternalProgsAdd;
  form.tabProgs.bttnExternalProgsDel.caption = t.bttnExternalProgsDel;
  form.tabProgs.bttnExternalProgsModify.caption = t.bttnExternalProgsModify;
  form.tabProgs.radioExternalProgsStartReduced.caption = t.radioExternalProgsStartReduced;
  form.tabProgs.radioExternalProgsStartNormal.caption = t.radioExternalProgsStartNormal;
  form.tabIdentities.boxIdentities.caption = t.boxIdentities;
  form.tabIdentities.checkNoIdentities.caption = t.checkNoIdentities;
  form.tabIdentities.checkIdentitiesChoice.caption = t.checkIdentitiesChoice;
  form.tabMail.boxMail.caption = t.boxMail;
  form.tabMail.checkNoMail.caption = t.checkNoMail;
  form.tabMail.checkVerifyAllId.caption = t.checkVerifyAllId;
  form.tabMail.listAccounts.columns.at(0).caption = t.listAccountsHeaderAccount;
  form.tabMail.listAccounts.columns.at(1).caption = t.listAccountsHeaderServer;
  form.tabMail.boxMailOptions.caption = t.boxMailOptions;
  form.tabMail.checkMailWindow.caption = t.checkMailWindow;
  form.tabMail.lblMailWindowTime.caption = t.lblMailWindowTime;
  form.tabMail.checkMailSound.caption = t.checkMailSound;
  form.tabMail.lblMailTime.caption = t.lblMailTime;
  form.tabAbout.lblDescription.caption = t.lblDescription;
  form.tabAbout.bttnWWW.caption = t.bttnWWW;
  form.tabAbout.bttnMailList.caption = t.bttnMailList;
  form.tabAbout.bttnUpdt.caption = t.bttnUpdt;

  form.tabAbout.bttnWWW.hint = std::string(APP_URL);
  form.tabAbout.bttnFaqOE.hint = std::string(FAQ_URL);

  form.tray.mnuTrayItemProgs->caption = t.mnuTrayProgs;
  form.tray.mnuTrayItemQuit->caption = t.mnuTrayQuit;
  form.tray.mnuTrayItemConfig->caption = t.mnuTrayConfig;
  form.changed();
}

void TMainForm::comboLangChange() {
  langTexts =
      makeLangTexts(tabLaunch.comboLang.selectedText(), langFile_, platform_.processes.files());
  applyLangTexts(*this);
}

}  // namespace vantrel::app
