// How soon the program announces an IMAP delivery: Vantrel's app layer on the real event loop,
// sockets and network signal (the desktop, registry, dialogs and shell are the stand-ins'),
// pushing one account of a local server that offers IDLE, while messages land in its maildir one
// after the other. One "name: value" line each; a delivery never announced is told of.
//   push_bench PORT USER:PASSWORD MAILDIR DELIVERIES
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/notify_window_form.h"
#include "app/passwords.h"
#include "platform/posix/event_loop_posix.h"
#include "platform/posix/fd.h"
#include "platform/posix/network_posix.h"
#include "platform/posix/socket_posix.h"
#include "platform/posix/text_conversion_posix.h"
#include "platform/standin/standin_desktop.h"
#include "platform/standin/standin_dialogs.h"
#include "platform/standin/standin_event_loop.h"
#include "platform/standin/standin_processes.h"
#include "platform/standin/standin_registry.h"
#include "platform/standin/standin_shell.h"

namespace {

namespace fs = std::filesystem;
namespace platform = vantrel::platform;
namespace standin = vantrel::platform::standin;
namespace posix = vantrel::platform::posix;
using Clock = std::chrono::steady_clock;

constexpr char kGuid[] = "{5B1E7A30-2C4D-4E6F-8A9B-0C1D2E3F4A5B}";
constexpr char kOutlookPath[] = "C:\\Program Files\\Outlook Express\\msimn.exe";
constexpr std::uint32_t kAnnouncedWithinMs = 10'000;

class NoView final : public vantrel::app::FormView {
 public:
  void refresh() override {}
  void popupTrayMenu(platform::Point) override {}
};

// The notification window as the announcement shows it: the total it shows is what was announced.
class AnnouncementView final : public vantrel::app::NotifyWindowView {
 public:
  AnnouncementView(platform::EventLoop& loop, const vantrel::app::TMainForm& form)
      : loop_(loop), form_(form) {}
  void refresh() override {
    if (form_.mailWatch.newMailTotal < wanted) return;
    announced = Clock::now();
    loop_.wake();
  }
  std::int32_t wanted = 1;
  Clock::time_point announced{};

 private:
  platform::EventLoop& loop_;
  const vantrel::app::TMainForm& form_;
};

// Dispatches the loop's messages, timers and sockets for `ms`, or until `done` says so.
template <typename Done>
void runLoop(posix::PosixEventLoop& loop, int quiet, std::uint32_t ms, Done done) {
  const std::uint64_t deadline = loop.nowMs() + ms;
  while (!done() && loop.nowMs() < deadline)
    loop.waitForSocket(quiet, platform::kSocketRead, deadline);
}

// A message as a delivery agent puts it into a maildir: written into tmp/, renamed into new/, the
// mailbox owner's.
void deliver(const fs::path& maildir, int number) {
  const std::string name = "600000000" + std::to_string(number) + ".M1.push";
  const fs::path written = maildir / "tmp" / name;
  std::ofstream(written, std::ios::binary)
      << "From: Sender " << number << " <sender" << number << "@example.com>\r\nSubject: push "
      << number << "\r\n\r\nbody\r\n";
  struct stat owner {};
  if (::stat(maildir.c_str(), &owner) == 0) {
    if (::chown(written.c_str(), owner.st_uid, owner.st_gid) != 0) std::perror("chown");
  }
  fs::rename(written, maildir / "new" / name);
}

std::string registryText(int port, const std::string& user) {
  char portValue[16];
  std::snprintf(portValue, sizeof portValue, "%08x", port);
  const std::string identity = std::string("HKEY_CURRENT_USER\\Identities\\") + kGuid;
  return "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Outlook Express]\r\n"
         "\"InstallRoot\"=\"%ProgramFiles%\\\\Outlook Express\"\r\n"
         "\"MediaVer\"=\"6,00,2900,5512\"\r\n\r\n"
         "[HKEY_CURRENT_USER\\Identities]\r\n\"Last Username\"=\"Bench\"\r\n\r\n[" +
         identity + "]\r\n\"Username\"=\"Bench\"\r\n\r\n[" + identity +
         "\\Software\\Microsoft\\Internet Account Manager\\Accounts\\00000001]\r\n"
         "\"Account Name\"=\"Inbox\"\r\n\"IMAP Server\"=\"127.0.0.1\"\r\n\"IMAP User Name\"=\"" +
         user + "\"\r\n\"IMAP Port\"=dword:" + portValue + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: push_bench PORT USER:PASSWORD MAILDIR DELIVERIES\n");
    return 2;
  }
  const int port = std::atoi(argv[1]);
  const std::string pair = argv[2];
  const std::string user = pair.substr(0, pair.find(':'));
  const std::string password = pair.substr(pair.find(':') + 1);
  const fs::path maildir = argv[3];
  const int deliveries = std::atoi(argv[4]);

