#pragma once
// TMainForm: the main window, which is both the configuration dialog and the owner of the
// timers, the tray icon and the handlers of the program's messages.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/lang_texts.h"
#include "app/notify_window_form.h"
#include "app/tray_icon.h"
#include "base/ini_file.h"
#include "net/http_client.h"
#include "net/pop3_client.h"
#include "net/url_encoder.h"
#include "platform/platform.h"
#include "ui/combo_box.h"
#include "ui/controls.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/timer.h"

namespace vantrel::app {

// What the window on screen does for the form: the Win32 view, or a recorder in tests.
class FormView {
 public:
  virtual ~FormView() = default;
  // The models changed: show them.
  virtual void refresh() = 0;
  // Pops `mnuTray` up at a screen position and returns once it is closed.
  virtual void popupTrayMenu(platform::Point at) = 0;
};

// Pictures the view loads from the program's resources.
struct FormPictures {
  platform::IconHandle mainIcon16 = platform::kNoIcon;  // "MAINICON" at 16 x 16
  std::array<platform::IconHandle, 5> mail{};           // imgListMail
};

// Pictures of imgListProgsAndTray as designed.
enum TrayPicture : std::int32_t {
  kPictureQuit = 0,
  kPictureConfig = 1,
  kPictureIdentity = 2,
  kPicturePrograms = 3,
  kPictureProgram = 4,
};

class TMainForm {
 public:
  // `self` is the main window, created hidden.
  TMainForm(platform::Platform& platform, platform::WindowHandle self, const FormPictures& pictures,
            std::string langFile);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  void setView(FormView* view) { view_ = view; }

  // Start-up, configuration and end.
  void FormCreate();
  void bttnOKClick();
  // Always refuses the close; the window is hidden or the program ends by bttnOKClick.
  bool FormCloseQuery();
  void mnuTrayItemConfigClick();
  void mnuTrayItemQuitClick();
  void WMQueryEndSession();
  void comboLangChange();
  void checkNoIdentitiesClick();
  void checkMailWindowClick();
  void checkNoMailClick();
  void comboIdentitiesChange();
  void listAccountsClick();

  // About tab.
  void bttnWWWClick();
  void bttnMailListClick();
  void bttnFaqOEClick();
  void bttnUpdtClick();
  void httpSuccess(net::CmdType cmd);
  void httpFailure(net::CmdType cmd);
  void httpConnectionFailed(net::TAsyncSocket& sender);
  void httpInvalidHost(bool& handled);

  // Messages of the main window.
  void WMTrayNotify(std::intptr_t mouseMessage);
  void WMHotKey(std::intptr_t lParam);
  void WMTaskbarCreated();
  void timerOETimer();
  void timerMailTimer();

  // Events of `pop` during a mail check.
  void popConnect(net::TAsyncSocket& sender);
  void popInvalidHost(bool& handled);
  void popConnectionFailed(net::TAsyncSocket& sender);
  void popAuthenticationFailed(bool& handled);
  bool checkingMail() const { return checkingMail_; }

  // Ending the program leaves the message loop.
  void terminate();
  bool terminated() const { return terminated_; }

  platform::Platform& platform() { return platform_; }
  platform::WindowHandle handle() const { return self_; }
  bool visible() const;
  const std::string& langFile() const { return langFile_; }
  void changed();

  // Components.
  ui::PageControl pagesCtrl;
  ui::TabSheet tabLaunch, tabProgs, tabIdentities, tabMail, tabAbout;
  ui::Button bttnOK;

  ui::GroupBox boxLaunchMode, boxBehavior, boxLang;
  ui::RadioButton radioModeMail, radioModeNews;
  ui::CheckBox checkNotifyReduce, checkStartReduced;
  ui::CheckBox checkCloseConfirm, checkRestoreMaximized, checkRestoreDblClick;
  ui::ComboBox comboLang;

  ui::GroupBox boxExternalProgs, boxExternalProgsOptions;
  ui::ListView listExternalProgs;
  ui::Button bttnExternalProgsAdd, bttnExternalProgsDel, bttnExternalProgsModify;
  ui::RadioButton radioExternalProgsStartReduced, radioExternalProgsStartNormal;

  ui::GroupBox boxIdentities;
  ui::CheckBox checkNoIdentities, checkIdentitiesChoice;
  ui::ListView listIdentities;

  ui::GroupBox boxMail, boxMailOptions;
  ui::CheckBox checkNoMail, checkVerifyAllId, checkMailWindow, checkMailSound;
  ui::ComboBox comboIdentities;
  ui::ListView listAccounts;
  ui::Label lblMailWindowTime, lblMailTime;
  ui::UpDownEdit editMailWindowTime, editMailTime;

  ui::GroupBox boxAbout;
  ui::Label lblAppName, lblAppCopyright, lblDescription, lblOEVersion;
  ui::Button bttnUpdt, bttnMailList, bttnWWW, bttnFaqOE;

  ui::Timer timerOE;
  ui::Timer timerMail;

  net::TPop3Client pop;
  net::THttpClient http;
  net::TUrlEncoder urlEncDec;

  ui::MenuItem mnuTray;
  ui::MenuItem* mnuTrayItemProgs = nullptr;
  ui::MenuItem* mnuTrayItemConfig = nullptr;
  ui::MenuItem* mnuTrayItemQuit = nullptr;

  // The open-file dialogs as designed; each is owned by the main window when it opens.
  platform::OpenFileRequest dlgOpenOE, dlgOpen;
  std::string notifyWindowTitle;  // caption of the notification window, "%count%" still in it
  ui::ImageList imgListProgsAndTray{5};

  FormPictures pictures;
  // Created hidden after the main window and kept until the end; owned by the program entry.
  TNotifyWindowForm* NotifyWindowForm = nullptr;

  // State beyond the components.
  TrayIcon trayIcon;
  TLangTexts langTexts;
  platform::WindowHandle oeWindow = platform::kNoWindow;
  platform::WindowHandle identityLogonWindow = platform::kNoWindow;
  std::int32_t firstRun = 1;
  bool externalProgsPending = true;
  std::unique_ptr<base::IniFile> iniFile;
  std::int32_t oeMissingTicks = 0;
  std::int32_t newMailTotal = 0;
  std::int32_t previousTotal = 0;  // newMailTotal before the check that is running or last ran
  std::string currentPassKey;
  std::int32_t configMode = 0;

 private:
  void buildDesign();
  void showOEVersion();
  void designHttp();
  void showUpdateFailed();
  // One account's turn of the mail check: `pop` is set up; any failure is the account's own.
  void connectPop();
  // The server's certificate or the TLS handshake was refused: the user learns why.
  void secureConnectionFailed(const std::string& reason);

  platform::Platform& platform_;
  platform::WindowHandle self_;
  std::string langFile_;
  FormView* view_ = nullptr;
  bool terminated_ = false;
  bool updateChecking_ = false;
  bool updateAnswered_ = false;  // the running check has shown its outcome
  bool checkingMail_ = false;
  // A new password was given while the connection seemed open, and goes out on it.
  bool newPasswordUntried_ = false;
};

// Selects the identity whose whole name equals `name`, letter case ignored; none when none does.
void selectIdentityNamed(TMainForm& form, std::string_view name);

// The part of start-up that decides between the configuration window and the launch.
void runStartup(base::IniFile& iniFile, TMainForm& form);

}  // namespace vantrel::app
