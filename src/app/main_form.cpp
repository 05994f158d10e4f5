#include "app/main_form.h"

#include <algorithm>

#include "app/about.h"
#include "app/app_constants.h"
#include "app/external_programs.h"
#include "app/identities.h"
#include "app/lang_apply.h"
#include "app/launch.h"
#include "app/oe_window.h"
#include "app/outlook_express.h"
#include "app/settings.h"
#include "app/settings_table.h"
#include "app/tray_menu.h"
#include "base/text.h"

namespace vantrel::app {

namespace {
constexpr std::uint32_t kMinuteMs = 60000;
}  // namespace

TMainForm::TMainForm(platform::Platform& platform, platform::WindowHandle self,
                     const FormPictures& designedPictures, std::string langFile)
    : timerOE(platform.loop, 500, [this] { timerOETimer(); }),
      timerMail(platform.loop, 3 * kMinuteMs, [this] { timerMailTimer(); }),
      pop(platform.loop, platform.sockets, &secureServers),
      imap(platform.loop, platform.sockets, &secureServers),
      http(platform.loop, platform.sockets),
      pictures(designedPictures),
      mailPush(*this, platform),
      platform_(platform),
      self_(self),
      langFile_(std::move(langFile)) {
  buildDesign();
  trayIconCreate(platform_.shell, tray.trayIcon, self_, trayDefaultPicture(), WM_TRAYNOTIFY,
                 kTrayDefaultTip, false);
}

platform::IconHandle TMainForm::trayDefaultPicture() const {
  // XP (5.1) and later draw the program's own icon crisply in the notification area.
  const auto version = platform_.processes.version();
  const bool xpOrLater = version.major > 5 || (version.major == 5 && version.minor >= 1);
  return xpOrLater ? pictures.mainIcon : pictures.mail[4];
}

TMainForm::~TMainForm() {
  trayIconDelete(platform_.shell, tray.trayIcon);
}

void TMainForm::buildDesign() {
  tabLaunch.radioModeMail.checked = true;
  tabLaunch.checkNotifyReduce.checked = true;
  tabIdentities.checkNoIdentities.checked = true;
  tabIdentities.listIdentities.enabled = false;
  tabIdentities.listIdentities.colour = ui::Colour::ButtonFace;
  tabMail.checkNoMail.checked = true;
  tabMail.checkVerifyAllId.enabled = false;
  tabMail.checkMailPush.checked = true;
  tabMail.checkMailPush.enabled = false;
  tabMail.comboIdentities.enabled = false;
  tabMail.listAccounts.enabled = false;
  tabMail.checkMailWindow.checked = true;
  tabMail.checkMailSound.checked = true;
  tabMail.checkMailPreview.checked = true;
  tabMail.editMailWindowTime.min = 0;
  tabMail.editMailWindowTime.max = 900;
  tabMail.editMailWindowTime.position = 10;
  tabMail.editMailTime.min = 1;
  tabMail.editMailTime.max = 999;
  tabMail.editMailTime.position = 3;
  tabProgs.radioExternalProgsStartReduced.enabled = false;
  tabProgs.radioExternalProgsStartNormal.enabled = false;

  const auto compare = [this](std::string_view a, std::string_view b) {
    return platform_.processes.compareText(a, b);
  };
  tabProgs.listExternalProgs.setSorted(compare);
  tabProgs.listExternalProgs.columns = {{"", 118, 118}, {"", 115, 113}};
  tabIdentities.listIdentities.setSorted(compare);
  tabMail.listAccounts.setSorted(compare);
  tabMail.listAccounts.columns = {{"", 111, 111}, {"", 111, 111}};

  pop.Port = 110;
  pop.ReportLevel = 0;
  pop.Parse = false;
  pop.DeleteOnRead = false;
  pop.TimeOut = kMailTimeOutMs;
  pop.OnConnect = [this](net::TAsyncSocket& sender) { popConnect(sender); };
  pop.OnInvalidHost = [this](bool& handled) { popInvalidHost(handled); };
  pop.OnConnectionFailed = [this](net::TAsyncSocket& sender) { popConnectionFailed(sender); };
  pop.OnAuthenticationFailed = [this](bool& handled) { popAuthenticationFailed(handled); };
  imap.TimeOut = kMailTimeOutMs;
  imap.OnConnect = [this](net::TAsyncSocket& sender) { imapConnect(sender); };
  imap.OnInvalidHost = [this](bool& handled) { imapInvalidHost(handled); };
  imap.OnConnectionFailed = [this](net::TAsyncSocket& sender) { imapConnectionFailed(sender); };
  imap.OnAuthenticationFailed = [this](bool& handled) { imapAuthenticationFailed(handled); };

  tabAbout.lblOEVersion.caption = "Outlook Express v";
  tabAbout.bttnFaqOE.caption = "FAQ Outlook Express";

  tray.mnuTray.append(ui::makeSeparator());
  auto progs = std::make_unique<ui::MenuItem>();
  progs->imageIndex = kPicturePrograms;
  tray.mnuTrayItemProgs = &tray.mnuTray.append(std::move(progs));
  tray.mnuTray.append(ui::makeSeparator());
  auto checkMail = std::make_unique<ui::MenuItem>();
  checkMail->visible = false;
  checkMail->onClick = [this](const ui::MenuItem&) { mnuTrayItemCheckMailClick(); };
  tray.mnuTrayItemCheckMail = &tray.mnuTray.append(std::move(checkMail));
  auto config = std::make_unique<ui::MenuItem>();
  config->imageIndex = kPictureConfig;
  config->onClick = [this](const ui::MenuItem&) { mnuTrayItemConfigClick(); };
  tray.mnuTrayItemConfig = &tray.mnuTray.append(std::move(config));
  auto quit = std::make_unique<ui::MenuItem>();
  quit->imageIndex = kPictureQuit;
  quit->onClick = [this](const ui::MenuItem&) { mnuTrayItemQuitClick(); };
  tray.mnuTrayItemQuit = &tray.mnuTray.append(std::move(quit));

  dlgOpenOE.owner = tabProgs.dlgOpen.owner = self_;
  dlgOpenOE.fileName = std::string(oe::kExecutable);
  dlgOpenOE.filter = "Outlook Express|" + std::string(oe::kExecutable);
  dlgOpenOE.initialFolder = "%PROGRAM_FILES%\\Outlook Express";
  tabProgs.dlgOpen.title = std::string(APP_NAME);

  designHttp();
  loadBuiltinTexts(langTexts);
  applyLangTexts(*this);
}

void TMainForm::rebuildTrayProgs() {
  tray.mnuTrayItemProgs->clear();
  buildTrayProgsMenu(*tray.mnuTrayItemProgs, tabProgs.listExternalProgs,
                     [this](const ui::MenuItem& clicked) { mnuTrayProgClick(*this, clicked); });
}

bool TMainForm::visible() const {
  return platform_.desktop.isVisible(self_);
}

void TMainForm::changed() {
  if (view_) view_->refresh();
}

void TMainForm::terminate() {
  terminated_ = true;
  // No LOGOUT is waited for.
  mailPush.stop();
  platform_.loop.quit();
}

void TMainForm::FormCreate() {
  iniFile = openSettingsFile(platform_.processes.executablePath(), *this);
  auto& ini = *iniFile;

  loadBoundSettings(ini, settingTabs());

  for (const auto& name : listLanguageNames(langFile_, platform_.processes.files()))
    tabLaunch.comboLang.add(name);
  tabLaunch.comboLang.add(std::string(kBuiltinLangName));
  const auto langName = ini.readString(kSectionRun, kLangKey, kBuiltinLangName);
  const auto entry = std::find_if(
      tabLaunch.comboLang.items.begin(), tabLaunch.comboLang.items.end(),
      [&](const auto& item) { return base::equalsIgnoreCase(item.caption, langName); });
  if (entry != tabLaunch.comboLang.items.end()) {
    tabLaunch.comboLang.selected =
        static_cast<std::size_t>(entry - tabLaunch.comboLang.items.begin());
  }

  loadProgsSettings(ini, *this);

  checkNoIdentitiesClick();
  fillIdentityLists(*this);
  selectIdentityNamed(*this, ini.readString(kSectionIdentities, kListIdentitiesKey, ""));

  checkNoMailClick();
  checkMailWindowClick();
  timerMail.setInterval(static_cast<std::uint32_t>(tabMail.editMailTime.position) * kMinuteMs);
  showOEVersion();
  tabAbout.lblAppName.caption = std::string(APP_NAME) + " v" + std::string(APP_VERSION);
  tabAbout.lblAppCopyright.caption = std::string(APP_COPYRIGHT);

  firstRun = ini.readInteger(kSectionGeneral, kFirstRunKey, 1);
  langTexts = makeLangTexts(langName, langFile_, platform_.processes.files());
  applyLangTexts(*this);

  // A first run that cannot be recorded would come back at every start: the failed save has been
  // reported, and Outlook Express is launched with the settings in memory.
  if (firstRun != 0 && ini.writeInteger(kSectionGeneral, kFirstRunKey, 0)) {
    configMode = 1;
    platform_.dialogs.messageBox(self_, langTexts.msgFirstRunConfig, APP_NAME, platform::MbOk);
  }
  runStartup(ini, *this);
}

void selectIdentityNamed(TMainForm& form, std::string_view name) {
  // The exact name first: of "Alice" and "alice", a stored "Alice" must not become "alice" at the
  // next OK.
  const auto& items = form.tabIdentities.listIdentities.items();
  const auto exact = std::find_if(items.begin(), items.end(), [&](const auto& item) {
    return escapedLineBreaks(item.caption) == name;
  });
  form.tabIdentities.listIdentities.select(
      exact != items.end() ? std::optional(static_cast<std::size_t>(exact - items.begin()))
                           : form.tabIdentities.listIdentities.findCaption(name));
}

void TMainForm::showOEVersion() {
  const auto version = outlookExpressVersion(platform_.registry);
  if (version.empty()) {
    tabAbout.lblOEVersion.visible = false;
  } else {
    tabAbout.lblOEVersion.caption += version;
  }
}

void TMainForm::checkNoIdentitiesClick() {
  const bool managed = !tabIdentities.checkNoIdentities.checked;
  tabIdentities.listIdentities.enabled = managed;
  tabIdentities.listIdentities.colour = managed ? ui::Colour::Window : ui::Colour::ButtonFace;
  tabIdentities.checkIdentitiesChoice.enabled = managed;
  changed();
}

void TMainForm::checkMailWindowClick() {
  const bool on = tabMail.checkMailWindow.checked;
  tabMail.lblMailWindowTime.enabled = on;
  tabMail.editMailWindowTime.edit.enabled = on;
  tabMail.editMailWindowTime.upDown.enabled = on;
  tabMail.checkMailPreview.enabled = on;
  changed();
}

void runStartup(base::IniFile& iniFile, TMainForm& form) {
  auto& platform = form.platform();
  if (form.configMode != 1) {
    const auto args = platform.processes.arguments();
    if (std::find(args.begin(), args.end(), kConfigSwitch) != args.end()) form.configMode = 1;
  }
  selectIdentityNamed(form, iniFile.readString(kSectionIdentities, kListIdentitiesKey, ""));

  if (form.configMode == 1) {
    form.pagesCtrl.activePage = 0;
    platform.desktop.showWindow(form.handle(), platform::SwShowNormal);
    form.changed();
    return;
  }

  form.rebuildTrayProgs();
  form.tray.mnuTrayItemCheckMail->visible = !form.tabMail.checkNoMail.checked;
  buildTrayIdentitiesMenu(
      form.tray.mnuTray, form.tabIdentities.listIdentities, platform.desktop, form.handle(),
      [&form](const ui::MenuItem& clicked) { mnuTrayIdentityClick(form, clicked); });
  trayIconAdd(platform.shell, form.tray.trayIcon);
  const auto path = locateOutlookExpress(form);
  if (form.terminated()) return;
  if (!launchOutlookExpress(path, form, false)) {
    form.terminate();
  } else if (!form.visible()) {
    // Otherwise the configuration window was opened from the tray during a slow start: its OK
    // turns the timers on.
    form.startTimers();
  }
}

void TMainForm::bttnOKClick() {
  auto& ini = *iniFile;
  // One write of the file for the whole confirmation, also when it stops half-way.
  const base::IniFile::Batch batch(ini);
  saveBoundSettings(ini, settingTabs(), kSectionRun);
  ini.writeString(kSectionRun, kLangKey, tabLaunch.comboLang.selectedText());

  saveProgsSettings(ini, *this);
  for (auto* radio :
       {&tabProgs.radioExternalProgsStartReduced, &tabProgs.radioExternalProgsStartNormal}) {
    radio->enabled = false;
    radio->checked = false;
  }

  const auto selected = tabIdentities.listIdentities.selected();
  if (selected) {
    ini.writeString(kSectionIdentities, kListIdentitiesKey,
                    storableProfileValue(tabIdentities.listIdentities.at(*selected).caption));
  }
  if (!tabIdentities.checkNoIdentities.checked && !selected) {
    platform_.dialogs.messageBox(self_, langTexts.msgIdentityMustChoose, APP_NAME, platform::MbOk);
    pagesCtrl.activePage = 2;
    changed();
    return;
  }

  saveBoundSettings(ini, settingTabs(), kSectionIdentities);
  saveBoundSettings(ini, settingTabs(), kSectionEmail);
  ini.flush();

  timerMail.setInterval(static_cast<std::uint32_t>(tabMail.editMailTime.position) * kMinuteMs);
  // The user may have mended what the refusals were about: the next ones are told again.
  mailWatch.secureFailureTold.clear();

  rebuildTrayProgs();
  tray.mnuTrayItemCheckMail->visible = !tabMail.checkNoMail.checked;

  if (configMode == 1) {
    terminate();
    return;
  }
  platform_.desktop.showWindow(self_, platform::SwHide);
  // During a slow hidden start, start-up turns them on once the window is found.
  if (!oeWatch.launching) startTimers();
  changed();
}

void TMainForm::startTimers() {
  timerOE.setEnabled(true);
  if (!tabMail.checkNoMail.checked) timerMail.setEnabled(true);
  // Mail is announced from the first minute, not only after the first interval.
  mailPush.start();
}

bool TMainForm::FormCloseQuery() {
  bttnOKClick();
  return false;
}

void TMainForm::mnuTrayItemConfigClick() {
  timerOE.setEnabled(false);
  timerMail.setEnabled(false);
  mailPush.stop();
  pagesCtrl.activePage = 0;
  platform_.desktop.showWindow(self_, platform::SwShowNormal);
  platform_.desktop.setForegroundWindow(self_);
  changed();
}

void TMainForm::mnuTrayItemCheckMailClick() {
  // The running check's outcome is about to show; the timer's next event comes one full interval
  // after this check, which stops and restarts it.
  if (mailWatch.checking) return;
  mailWatch.asked = true;
  timerMailTimer();
}

void TMainForm::mnuTrayItemQuitClick() {
  if (closeOutlookExpress(*this, oeWatch.oeWindow)) terminate();
}

void TMainForm::WMQueryEndSession() {
  trayIconDelete(platform_.shell, tray.trayIcon);
  terminate();
}

}  // namespace vantrel::app