  std::random_device random;
  const fs::path folder =
      fs::temp_directory_path() / ("vantrel-push-bench-" + std::to_string(random()));
  fs::create_directories(folder);
  std::ofstream(folder / "Vantrel.ini", std::ios::binary)
      << "[General]\r\nFirstRun=0\r\n[Run]\r\n[Identities]\r\ncheckNoIdentities=1\r\n[Email]\r\n"
         "checkNoMail=0\r\ncheckMailPreview=0\r\ncheckMailSound=0\r\neditMailTime=999\r\n"
         "Bench_Inbox_pass="
      << vantrel::app::passwordFileValue(vantrel::app::scramblePassword(password)) << "\r\n";

  // The stand-ins' own clock never moves: the program waits on the real one.
  standin::StandinEventLoop still;
  standin::StandinRegistry registry;
  standin::StandinDesktop desktop{still};
  standin::StandinProcesses processes{still, desktop, registry};
  standin::StandinDialogs dialogs{still};
  standin::StandinShell shell;
  posix::PosixEventLoop loop;
  posix::PosixSockets sockets;
  const posix::IconvTextConversion textConversion;
  posix::PosixNetwork network{loop};
  platform::Platform bundle{registry, desktop, processes,      dialogs, shell,
                            loop,     sockets, textConversion, network};

  processes.setExecutable((folder / "Vantrel.exe").string());
  processes.setEnvironment("ProgramFiles", "C:\\Program Files");
  registry.importReg(registryText(port, user));
  processes.installOutlook(kOutlookPath, {});
  // Outlook Express already running, another program's window in front of it.
  desktop.createWindow({platform::kNoWindow,
                        "Outlook Express Browser Class",
                        "Outlook Express",
                        platform::kNoWindow,
                        true,
                        false,
                        false,
                        {}});
  const auto mainWindow = desktop.createWindow(
      {platform::kNoWindow, "TMainForm", "Vantrel", platform::kNoWindow, false, false, false, {}});
  const auto notifyWindow = desktop.createWindow(
      {platform::kNoWindow, "TNotifyWindowForm", "", platform::kNoWindow, false, false, false, {}});

  int quietPair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, quietPair) != 0) return 1;
  const posix::Fd quiet{quietPair[0]};
  const posix::Fd quietPeer{quietPair[1]};

  int missed = 0;
  std::vector<double> delays;
  {
    vantrel::app::TMainForm form(bundle, mainWindow, {}, (folder / "lang.ini").string());
    NoView formView;
    form.setView(&formView);
    vantrel::app::TNotifyWindowForm notify(bundle, notifyWindow, form);
    AnnouncementView view(loop, form);
    notify.setView(&view);
    form.NotifyWindowForm = &notify;
    form.FormCreate();
    desktop.createWindow({platform::kNoWindow,
                          "Notepad",
                          "notes - Notepad",
                          platform::kNoWindow,
                          true,
                          false,
                          false,
                          {}});

    // Logged in and waiting in IDLE, on loopback, long before this.
    runLoop(loop, quiet.get(), 2000, [] { return false; });
    for (int i = 1; i <= deliveries; ++i) {
      view.wanted = i;
      const auto delivered = Clock::now();
      deliver(maildir, i);
      runLoop(loop, quiet.get(), kAnnouncedWithinMs, [&] { return view.announced > delivered; });
      if (view.announced > delivered) {
        delays.push_back(
            std::chrono::duration<double, std::milli>(view.announced - delivered).count());
      } else {
        ++missed;
        std::fprintf(stderr, "push_bench: delivery %d not announced within %u ms\n", i,
                     kAnnouncedWithinMs);
      }
      // Back in IDLE after the count, as between two real deliveries.
      runLoop(loop, quiet.get(), 300, [] { return false; });
    }
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);

  if (delays.empty()) return 1;
  std::sort(delays.begin(), delays.end());
  const std::size_t middle = delays.size() / 2;
  const double median =
      delays.size() % 2 ? delays[middle] : (delays[middle - 1] + delays[middle]) / 2;
  std::printf("push_deliveries: %d\n", deliveries);
  std::printf("push_delivery_median_ms: %.0f\n", median);
  std::printf("push_delivery_worst_ms: %.0f\n", delays.back());
  if (missed > 0) std::printf("push_delivery_missed: %d\n", missed);
  return missed > 0 ? 1 : 0;
}
