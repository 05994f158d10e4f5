#include "app_bed.h"

#include <iterator>
#include <random>
#include <span>

#include "app/app_constants.h"
#include "app/passwords.h"
#include "ui/count_badge.h"
#include "ui/icon_image.h"

namespace vantrel::testing {

std::string settingsText(const std::string& run, const std::string& identities,
                         const std::string& further) {
  return "[General]\r\nFirstRun=0\r\n[Run]\r\n" + run + "[Identities]\r\n" + identities + further;
}

std::string accountsOf(const std::string& guid) {
  return "HKEY_CURRENT_USER\\Identities\\" + guid +
         "\\Software\\Microsoft\\Internet Account Manager\\Accounts\\";
}

std::string storedPassword(const std::string& password) {
  return app::passwordFileValue(app::scramblePassword(password));
}

platform::IconPixels resourcePicture(const std::string& file, int size) {
  std::ifstream in(VANTREL_SOURCE_DIR "/resources/icons/" + file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const auto word = [&](std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes.at(at + i);
    return value;
  };
  // The directory: six bytes, then sixteen per image with its width, length and offset.
  for (std::uint32_t i = 0; bytes.size() >= 6 && i < word(4, 2); ++i) {
    const auto entry = 6 + 16 * static_cast<std::size_t>(i);
    if (static_cast<int>(bytes.at(entry)) != size) continue;
    const auto length = word(entry + 8, 4);
    const auto offset = word(entry + 12, 4);
    if (offset > bytes.size() || bytes.size() - offset < length) return {};
    if (const auto pixels = ui::decodeIconImage(std::span(bytes).subspan(offset, length)))
      return *pixels;
  }
  return {};
}

namespace {

constexpr int kTraySizes[] = {16, 20, 24, 32};

platform::IconHandle sized(platform::IconHandle picture, int size) {
  return size == 16 ? picture : picture + (static_cast<platform::IconHandle>(size) << 16);
}

std::string sizeSuffix(int size) {
  return size == 16 ? "" : " at " + std::to_string(size) + " px";
}

}  // namespace

app::FormPictures trayPictures(int size) {
  app::FormPictures pictures;
  pictures.mainIcon = sized(kMainIcon, size);
  for (std::size_t i = 0; i < pictures.mail.size(); ++i) pictures.mail[i] = sized(0x6000 + i, size);
  pictures.newMail = resourcePicture("mail_newmail.ico", size);
  return pictures;
}

AppBed::AppBed() {
  std::random_device random;
  folder_ = std::filesystem::temp_directory_path() /
            ("vantrel-app-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(folder_);
  sim.processes.setExecutable((folder_ / "Vantrel.exe").string());
  sim.processes.setEnvironment("ProgramFiles", "C:\\Program Files");
  mainWindow = sim.desktop.createWindow(
      {platform::kNoWindow, "TMainForm", "Vantrel", platform::kNoWindow, false, false, false, {}});
  notifyWindow = sim.desktop.createWindow(
      {platform::kNoWindow, "TNotifyWindowForm", "", platform::kNoWindow, false, false, false, {}});
  sim.desktop.setWindowSize(notifyWindow, {288, 157});
  sim.desktop.programMessages = [this](platform::WindowHandle, std::uint32_t message,
                                       std::uintptr_t, std::intptr_t lParam) {
    if (message == app::WM_TRAYNOTIFY && form_) form_->WMTrayNotify(lParam);
  };
}

AppBed::~AppBed() {
  notifyForm_.reset();
  form_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void AppBed::installOutlook(platform::standin::OutlookScript script) {
  sim.registry.importReg(
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express]\n"
      "\"InstallRoot\"=\"%ProgramFiles%\\\\Outlook Express\"\n"
      "\"MediaVer\"=\"6,00,2900,5512\"\n");
  sim.processes.installOutlook(kOutlookPath, script);
}

void AppBed::importFixture(const std::string& name) {
  sim.registry.importRegFile(VANTREL_SOURCE_DIR "/tests/fixtures/" + name);
}

void AppBed::writeSettings(const std::string& text) {
  std::ofstream out(settingsPath(), std::ios::binary);
  out << text;
}

std::string AppBed::readSettings() const {
  std::ifstream in(settingsPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

app::TMainForm& AppBed::start() {
  form_ = std::make_unique<app::TMainForm>(sim.bundle, mainWindow, trayPictures(16),
                                           folder_ / "lang.ini");
  form_->setView(&view);
  notifyForm_ = std::make_unique<app::TNotifyWindowForm>(sim.bundle, notifyWindow, *form_);
  notifyView.form = notifyForm_.get();
  notifyForm_->setView(&notifyView);
  form_->NotifyWindowForm = notifyForm_.get();
  form_->FormCreate();
  return *form_;
}

app::TMainForm& AppBed::startAgain() {
  notifyForm_.reset();
  form_.reset();
  return start();
}

app::TMainForm& AppBed::start(const std::string& settings) {
  writeSettings(settings);
  return start();
}

app::TMainForm& AppBed::launch(const std::string& settings,
                               platform::standin::OutlookScript script) {
  installOutlook(script);
  return start(settings);
}

app::TMainForm& AppBed::startWatching(const std::string& settings,
                                      platform::standin::OutlookScript script) {
  auto& form = launch(settings, script);
  runFor(600);
  return form;
}

app::TMainForm& AppBed::startConfiguring(const std::string& settings) {
  sim.processes.setArguments({"/config"});
  return start(settings);
}

app::TMainForm& AppBed::configureProgs(const std::string& progs) {
  return startConfiguring(settingsText("", "checkNoIdentities=1\r\n", "[Progs]\r\n" + progs));
}

std::vector<std::string> AppBed::writesSince(std::size_t from) const {
  const auto& writes = sim.registry.writes();
  return {writes.begin() + static_cast<std::ptrdiff_t>(from), writes.end()};
}

platform::WindowHandle AppBed::openOtherWindow() {
  return sim.desktop.createWindow({platform::kNoWindow, "Notepad", "notes - Notepad",
                                   platform::kNoWindow, true, false, false, nullptr});
}

std::string AppBed::trayPicture() const {
  const auto& icon = sim.shell.icon();
  if (!icon) return "none";
  for (const int size : kTraySizes) {
    if (icon->icon == sized(kMainIcon, size)) return "usual" + sizeSuffix(size);
    if (icon->icon == sized(kNewMailIcon, size)) return "new mail" + sizeSuffix(size);
  }
  const auto drawn = sim.shell.drawnIcons.find(icon->icon);
  if (drawn == sim.shell.drawnIcons.end()) return "other";
  const auto size = drawn->second.size;
  const auto picture = resourcePicture("mail_newmail.ico", size);
  for (std::int32_t count = 1; count <= 100; ++count) {
    if (ui::drawCountBadge(picture, count) == drawn->second)
      return "new mail " + std::to_string(count) + sizeSuffix(size);
  }
  return "other";
}

void AppBed::postTray(std::intptr_t mouseMessage) {
  sim.desktop.postMessage(mainWindow, app::WM_TRAYNOTIFY, 0, mouseMessage);
}

}  // namespace vantrel::testing
