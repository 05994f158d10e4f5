#pragma once
// Control identifiers of the main window (WM_COMMAND and WM_NOTIFY).

namespace vantrel::win32 {

enum ControlId : int {
  kIdOk = 1,  // bttnOK answers Enter as the default button
  kIdPages = 100,
  kIdRadioModeMail,
  kIdRadioModeNews,
  kIdCheckNotifyReduce,
  kIdCheckStartReduced,
  kIdCheckCloseConfirm,
  kIdCheckRestoreMaximized,
  kIdCheckRestoreDblClick,
  kIdComboLang,
  kIdListExternalProgs,
  kIdBttnExternalProgsAdd,
  kIdBttnExternalProgsDel,
  kIdBttnExternalProgsModify,
  kIdRadioExternalProgsStartReduced,
  kIdRadioExternalProgsStartNormal,
  kIdCheckNoIdentities,
  kIdListIdentities,
  kIdCheckIdentitiesChoice,
  kIdCheckNoMail,
  kIdCheckVerifyAllId,
  kIdComboIdentities,
  kIdListAccounts,
  kIdCheckMailWindow,
  kIdEditMailWindowTime,
  kIdUpDownMailWindowTime,
  kIdCheckMailSound,
  kIdEditMailTime,
  kIdUpDownMailTime,
  kIdBttnUpdt,
  kIdBttnMailList,
  kIdBttnWWW,
  kIdBttnFaqOE,
  kIdLblAccountResult,
  kIdCheckMailPreview,
  kIdCheckMailPush,
  kIdStatic = 0xFFFF,
  kIdMenuFirst = 1000,
};

}  // namespace vantrel::win32
