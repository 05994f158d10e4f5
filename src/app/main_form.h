#pragma once
// TMainForm: the main window, which is both the configuration dialog and the owner of the
// timers, the tray icon and the handlers of the program's messages.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/accounts.h"
#include "app/form_tabs.h"
#include "app/lang_texts.h"
#include "app/mail_push.h"
#include "app/mail_watch.h"
#include "app/notify_window_form.h"
#include "app/passwords.h"
#include "app/settings_table.h"
#include "app/tray_menu.h"
#include "app/watcher.h"
#include "base/ini_file.h"
#include "net/http_client.h"
#include "net/imap_client.h"
#include "net/pop3_client.h"
#include "net/url_encoder.h"
#include "platform/platform.h"
#include "ui/image_list.h"
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

// The tray's pictures, which the view loads from the program's resources at the size the
// notification area shows icons at.
struct FormPictures {
  platform::IconHandle mainIcon = platform::kNoIcon;  // "MAINICON"
  std::array<platform::IconHandle, 5> mail{};         // those of imgListMail
  // The new-mail picture (mail[3]), to draw the count on.
  platform::IconPixels newMail;
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
  // A mail check now, as the timer's; a click while one runs is ignored.
  void mnuTrayItemCheckMailClick();
  // The tray menu's programs, anew from listExternalProgs.
  void rebuildTrayProgs();
  void mnuTrayItemQuitClick();
  void WMQueryEndSession();
  void comboLangChange();
  void checkNoIdentitiesClick();
  void checkMailWindowClick();
  void checkNoMailClick();
  void comboIdentitiesChange();
  void listAccountsClick();
  // Another account of listAccounts was selected (or none).
  void listAccountsSelectItem();
  // lblAccountResult anew for the account selected in listAccounts.
  void showAccountResult();

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
  // Sleep and waking, as WM_POWERBROADCAST tells them.
  void WMPowerBroadcast(std::uintptr_t event);
  // The notification area shows its icons at another size (the display's scale changed, or a new
  // task bar came): these are the pictures at that size. The icon shows what it did, drawn anew.
  void trayPicturesResized(const FormPictures& resized);
  void timerOETimer();
  void timerMailTimer();

  // Events of `pop` and `imap` during a mail check.
  void popConnect(net::TAsyncSocket& sender);
  void popInvalidHost(bool& handled);
  void popConnectionFailed(net::TAsyncSocket& sender);
  void popAuthenticationFailed(bool& handled);
  void imapConnect(net::TAsyncSocket& sender);
  void imapInvalidHost(bool& handled);
  void imapConnectionFailed(net::TAsyncSocket& sender);
  void imapAuthenticationFailed(bool& handled);
  bool checkingMail() const { return mailWatch.checking; }
  // The watcher's timer, and the mail watch (the check's timer and push) unless mail is left
  // alone.
  void startTimers();
  // The end of a check, or a change push heard: the icon's number says the total; a new total
  // above 0 is announced by the picture, the tip, the sound and the window. A check the user
  // asked for always answers: the window, or a balloon from the icon without it.
  void announceNewMail(bool asked);

  // Ending the program leaves the message loop.
  void terminate();
  bool terminated() const { return terminated_; }

  platform::Platform& platform() { return platform_; }
  platform::WindowHandle handle() const { return self_; }
  bool visible() const;
  const std::string& langFile() const { return langFile_; }
  void changed();
  SettingTabs settingTabs() { return {tabLaunch, tabIdentities, tabMail}; }

  // Components.
  ui::PageControl pagesCtrl;
  LaunchTab tabLaunch;
  ProgsTab tabProgs;
  IdentitiesTab tabIdentities;
  MailTab tabMail;
  AboutTab tabAbout;
  ui::Button bttnOK;

  ui::Timer timerOE;
  ui::Timer timerMail;

  // The servers that have been secure in this run, for every mail client of the form.
  net::SecureServers secureServers;
  net::TPop3Client pop;
  net::TImapClient imap;
  net::THttpClient http;
  net::TUrlEncoder urlEncDec;

  // Owned by the main window when it opens.
  platform::OpenFileRequest dlgOpenOE;
  std::string notifyWindowTitle;  // caption of the notification window, "%count%" still in it
  ui::ImageList imgListProgsAndTray{5};

  FormPictures pictures;
  // Created hidden after the main window and kept until the end; owned by the program entry.
  TNotifyWindowForm* NotifyWindowForm = nullptr;

  // State beyond the components.
  Tray tray;
  OEWatch oeWatch;
  MailWatch mailWatch;
  MailPush mailPush;
  TLangTexts langTexts;
  std::int32_t firstRun = 1;
  std::unique_ptr<base::IniFile> iniFile;
  std::int32_t configMode = 0;

 private:
  void buildDesign();
  platform::IconHandle trayDefaultPicture() const;
  void showOEVersion();
  void designHttp();
  void showUpdateFailed();
  // One account's turn of the mail check: the client is set up; any failure is the account's own.
  // What came of it, but for its time.
  AccountResult connectMailClient(net::TMailClient& client);
  // What identifies the newest messages, and their summaries, asked of the client that has just
  // counted them.
  using NewestMark = std::function<std::string()>;
  using RetrieveSummaries = std::function<std::vector<net::TSummary>(int newest)>;
  // What the tip and the open window say of the last checks, in the language of the moment.
  void retellMail();
  // What `pop` and `imap` do alike on their events; `count` is the one just read.
  void mailClientConnect(net::TMailClient& client, std::int32_t count, const NewestMark& mark,
                         const RetrieveSummaries& retrieve);
  // The account's lines, kept from its last check when they were whole and its count and newest
  // messages are the same, else read anew.
  void readMessageLines(std::int32_t count, const NewestMark& newestMark,
                        const RetrieveSummaries& retrieve);
  void mailClientInvalidHost(const net::TMailClient& client, bool& handled);
  void mailClientConnectionFailed(const net::TMailClient& client);
  // The password of the account being checked has just been sent: over TLS, it is marked so.
  void passwordWentOut(const net::TMailClient& client);
  // `alerted`: the server said why in an alert, which may not be about the password at all.
  void mailClientAuthenticationFailed(net::TMailClient& client, bool& handled, bool alerted);
  // For an account whose server was changed in Outlook Express, once a run: the password typed
  // for its new server, stored for it; empty when none was typed.
  std::string askPasswordForNewServer(const std::string& accountName, const std::string& key,
                                      const PasswordOwner& owner);
  // The server's certificate or the TLS handshake was refused: the user learns why, once per
  // account until the configuration is confirmed.
  void secureConnectionFailed(const std::string& host, const net::ETlsError& error);
  // What the server of an IMAP account wants its user to read, once per account and run.
  void mailServerAlert(const std::string& accountName, const std::vector<std::string>& alerts);

  platform::Platform& platform_;
  platform::WindowHandle self_;
  std::string langFile_;
  FormView* view_ = nullptr;
  bool terminated_ = false;
  bool updateChecking_ = false;
  bool updateAnswered_ = false;  // the running check has shown its outcome
  // The accounts listAccounts shows, in registry order.
  std::vector<MailAccount> listedAccounts_;
};

// Selects the identity whose whole name equals `name` as listIdentities holds it (line breaks
// escaped), letter case ignored; none when none does.
void selectIdentityNamed(TMainForm& form, std::string_view name);

// The part of start-up that decides between the configuration window and the launch.
void runStartup(base::IniFile& iniFile, TMainForm& form);

}  // namespace vantrel::app
