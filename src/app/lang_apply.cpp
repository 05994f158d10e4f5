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
  form.boxLaunchMode.caption = t.boxLaunchMode;
  form.boxBehavior.caption = t.boxBehavior;
  form.boxLang.caption = t.boxLang;
  form.radioModeMail.caption = t.radioModeMail;
  form.radioModeNews.caption = t.radioModeNews;
  form.checkNotifyReduce.caption = t.checkNotifyReduce;
  form.checkStartReduced.caption = t.checkStartReduced;
  form.checkCloseConfirm.caption = t.checkCloseConfirm;
  form.checkRestoreMaximized.caption = t.checkRestoreMaximized;
  form.checkRestoreDblClick.caption = t.checkRestoreDblClk;
  form.bttnOK.caption = t.bttnOK;
  form.boxExternalProgs.caption = t.boxExternalProgs;
  form.boxExternalProgsOptions.caption = t.boxExternalProgsOptions;
  form.listExternalProgs.columns.at(0).caption = t.listExternalProgsHeaderName;
  form.listExternalProgs.columns.at(1).caption = t.listExternalProgsHeaderProg;
  form.bttnExternalProgsAdd.caption = t.bttnExternalProgsAdd;
  form.bttnExternalProgsDel.caption = t.bttnExternalProgsDel;
  form.bttnExternalProgsModify.caption = t.bttnExternalProgsModify;
  form.radioExternalProgsStartReduced.caption = t.radioExternalProgsStartReduced;
  form.radioExternalProgsStartNormal.caption = t.radioExternalProgsStartNormal;
  form.boxIdentities.caption = t.boxIdentities;
  form.checkNoIdentities.caption = t.checkNoIdentities;
  form.checkIdentitiesChoice.caption = t.checkIdentitiesChoice;
  form.boxMail.caption = t.boxMail;
  form.checkNoMail.caption = t.checkNoMail;
  form.checkVerifyAllId.caption = t.checkVerifyAllId;
  form.listAccounts.columns.at(0).caption = t.listAccountsHeaderAccount;
  form.listAccounts.columns.at(1).caption = t.listAccountsHeaderServer;
  form.boxMailOptions.caption = t.boxMailOptions;
  form.checkMailWindow.caption = t.checkMailWindow;
  form.lblMailWindowTime.caption = t.lblMailWindowTime;
  form.checkMailSound.caption = t.checkMailSound;
  form.lblMailTime.caption = t.lblMailTime;
  form.lblDescription.caption = t.lblDescription;
  form.bttnWWW.caption = t.bttnWWW;
  form.bttnMailList.caption = t.bttnMailList;
  form.bttnUpdt.caption = t.bttnUpdt;

  form.bttnWWW.hint = std::string(APP_URL);
  form.bttnFaqOE.hint = std::string(FAQ_URL);

  form.mnuTrayItemProgs->caption = t.mnuTrayProgs;
  form.mnuTrayItemQuit->caption = t.mnuTrayQuit;
  form.mnuTrayItemConfig->caption = t.mnuTrayConfig;
  form.changed();
}

void TMainForm::comboLangChange() {
  langTexts = makeLangTexts(comboLang.selectedText(), langFile_, platform_.processes.files());
  applyLangTexts(*this);
}

}  // namespace vantrel::app
