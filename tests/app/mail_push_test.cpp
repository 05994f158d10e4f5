// IMAP push in the program on the stand-in bed, whose virtual clock makes minutes of IDLE cost
// nothing: deliveries announced without a timed check, renewals and the growing pause, sleep and
// waking, the network gone and back, changes during a check or under a box, push off, and what a
// refused login leads to.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/passwords.h"
#include "app_bed.h"
#include "imap_standin.h"
#include "pop3_standin.h"

namespace vantrel::testing {
namespace {

using platform::standin::ipv4;
using Texts = std::vector<std::string>;

constexpr std::uint64_t kMinute = 60'000;
constexpr char kCloud[] = "imap.cloud.example";

std::string cloudKey() {
  return accountsOf(kAliceGuid).substr(sizeof("HKEY_CURRENT_USER\\") - 1) + "00000007";
}

// Alice's POP3 Home (2 messages) and shared Work (none) of mail-accounts.reg, and her IMAP Cloud
// (none unread, password c1oud), whose server offers IDLE; checked every `minutes`.
struct PushBed {
  explicit PushBed(const std::string& email = "", ImapListener listener = {.idle = true},
                   Pop3Mode workMode = Pop3Mode::Normal, int minutes = 999)
      : home(bed.sim.sockets, "pop.home.example", ipv4(127, 0, 0, 2)),
        work(bed.sim.sockets, "pop.work.example", ipv4(127, 0, 0, 3), workMode),
        cloud(bed.sim.sockets, kCloud, ipv4(127, 0, 0, 6), listener),
        email_(email),
        minutes_(minutes) {
    home.setMailbox("alice", "secret", 2);
    work.setMailbox("a.smith", "w0rk", 0);
    cloud.setMailbox("alice", "c1oud", 0);
    bed.importFixture("mail-accounts.reg");
    bed.sim.registry.importReg("REGEDIT4\r\n[" + accountsOf(kAliceGuid) +
                               "00000007]\r\n\"Account Name\"=\"Cloud\"\r\n\"IMAP Server\"=\"" +
                               kCloud + "\"\r\n\"IMAP User Name\"=\"alice\"\r\n");
  }

  // Vantrel watching, another program's window in front.
  app::TMainForm& start() {
    form = &bed.startWatching(settingsText(
        "", "checkNoIdentities=1\r\n",
        "[Email]\r\ncheckNoMail=0\r\ncheckMailPreview=0\r\neditMailTime=" +
            std::to_string(minutes_) + "\r\nAlice_Home_pass=" + storedPassword("secret") +
            "\r\nAlice_Work_pass=" + storedPassword("w0rk") +
            "\r\nAlice_Cloud_pass=" + storedPassword("c1oud") + "\r\n" + email_));
    bed.openOtherWindow();
    return *form;
  }

  // Each account line of the notification window, after its identity's.
  Texts shownAccounts() const {
    Texts lines;
    for (const auto& identity : form->NotifyWindowForm->treeNotify.nodes) {
      for (const auto& account : identity.children)
        lines.push_back(identity.text + ": " + account.text);
    }
    return lines;
  }
  std::string pushLine() const {
    return form->mailPush.lineFor(cloudKey()).value_or(app::ResultLine{}).text;
  }
  // The checks Home's server has seen.
  int checks() const {
    return static_cast<int>(std::count(home.commands().begin(), home.commands().end(), "STAT"));
  }

