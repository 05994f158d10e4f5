#pragma once
// The five pages of the configuration window, each holding its own controls.

#include "platform/dialogs.h"
#include "ui/combo_box.h"
#include "ui/controls.h"
#include "ui/list_view.h"

namespace vantrel::app {

struct LaunchTab : ui::TabSheet {
  ui::GroupBox boxLaunchMode, boxBehavior, boxLang;
  ui::RadioButton radioModeMail, radioModeNews;
  ui::CheckBox checkNotifyReduce, checkStartReduced;
  ui::CheckBox checkCloseConfirm, checkRestoreMaximized, checkRestoreDblClick;
  ui::ComboBox comboLang;
};

struct ProgsTab : ui::TabSheet {
  ui::GroupBox boxExternalProgs, boxExternalProgsOptions;
  ui::ListView listExternalProgs;
  ui::Button bttnExternalProgsAdd, bttnExternalProgsDel, bttnExternalProgsModify;
  ui::RadioButton radioExternalProgsStartReduced, radioExternalProgsStartNormal;
  // Owned by the main window when it opens.
  platform::OpenFileRequest dlgOpen;
};

struct IdentitiesTab : ui::TabSheet {
  ui::GroupBox boxIdentities;
  ui::CheckBox checkNoIdentities, checkIdentitiesChoice;
  ui::ListView listIdentities;
};

struct MailTab : ui::TabSheet {
  ui::GroupBox boxMail, boxMailOptions;
  ui::CheckBox checkNoMail, checkVerifyAllId, checkMailWindow, checkMailSound;
  ui::CheckBox checkMailPreview;  // who wrote and about what, under each account in the window
  ui::CheckBox checkMailPush;     // IMAP mail announced as it arrives, not only at each check
  ui::ComboBox comboIdentities;
  ui::ListView listAccounts;
  // Under listAccounts: when the selected account was last checked and what came of it.
  ui::Label lblAccountResult;
  ui::Label lblMailWindowTime, lblMailTime;
  ui::UpDownEdit editMailWindowTime, editMailTime;
};

struct AboutTab : ui::TabSheet {
  ui::GroupBox boxAbout;
  ui::Label lblAppName, lblAppCopyright, lblDescription, lblOEVersion;
  ui::Button bttnUpdt, bttnMailList, bttnWWW, bttnFaqOE;
};

}  // namespace vantrel::app
