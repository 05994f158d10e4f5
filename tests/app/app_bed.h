#pragma once
// A whole Vantrel on the stand-in platform: a private folder for its files, a registry, a
// simulated desktop with a stand-in Outlook Express, scripted dialogs and a virtual clock.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/standin/standin_platform.h"

namespace vantrel::testing {

inline constexpr char kOutlookFolder[] = "C:\\Program Files\\Outlook Express";
inline constexpr char kOutlookPath[] = "C:\\Program Files\\Outlook Express\\msimn.exe";
inline constexpr char kIdentities[] = "HKEY_CURRENT_USER\\Identities";
// Alice and Bob of tests/fixtures, and the two identities named Sam.
inline constexpr char kAliceGuid[] = "{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}";
inline constexpr char kBobGuid[] = "{C5A8F0E3-6B7D-4C9E-A1F2-4D5E6F708A03}";
inline constexpr char kFirstSam[] = "{3E4F5061-7283-4A94-B5C6-D7E8F9A0B102}";
inline constexpr char kSecondSam[] = "{8B0C2D4E-6F70-4182-93A4-B5C6D7E8F901}";
inline constexpr char kSharedAccounts[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Account Manager\\Accounts\\";

// The pictures the bed gives the program: its icon and the tray's new-mail one.
inline constexpr platform::IconHandle kMainIcon = 0x5001;
inline constexpr platform::IconHandle kNewMailIcon = 0x6003;

// The tray's pictures for a notification area that shows icons at `size` pixels: at 16, those
// above; at another size, others.
app::FormPictures trayPictures(int size);

// A picture of an icon file of resources/icons at `size`, as the program's resources hold it;
// empty when the file has none of that size.
platform::IconPixels resourcePicture(const std::string& file, int size);

// The hot key message of Ctrl+Shift with this key.
constexpr std::intptr_t ctrlShift(std::uint32_t virtualKey) {
  return (std::intptr_t{virtualKey} << 16) | 6;  // MOD_CONTROL | MOD_SHIFT
}

// Where an identity's own mail accounts are, up to the account's number.
std::string accountsOf(const std::string& guid);
// A password as the settings file stores it.
std::string storedPassword(const std::string& password);

class RecordingView : public app::FormView {
 public:
  void refresh() override { ++refreshes; }
  void popupTrayMenu(platform::Point at) override {
    ++popups;
    lastPopup = at;
  }
  int refreshes = 0;
  int popups = 0;
  platform::Point lastPopup{};
};

// What the notification window on screen shows: its tree as the last refresh found it.
class RecordingNotifyView : public app::NotifyWindowView {
 public:
  void refresh() override {
    if (form) shown = form->treeNotify.nodes;
  }
  const app::TNotifyWindowForm* form = nullptr;
  std::vector<ui::TreeNode> shown;
};

// A settings file past its first run, identities and mail not managed, all else by default.
inline constexpr char kConfigured[] =
    "[General]\r\nFirstRun=0\r\n[Identities]\r\ncheckNoIdentities=1\r\n";

// The periodic check alone, IMAP push off: what the servers hear is the check's.
inline constexpr char kNoPush[] = "checkMailPush=0\r\n";

// The [Run] lines that start Outlook Express hidden, put away into the tray.
inline constexpr char kStartHidden[] = "StartReduced=1\r\nReduceInTray=1\r\n";

// A settings file past its first run: the given lines of [Run] and [Identities] (identities not
// managed unless said), then any further sections.
std::string settingsText(const std::string& run,
                         const std::string& identities = "checkNoIdentities=1\r\n",
                         const std::string& further = "");

class AppBed {
 public:
  AppBed();
  // With a REGEDIT4 file of tests/fixtures imported.
  explicit AppBed(const std::string& fixture) : AppBed() { importFixture(fixture); }
  ~AppBed();

  // Outlook Express installed where "InstallRoot" says.
  void installOutlook(platform::standin::OutlookScript script = {});
  // A REGEDIT4 file of tests/fixtures imported into the stand-in registry.
  void importFixture(const std::string& name);
  void writeSettings(const std::string& text);
  std::string readSettings() const;
  std::filesystem::path settingsPath() const { return folder_ / "Vantrel.ini"; }
  std::filesystem::path folder() const { return folder_; }

  // Creates the main window and runs FormCreate, as the program entry does.
  app::TMainForm& start();
  // The same with these settings written first.
  app::TMainForm& start(const std::string& settings);
  // Ends the program and starts it anew on the files, registry and network it leaves: a later run.
  app::TMainForm& startAgain();
  app::TMainForm& form() { return *form_; }
  app::TNotifyWindowForm& notifyForm() { return *notifyForm_; }
  // Outlook Express installed and the program started with these settings.
  app::TMainForm& launch(const std::string& settings, platform::standin::OutlookScript script = {});
  // Outlook Express installed, started with these settings and followed past the first tick.
  app::TMainForm& startWatching(const std::string& settings,
                                platform::standin::OutlookScript script = {});
  // The configuration window of "/config" with these settings: nothing launched.
  app::TMainForm& startConfiguring(const std::string& settings);
  // The configuration window of "/config", these lines in [Progs].
  app::TMainForm& configureProgs(const std::string& progs = "");
  // The registry writes made since there were `from`.
  std::vector<std::string> writesSince(std::size_t from) const;
  // Another program's window, in front.
  platform::WindowHandle openOtherWindow();
  // Lets virtual time pass with the message loop running.
  void runFor(std::uint64_t ms) { sim.loop.runFor(ms); }
  void postTray(std::intptr_t mouseMessage);
  // What the tray icon shows: "usual", "new mail" (the plain picture), "new mail N" (with the
  // count N drawn on it), "other" or "none"; " at S px" follows a picture of another size than 16.
  std::string trayPicture() const;
  // The Outlook Express window the program follows, or none.
  platform::standin::SimWindow* oeWindow() { return sim.desktop.window(form_->oeWatch.oeWindow); }

  platform::standin::StandinPlatform sim;
  RecordingView view;
  RecordingNotifyView notifyView;
  platform::WindowHandle mainWindow = platform::kNoWindow;
  platform::WindowHandle notifyWindow = platform::kNoWindow;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<app::TMainForm> form_;
  std::unique_ptr<app::TNotifyWindowForm> notifyForm_;
};

}  // namespace vantrel::testing