  AppBed bed;
  StandinPop3 home;
  StandinPop3 work;
  StandinImap cloud;
  std::string email_;
  int minutes_;
  app::TMainForm* form = nullptr;
};

TEST(MailPush, ChangesAreAnnouncedAsTheyComeFromEveryAccountsLastCount) {
  PushBed push;
  push.start();
  auto& bed = push.bed;
  bed.runFor(1000);
  ASSERT_EQ(push.cloud.idling(), 1) << "waiting from the first second";
  EXPECT_EQ(push.pushLine(),
            "Averti d\xE8s l'arriv\xE9"
            "e depuis 09:00");
  struct Step {
    std::string what;
    std::function<void()> act;
    std::string picture;
    std::string tip;
    int sounds;
    Texts accounts;
  };
  const std::string tip4 = "4 message(s) non-lu(s) (Alice)";
  const std::vector<Step> steps = {
      {"a delivery before any check",
       [&] { push.cloud.deliver("alice", "From: Zoe <zoe@example.com>\r\nSubject: Hi\r\n"); },
       "new mail 1",
       "1 message(s) non-lu(s) (Alice)",
       1,
       {"Alice: Cloud : 1"}},
      {"the first timed check adds Home",
       [&] { push.form->timerMailTimer(); },
       "new mail 3",
       "3 message(s) non-lu(s) (Alice)",
       2,
       {"Alice: Home : 2", "Alice: Cloud : 1"}},
      {"a delivery after it, Home's last count standing",
       [&] { push.cloud.deliver("alice"); },
       "new mail 4",
       tip4,
       3,
       {"Alice: Home : 2", "Alice: Cloud : 2"}},
      {"flags changed elsewhere, the same count",
       [&] { push.cloud.flagsChanged("alice"); },
       "new mail 4",
       tip4,
       3,
       {"Alice: Home : 2", "Alice: Cloud : 2"}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    bed.runFor(1);
    EXPECT_EQ(bed.trayPicture(), step.picture);
    EXPECT_EQ(bed.sim.shell.icon()->tip, step.tip);
    EXPECT_EQ(bed.sim.shell.mailSounds, step.sounds);
    EXPECT_EQ(push.shownAccounts(), step.accounts);
    EXPECT_TRUE(push.form->NotifyWindowForm->visible());
  }
  EXPECT_EQ(push.checks(), 1) << "only the one timed check";
  EXPECT_EQ(push.cloud.connections(), 2) << "push's own, and the check's";
  EXPECT_TRUE(bed.sim.dialogs.shown().empty());

  // Closing takes no time and leaves nothing open.
  const auto at = bed.sim.loop.nowMs();
  const auto open = bed.sim.sockets.openSockets();
  push.form->terminate();
  EXPECT_EQ(bed.sim.loop.nowMs(), at);
  EXPECT_EQ(push.cloud.commands().back(), "LOGOUT");
  EXPECT_EQ(bed.sim.sockets.openSockets(), open - 1);
}

TEST(MailPush, IdleIsRenewedEveryNineMinutesAndADroppedConnectionWaitsALongerPauseEachTime) {
  PushBed push;
  push.start();
  auto& bed = push.bed;
  bed.runFor(1000);
  const auto heard = push.cloud.commands().size();
  bed.runFor(9 * kMinute);
  EXPECT_EQ(Texts(push.cloud.commands().begin() + static_cast<std::ptrdiff_t>(heard),
                  push.cloud.commands().end()),
            (Texts{"DONE", "IDLE"}))
      << "renewed, not counted again";
  EXPECT_EQ(push.cloud.connections(), 1);

  // Dropped the moment it is back: 2 s, 4 s, 8 s, 16 s; one that held five minutes, 2 s again.
  struct Drop {
    std::uint64_t heldFor;
    std::uint64_t pause;
    std::string nextTry;
  };
  for (const auto& drop : {Drop{0, 2000, "09:10"}, Drop{0, 4000, "09:10"}, Drop{0, 8000, "09:10"},
                           Drop{0, 16'000, "09:10"}, Drop{5 * kMinute, 2000, "09:15"}}) {
    SCOPED_TRACE(drop.pause);
    bed.runFor(drop.heldFor);
    const int connections = push.cloud.connections();
    push.cloud.hangUp();
    bed.runFor(1);
    EXPECT_EQ(push.pushLine(),
              "Averti d\xE8s l'arriv\xE9"
              "e : nouvel essai \xE0 " +
                  drop.nextTry + " (connexion interrompue)");
    bed.runFor(drop.pause - 1);
    EXPECT_EQ(push.cloud.connections(), connections);
    bed.runFor(2);
    EXPECT_EQ(push.cloud.connections(), connections + 1);
    EXPECT_EQ(push.cloud.idling(), 1);
  }
  EXPECT_TRUE(bed.sim.dialogs.shown().empty()) << "a dropped connection raises no box";
  EXPECT_EQ(push.checks(), 0);
}

TEST(MailPush, WakingChecksEveryAccountOnceTheNetworkAnswersThenPushesAgain) {
  using platform::kPbtApmResumeAutomatic;
  using platform::kPbtApmResumeSuspend;
  struct Case {
    std::string name;
    std::vector<std::uintptr_t> wakes;
    std::uint64_t networkBackAfter;  // 0: there at once
    bool told;
    std::uint64_t checkedBy;  // after the wake
  };
  const std::vector<Case> cases = {
      {"the network there", {kPbtApmResumeAutomatic, kPbtApmResumeSuspend}, 0, true, 0},
      {"the network back 32 s later", {kPbtApmResumeAutomatic}, 32'000, true, 32'000},
      {"back untold, as under Wine", {kPbtApmResumeSuspend}, 32'000, false, 35'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PushBed push("", {.idle = true}, Pop3Mode::Normal, 1);
    push.start();
    auto& bed = push.bed;
    bed.runFor(1000);
    const auto open = bed.sim.sockets.openSockets();
    push.form->WMPowerBroadcast(platform::kPbtApmSuspend);
    EXPECT_EQ(bed.sim.sockets.openSockets(), open - 1) << "closed as sleep comes";
    if (c.networkBackAfter > 0) bed.sim.network.setConnected(false);
    bed.runFor(20'000);
    EXPECT_EQ(push.cloud.connections(), 1) << "nothing opened asleep";
    const auto wokeAt = bed.sim.loop.nowMs();
    if (c.networkBackAfter > 0) {
      bed.sim.loop.atTime(wokeAt + c.networkBackAfter,
                          [&bed, &c] { bed.sim.network.setConnected(true, c.told); });
    }
    for (const auto wake : c.wakes) push.form->WMPowerBroadcast(wake);
    bed.runFor(c.checkedBy);
    EXPECT_EQ(push.checks(), 0);
    bed.runFor(1);
    EXPECT_EQ(push.checks(), 1);
    bed.runFor(1);
    EXPECT_EQ(push.cloud.idling(), 1) << "push again, after the check";
    bed.runFor(kMinute - 2);
    EXPECT_EQ(push.checks(), 1) << "the next check one interval after this one";
    bed.runFor(2);
    EXPECT_EQ(push.checks(), 2);
  }
}

TEST(MailPush, WithoutANetworkNobodyIsAskedAnythingAndItsReturnBringsACheck) {
  // An account whose server cannot be found would raise a box with the network there.
  PushBed push("Alice_Old_pass=" + storedPassword("x") + "\r\n");
  auto& bed = push.bed;
  bed.sim.registry.importReg("REGEDIT4\r\n[" + accountsOf(kAliceGuid) +
                             "00000002]\r\n\"POP3 Skip Account\"=dword:00000000\r\n");
  push.start();
  bed.runFor(1000);
  push.cloud.deliver("alice");
  bed.runFor(1);
  ASSERT_EQ(bed.trayPicture(), "new mail 1");
  const auto open = bed.sim.sockets.openSockets();
  bed.sim.network.setConnected(false);
  bed.runFor(1);
  EXPECT_EQ(bed.sim.sockets.openSockets(), open - 1)
      << "a connection through a network gone is dead";
  EXPECT_EQ(push.pushLine(),
            "Averti d\xE8s l'arriv\xE9"
            "e : en attente du r\xE9seau");

  for (const auto& check : std::vector<std::function<void()>>{
           [&] { push.form->timerMailTimer(); }, [&] { push.form->mnuTrayItemCheckMailClick(); }}) {
    check();
    EXPECT_TRUE(bed.sim.dialogs.shown().empty());
    EXPECT_EQ(bed.trayPicture(), "new mail 1") << "the last counts stand";
    EXPECT_EQ(push.form->mailWatch.results.at(cloudKey()).outcome, app::CheckOutcome::NoNetwork);
  }
  EXPECT_EQ(push.checks(), 0);
  EXPECT_EQ(bed.sim.sockets.connectionsMade(), 1) << "no server was asked";
  push.form->mnuTrayItemConfigClick();
  push.form->tabMail.comboIdentities.selected = 0;
  push.form->comboIdentitiesChange();
  push.form->tabMail.listAccounts.select(push.form->tabMail.listAccounts.findCaption("Cloud"));
  EXPECT_EQ(push.form->tabMail.lblAccountResult.caption,
            "Averti d\xE8s l'arriv\xE9"
            "e : en attente du r\xE9seau\nRelev\xE9 \xE0 09:00 : pas de "
            "r\xE9seau, relev\xE9 d\xE8s son retour");
  push.form->bttnOKClick();

  bed.sim.network.setConnected(true);
  bed.runFor(1);
  EXPECT_EQ(push.checks(), 1) << "as soon as the network is back";
  EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u) << "with the network up, the box is due";
  bed.runFor(1);
  EXPECT_EQ(push.cloud.idling(), 1);
}

// The check waits 30 s on Work's silent server, the last account it reads; a question of push's
// (a refused password, answered after 30 s) holds the timer's check.
TEST(MailPush, AChangeDuringACheckOrABoxIsAnnouncedWhenItEndsAndNeverStartsOneInside) {
  {
    PushBed push("", {.idle = true}, Pop3Mode::Silent);
    push.start();
    auto& bed = push.bed;
    bed.runFor(1000);
    int soundsDuring = -1;
    const auto at = bed.sim.loop.nowMs();
    bed.sim.loop.atTime(at + 5000, [&] { push.cloud.deliver("alice"); });
    bed.sim.loop.atTime(at + 6000, [&] { soundsDuring = bed.sim.shell.mailSounds; });
    push.form->timerMailTimer();
    EXPECT_EQ(soundsDuring, 0);
    EXPECT_EQ(bed.sim.shell.mailSounds, 1) << "the check's total: Home's 2";
    bed.runFor(1);
    EXPECT_EQ(bed.sim.shell.mailSounds, 2);
    EXPECT_EQ(bed.sim.shell.icon()->tip, "3 message(s) non-lu(s) (Alice)");
  }
  {
    PushBed push("", {.loginAnswer = "NO [AUTHENTICATIONFAILED] no", .idle = true});
    auto& bed = push.bed;
    bed.sim.dialogs.answerMessageBox(platform::IdNo, 30'000);
    bed.sim.loop.atTime(10'000, [&] { bed.form().timerMailTimer(); });
    push.start();
    EXPECT_GT(bed.sim.loop.nowMs(), 30'000u) << "the question stayed 30 s";
    EXPECT_EQ(push.checks(), 0) << "no check inside the question";
    bed.runFor(1);
    EXPECT_EQ(push.checks(), 1);
  }
}

TEST(MailPush, PushOffLeavesImapMailToTheTimedCheck) {
  PushBed push(kNoPush);
  push.start();
  auto& bed = push.bed;
  bed.runFor(1000);
  push.cloud.deliver("alice");
  bed.runFor(kMinute);
  EXPECT_EQ(push.cloud.connections(), 0);
  EXPECT_EQ(bed.trayPicture(), "usual");
  EXPECT_FALSE(push.form->mailPush.lineFor(cloudKey()));
  push.form->mnuTrayItemConfigClick();
  EXPECT_TRUE(push.form->tabMail.checkMailPush.enabled);
  push.form->tabMail.checkNoMail.checked = true;
  push.form->checkNoMailClick();
  EXPECT_FALSE(push.form->tabMail.checkMailPush.enabled) << "greyed while mail is left alone";
}

TEST(MailPush, ARefusedLoginIsToldOnceAndOnlyARefusedPasswordAsks) {
  const std::string question =
      "Le mot de passe pour le serveur imap.cloud.example avec le login alice, semble incorrect, "
      "voulez-vous essayer avec un autre ?";
  // The server takes "n3w" only; c1oud is stored.
  struct Case {
    std::string name;
    ImapListener listener;
    std::optional<std::string> typed;  // answering Yes with it; none: No
    Texts boxes;                       // within ten minutes
    std::string password;              // stored afterwards
  };
  const std::vector<Case> cases = {
      {"a refused password, answered No", {}, std::nullopt, {question}, "c1oud"},
      {"a refused password, the right one typed", {}, "n3w", {question}, "n3w"},
      {"the server's password store down",
       {.loginAnswer = "NO [UNAVAILABLE] later"},
       std::nullopt,
       {},
       "c1oud"},
      {"an untrusted certificate",
       {.startTls = true, .tlsRefusal = platform::tls_reason::kUntrusted},
       std::nullopt,
       {"Impossible d'\xE9tablir une connexion s\xE9"
        "curis\xE9"
        "e avec le serveur "
        "imap.cloud.example, le mot de passe n'a pas \xE9t\xE9 envoy\xE9 (le certificat du "
        "serveur n'est pas d\xE9livr\xE9 par une autorit\xE9 reconnue par cet ordinateur)"},
       "c1oud"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto listener = c.listener;
    listener.idle = true;
    PushBed push("", listener);
    auto& bed = push.bed;
    bed.sim.dialogs.answerMessageBox(c.typed ? platform::IdYes : platform::IdNo);
    if (c.typed) bed.sim.dialogs.answerInput(*c.typed);
    push.cloud.setMailbox("alice", "n3w", 0);
    push.start();
    bed.runFor(10 * kMinute);
    Texts boxes;
    for (const auto& box : bed.sim.dialogs.messageBoxes()) boxes.push_back(box.text);
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(app::readPassword(*push.form->iniFile, "Alice_Cloud_pass"), c.password);
    EXPECT_EQ(push.cloud.idling(), c.typed ? 1 : 0);
  }
}

// Confirmed while offline, the configuration starts a watch with nothing to push or a push that
// waits: either way the network's return, which Windows under Wine never tells, brings a check.
TEST(MailPush, AWatchStartedWithoutANetworkChecksOnceItComes) {
  for (const std::string email : {"", kNoPush}) {
    SCOPED_TRACE(email.empty() ? "push on" : "push off");
    PushBed push(email);
    auto& bed = push.bed;
    push.start();
    bed.sim.network.setConnected(false, false);
    push.form->mnuTrayItemConfigClick();
    push.form->bttnOKClick();
    bed.runFor(kMinute);
    bed.sim.network.setConnected(true, false);
    bed.runFor(10'000);
    EXPECT_EQ(push.checks(), 1) << "within 10 s";
  }
}

}  // namespace
}  // namespace vantrel::testing
