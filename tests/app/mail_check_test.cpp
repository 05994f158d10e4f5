// The periodic mail check against stand-in POP3 and IMAP servers: totals, the new-mail signs, the
// notification window, and what each kind of failing server or refused password leads to.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/passwords.h"
#include "app_bed.h"
#include "imap_standin.h"
#include "mailtext/charsets.h"
#include "platform/socket.h"
#include "pop3_standin.h"

namespace vantrel::testing {
namespace {

using platform::standin::ipv4;

constexpr std::uint32_t kBoxFlags = platform::MbIconError | platform::MbSetForeground;
constexpr std::uint32_t kQuestionFlags =
    platform::MbYesNo | platform::MbIconQuestion | platform::MbSetForeground;

// Stored passwords: Alice's Home "secret", her Work "w0rk", Bob's "b0b".
constexpr char kPasswords[] =
    "Alice_Home_pass=vdavfp\r\nAlice_Work_pass=z/po\r\nBob_Bob mail_pass=e/`\r\n";

using Texts = std::vector<std::string>;

struct Node {
  std::string text;
  std::vector<std::string> children;
  bool operator==(const Node&) const = default;
  friend void PrintTo(const Node& node, std::ostream* out) {
    *out << node.text << " {";
    for (const auto& child : node.children) *out << " [" << child << "]";
    *out << " }";
  }
};

using Tree = std::vector<Node>;

std::vector<Node> tree(AppBed& bed) {
  std::vector<Node> nodes;
  for (const auto& top : bed.notifyForm().treeNotify.nodes) {
    EXPECT_EQ(top.imageIndex, 0);
    Node node{top.text, {}};
    for (const auto& child : top.children) {
      EXPECT_EQ(child.imageIndex, 1);
      node.children.push_back(child.text);
    }
    nodes.push_back(node);
  }
  return nodes;
}

int windowShows(const AppBed& bed) {
  int shows = 0;
  for (const auto& call : bed.sim.desktop.showCalls()) {
    if (call.window == bed.notifyWindow && call.command == platform::SwShowNoActivate) ++shows;
  }
  return shows;
}

// The texts of the error boxes shown, each checked for its owner, caption and flags.
std::vector<std::string> errorBoxes(const AppBed& bed) {
  std::vector<std::string> texts;
  for (const auto& box : bed.sim.dialogs.messageBoxes()) {
    texts.push_back(box.text);
    EXPECT_EQ(box.owner, bed.sim.desktop.desktopWindow());
    EXPECT_EQ(box.caption, "Vantrel");
    EXPECT_EQ(box.flags, kBoxFlags);
  }
  return texts;
}

// The servers of the fixture's accounts, each with a mailbox of `count` messages.
std::unique_ptr<StandinPop3> homeServer(AppBed& bed, Pop3Mode mode, int count,
                                        Pop3Listener listener = {}) {
  auto server = std::make_unique<StandinPop3>(bed.sim.sockets, "pop.home.example",
                                              ipv4(127, 0, 0, 2), mode, listener);
  server->setMailbox("alice", "secret", count);
  return server;
}

std::unique_ptr<StandinPop3> workServer(AppBed& bed, Pop3Mode mode, int count) {
  auto server =
      std::make_unique<StandinPop3>(bed.sim.sockets, "pop.work.example", ipv4(127, 0, 0, 3), mode);
  server->setMailbox("a.smith", "w0rk", count);
  return server;
}

std::unique_ptr<StandinPop3> bobServer(AppBed& bed, int count) {
  auto server =
      std::make_unique<StandinPop3>(bed.sim.sockets, "pop.bob.example", ipv4(127, 0, 0, 4));
  server->setMailbox("bob", "b0b", count);
  return server;
}

// What Home's server hears from one check with the stored password, in plain text and over
// implicit TLS (where its capabilities go without saying).
const std::vector<std::string> kHomeLogIn = {"CAPA", "USER alice", "PASS secret", "STAT", "QUIT"};
const std::vector<std::string> kHomeSecureLogIn = {"USER alice", "PASS secret", "STAT", "QUIT"};

std::string wrongPasswordBox(const std::string& host) {
  return "Le mot de passe pour le serveur " + host +
         " avec le login alice, semble incorrect, voulez-vous essayer avec un autre ?";
}

// Without the lines of the newest messages, a check's dialogue is the login and the count alone,
// which these tests are about.
constexpr char kNoMessageLines[] = "checkMailPreview=0\r\n";

// Vantrel watching, mail checked every minute, another program's window in front.
app::TMainForm& startChecking(AppBed& bed, const std::string& email = "") {
  bed.importFixture("mail-accounts.reg");
  auto& form =
      bed.startWatching(settingsText("", "checkNoIdentities=1\r\n",
                                     "[Email]\r\ncheckNoMail=0\r\neditMailTime=1\r\n" +
                                         (kNoMessageLines + email) + kNoPush + kPasswords));
  bed.openOtherWindow();
  return form;
}

TEST(MailCheck, TotalsRisingEqualFallingAndZeroGiveTheNewMailSignsOnlyWhenTheyChange) {
  AppBed bed;
  StandinPop3 home(bed.sim.sockets, "pop.home.example", ipv4(127, 0, 0, 2));
  StandinPop3 work(bed.sim.sockets, "pop.work.example", ipv4(127, 0, 0, 3));
  StandinPop3 bob(bed.sim.sockets, "pop.bob.example", ipv4(127, 0, 0, 4));
  auto& form = startChecking(bed, "checkVerifyAllId=1\r\n");
  ASSERT_EQ(bed.trayPicture(), "usual");

  struct Step {
    int home, work, bob;
    int total;
    std::string picture;  // what the tray icon shows afterwards
    std::string tip;      // and says
    int sounds;           // so far
    int windowShows;      // so far
    std::vector<Node> tree;
  };
  const std::vector<Step> steps = {
      {2, 0, 3, 5, "new mail 5", "5 message(s) non-lu(s) (Alice, Bob)", 1, 1,
       Tree{{"Alice", {"Home : 2"}}, {"Bob", {"Bob mail : 3"}}}},
      // The same total: nothing new is announced, the tree is filled again.
      {3, 0, 2, 5, "new mail 5", "5 message(s) non-lu(s) (Alice, Bob)", 1, 1,
       Tree{{"Alice", {"Home : 3"}}, {"Bob", {"Bob mail : 2"}}}},
      {1, 1, 1, 3, "new mail 3", "3 message(s) non-lu(s) (Alice, Bob)", 2, 2,
       Tree{{"Alice", {"Home : 1", "Work : 1"}}, {"Bob", {"Bob mail : 1"}}}},
      // Nothing left: the picture and tip stay without a number; the open window shows an empty
      // tree.
      {0, 0, 0, 0, "new mail", "3 message(s) non-lu(s) (Alice, Bob)", 2, 2, {}},
      {0, 4, 0, 4, "new mail 4", "4 message(s) non-lu(s) (Alice)", 3, 3, {{"Alice", {"Work : 4"}}}},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto& step = steps[i];
    SCOPED_TRACE("check " + std::to_string(i + 1));
    home.setMailbox("alice", "secret", step.home);
    work.setMailbox("a.smith", "w0rk", step.work);
    bob.setMailbox("bob", "b0b", step.bob);
    form.timerMailTimer();
    EXPECT_EQ(form.mailWatch.newMailTotal, step.total);
    EXPECT_EQ(bed.trayPicture(), step.picture);
    EXPECT_EQ(bed.sim.shell.icon()->tip, step.tip);
    EXPECT_EQ(bed.sim.shell.mailSounds, step.sounds);
    EXPECT_EQ(windowShows(bed), step.windowShows);
    EXPECT_EQ(tree(bed), step.tree);
    EXPECT_TRUE(form.timerMail.enabled());
    EXPECT_TRUE(bed.notifyForm().visible());
  }
  EXPECT_EQ(bed.notifyForm().caption, "Vous avez 4 message(s)");
  EXPECT_NE(bed.sim.desktop.foregroundWindow(), bed.notifyWindow) << "the focus stays put";
  EXPECT_TRUE(bed.sim.dialogs.shown().empty());
  std::vector<std::string> fiveChecks;
  for (std::size_t i = 0; i < steps.size(); ++i)
    fiveChecks.insert(fiveChecks.end(), kHomeLogIn.begin(), kHomeLogIn.end());
  EXPECT_EQ(home.commands(), fiveChecks)
      << "skipped accounts and accounts without a POP3 server are never asked";

  bed.sim.desktop.setForegroundWindow(form.oeWatch.oeWindow);
  bed.runFor(500);
  EXPECT_EQ(bed.trayPicture(), "usual");
  EXPECT_EQ(form.mailWatch.newMailTotal, 0) << "the next check with mail announces it again";
  EXPECT_EQ(bed.sim.shell.drawnIcons.size(), 3u) << "drawn once for each total announced";
  // Each count's picture was given back once another one showed.
  EXPECT_EQ(bed.sim.shell.destroyedIcons.size(), 3u);
}

TEST(MailCheck, AfterAnIdentitySwitchTheNumberIsTheNewIdentitysTotal) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 3);
  const auto bob = bobServer(bed, 0);
  auto& form = startChecking(bed);
  form.timerMailTimer();
  ASSERT_EQ(bed.trayPicture(), "new mail 3");
  // Switched in Outlook Express, which stays behind the window in front.
  bed.sim.registry.setValue(kIdentities, "Last Username", "Bob");
  form.timerMailTimer();
  EXPECT_EQ(bed.trayPicture(), "new mail");
  EXPECT_EQ(bed.sim.shell.icon()->tip, "3 message(s) non-lu(s) (Alice)");
  bob->setMailbox("bob", "b0b", 3);
  form.timerMailTimer();
  EXPECT_EQ(bed.trayPicture(), "new mail 3") << "announced anew";
  EXPECT_EQ(bed.sim.shell.icon()->tip, "3 message(s) non-lu(s) (Bob)");
}

TEST(MailCheck, TheWindowComesToTheWorkAreasBottomRightCornerWhereverTheTaskBarIs) {
  struct Case {
    std::string name;
    platform::Rect area;
  };
  const std::vector<Case> cases = {
      {"task bar at the bottom", {0, 0, 1024, 738}},
      {"task bar at the top", {0, 30, 1024, 768}},
      {"task bar on the left", {60, 0, 1024, 768}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    const auto home = homeServer(bed, Pop3Mode::Normal, 1);
    auto& form = startChecking(bed);
    bed.sim.desktop.setWorkArea(c.area);
    form.timerMailTimer();
    ASSERT_TRUE(bed.notifyForm().visible());
    const auto size = bed.sim.desktop.windowSize(bed.notifyWindow);
    const auto at = bed.sim.desktop.windowPosition(bed.notifyWindow);
    EXPECT_EQ(at.x, c.area.right - size.width);
    EXPECT_EQ(at.y, c.area.bottom - size.height);
  }
}

// Double-clicks the identity row that the window on screen shows with this text, as the view
// maps the row under the mouse to the form's tree.
void doubleClickShown(AppBed& bed, const std::string& identity) {
  const auto& shown = bed.notifyView.shown;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i].text != identity) continue;
    bed.notifyForm().treeNotify.selected = ui::TreePath{i, std::nullopt, std::nullopt};
    bed.notifyForm().treeNotifyDblClick();
    return;
  }
  ADD_FAILURE() << "no row " << identity << " on screen";
}

TEST(MailCheck, TwoIdentitiesOfOneNameAreEachCheckedOnceAndADoubleClickStartsTheOneClicked) {
  AppBed bed;
  const auto account = [](const std::string& guid, const std::string& name,
                          const std::string& server) {
    return "[HKEY_CURRENT_USER\\Identities\\" + guid + "]\r\n\"Username\"=\"Sam\"\r\n[" +
           accountsOf(guid) + "00000001]\r\n\"Account Name\"=\"" + name +
           "\"\r\n\"POP3 Server\"=\"" + server + "\"\r\n\"POP3 User Name\"=\"sam\"\r\n";
  };
  bed.sim.registry.importReg(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Identities]\r\n\"Last Username\"=\"Sam\"\r\n"
      "\"Last User ID\"=\"" +
      std::string(kFirstSam) + "\"\r\n" + account(kFirstSam, "Home", "pop.first.example") +
      account(kSecondSam, "Work", "pop.second.example"));
  StandinPop3 first(bed.sim.sockets, "pop.first.example", ipv4(127, 0, 0, 2));
  StandinPop3 second(bed.sim.sockets, "pop.second.example", ipv4(127, 0, 0, 3));
  first.setMailbox("sam", "one", 2);
  second.setMailbox("sam", "two", 3);
  auto& form = bed.startWatching(settingsText(
      "", "checkNoIdentities=1\r\n",
      "[Email]\r\ncheckNoMail=0\r\ncheckVerifyAllId=1\r\neditMailWindowTime=0\r\nSam_Home_pass=" +
          storedPassword("one") + "\r\nSam_Work_pass=" + storedPassword("two") + "\r\n"));
  form.timerMailTimer();
  EXPECT_EQ(first.connections(), 1);
  EXPECT_EQ(second.connections(), 1);
  EXPECT_EQ(form.mailWatch.newMailTotal, 5);
  EXPECT_EQ(bed.sim.shell.icon()->tip, "5 message(s) non-lu(s) (Sam, Sam)");
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Sam", {"Home : 2"}}, {"Sam", {"Work : 3"}}}));

  // Outlook Express runs under the first Sam: the second one is another identity.
  bed.notifyForm().treeNotify.selected = ui::TreePath{1, std::nullopt, std::nullopt};
  bed.notifyForm().treeNotifyDblClick();
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().startAs, kSecondSam);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().lastUsername, "Sam");
}

// With a display time of 0 nothing else refreshes the window during a check.
TEST(MailCheck, ADoubleClickDuringACheckActsOnTheRowOnScreen) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 2);
  StandinPop3 work(bed.sim.sockets, "pop.work.example", ipv4(127, 0, 0, 3));
  const auto bob = bobServer(bed, 3);
  // Carol's server keeps the check waiting after Bob's account has been counted.
  StandinPop3 carol(bed.sim.sockets, "pop.carol.example", ipv4(127, 0, 0, 5), Pop3Mode::Silent);
  auto& form = startChecking(
      bed, "checkVerifyAllId=1\r\neditMailWindowTime=0\r\nCarol_Slow_pass=vdavfp\r\n");
  bed.sim.registry.importReg(
      "REGEDIT4\r\n[HKEY_CURRENT_USER\\Identities]\r\n\"Last Username\"=\"Bob\"\r\n"
      "[" +
      accountsOf("{E1D2C3B4-A5F6-4789-9ABC-DEF012345604}") +
      "00000001]\r\n\"Account Name\"=\"Slow\"\r\n"
      "\"POP3 Server\"=\"pop.carol.example\"\r\n\"POP3 User Name\"=\"carol\"\r\n");
  form.timerMailTimer();
  ASSERT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 2"}}, {"Bob", {"Bob mail : 3"}}}));
  ASSERT_TRUE(bed.notifyForm().visible());

  home->setMailbox("alice", "secret", 0);
  bool checking = false;
  bed.sim.loop.atTime(bed.sim.loop.nowMs() + 5000, [&] {
    checking = form.checkingMail();
    doubleClickShown(bed, "Alice");
  });
  form.timerMailTimer();
  EXPECT_TRUE(checking);
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().lastUsername, "Alice");
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().startAs, kAliceGuid);
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Bob", {"Bob mail : 3"}}}));
  EXPECT_EQ(bed.notifyView.shown.size(), 1u) << "the check's rows shown once it ended";
}

TEST(MailCheck, CountsNearTheLargestIntegerAddUpToItAndAreStillAnnounced) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 2147483000);
  const auto work = workServer(bed, Pop3Mode::Normal, 2147483001);
  auto& form = startChecking(bed);
  form.timerMailTimer();
  EXPECT_EQ(form.mailWatch.newMailTotal, 2147483647);
  EXPECT_EQ(bed.sim.shell.icon()->tip, "2147483647 message(s) non-lu(s) (Alice)");
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 2147483000", "Work : 2147483001"}}}))
      << "each account keeps its own count";
  EXPECT_EQ(bed.sim.shell.mailSounds, 1);
}

TEST(MailCheck, OnlyTheIdentityOutlookExpressRunsUnderWithoutSoundOrWindowWhenSwitchedOff) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 1);
  const auto work = workServer(bed, Pop3Mode::Normal, 0);
  const auto bob = bobServer(bed, 7);
  auto& form = startChecking(bed, "checkMailSound=0\r\ncheckMailWindow=0\r\n");

  bed.runFor(60000);
  EXPECT_EQ(form.mailWatch.newMailTotal, 1) << "the timer's own tick, Alice only";
  EXPECT_EQ(bob->connections(), 0);
  EXPECT_EQ(bed.sim.shell.icon()->tip, "1 message(s) non-lu(s) (Alice)");
  EXPECT_EQ(bed.sim.shell.mailSounds, 0);
  EXPECT_FALSE(bed.notifyForm().visible());
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 1"}}}));
}

TEST(MailCheck, AFailingAccountIsReportedOrSkippedAndTheCheckGoesOn) {
  // Alice's two accounts: Home as the case sets it up, Work with 2 messages.
  struct Case {
    std::string name;
    bool homeHostKnown;
    std::optional<Pop3Mode> homeMode;  // none: nothing listens
    int homeCount;
    Pop3Mode workMode;
    std::vector<std::string> boxes;
    int total;
    std::vector<Node> tree;
  };
  const std::vector<Case> cases = {
      {"unknown host", false, std::nullopt, 0, Pop3Mode::Normal,
       Texts{"Le serveur pop.home.example semble ne pas exister"}, 2,
       Tree{{"Alice", {"Work : 2"}}}},
      {"closed port", true, std::nullopt, 0, Pop3Mode::Normal,
       Texts{"Impossible de contacter le serveur pop.home.example"}, 2,
       Tree{{"Alice", {"Work : 2"}}}},
      {"silent server", true, Pop3Mode::Silent, 5, Pop3Mode::Normal, Texts{}, 2,
       Tree{{"Alice", {"Work : 2"}}}},
      // The component still holds Home's count when Work's STAT fails: it must not come twice.
      {"STAT refused", true, Pop3Mode::Normal, 3, Pop3Mode::StatFails, Texts{}, 3,
       Tree{{"Alice", {"Home : 3"}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    std::unique_ptr<StandinPop3> home;
    if (c.homeMode) {
      home = homeServer(bed, *c.homeMode, c.homeCount);
    } else if (c.homeHostKnown) {
      bed.sim.sockets.addHost("pop.home.example", ipv4(127, 0, 0, 2));
    }
    const auto work = workServer(bed, c.workMode, 2);
    auto& form = startChecking(bed);
    const auto start = bed.sim.loop.nowMs();
    form.timerMailTimer();
    EXPECT_LT(bed.sim.loop.nowMs() - start, 60000u) << "a stalled server ends within a minute";
    EXPECT_EQ(errorBoxes(bed), c.boxes);
    EXPECT_EQ(form.mailWatch.newMailTotal, c.total);
    EXPECT_EQ(tree(bed), c.tree);
    EXPECT_TRUE(form.timerMail.enabled());
  }
}

// Values of Alice's own Home account, added to the fixture's.
void setHomeValues(AppBed& bed, const std::string& values) {
  bed.sim.registry.importReg("REGEDIT4\r\n\r\n[" + accountsOf(kAliceGuid) + "00000001]\r\n" +
                             values);
}

TEST(MailCheck, ARefusedPasswordIsAskedForOnceAndTheAnswerStoredAndTried) {
  struct Case {
    std::string name;
    Pop3Mode mode;
    int answer;                        // to the question
    std::optional<std::string> typed;  // the new password, nothing for Cancel
    std::string stored;                // Home's password afterwards
    int total;
    int inputs;
    bool secure = false;  // Home over TLS
    int connections = 1;
    app::CheckOutcome outcome = app::CheckOutcome::PasswordRefused;  // on the e-mail tab
  };
  const std::vector<Case> cases = {
      {"yes, the right one", Pop3Mode::Normal, platform::IdYes, "new", "new", 4, 1, false, 1,
       app::CheckOutcome::Counted},
      {"yes, then cancel", Pop3Mode::Normal, platform::IdYes, std::nullopt, "", 0, 1},
      {"no", Pop3Mode::Normal, platform::IdNo, std::nullopt, "secret", 0, 0},
      {"server hangs up after refusing", Pop3Mode::HangUpAfterRefusal, platform::IdYes, "new",
       "new", 4, 1, false, 2, app::CheckOutcome::Counted},
      // Nothing typed goes nowhere: no server said a word about it.
      {"server hangs up, then cancel", Pop3Mode::HangUpAfterRefusal, platform::IdYes, std::nullopt,
       "", 0, 1},
      // The new password goes over a new TLS connection.
      {"secure server hangs up after refusing", Pop3Mode::HangUpAfterRefusal, platform::IdYes,
       "new", "new", 4, 1, true, 2, app::CheckOutcome::Counted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    auto home = homeServer(bed, c.mode, 4, c.secure ? Pop3Listener{995, true, ""} : Pop3Listener{});
    home->setMailbox("alice", "new", 4);
    const auto work = workServer(bed, Pop3Mode::Normal, 0);
    auto& form = startChecking(bed);
    if (c.secure) setHomeValues(bed, "\"POP3 Secure Connection\"=dword:00000001\r\n");
    bed.sim.dialogs.answerMessageBox(c.answer);
    bed.sim.dialogs.answerInput(c.typed);
    form.timerMailTimer();

    const auto boxes = bed.sim.dialogs.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << "one question per connection";
    EXPECT_EQ(boxes[0].text, wrongPasswordBox("pop.home.example"));
    EXPECT_EQ(boxes[0].owner, bed.sim.desktop.desktopWindow());
    EXPECT_EQ(boxes[0].flags, kQuestionFlags);
    const auto inputs = bed.sim.dialogs.shown().size() - boxes.size();
    EXPECT_EQ(static_cast<int>(inputs), c.inputs);
    if (inputs > 0) {
      const auto& input = bed.sim.dialogs.shown().back();
      EXPECT_EQ(input.text, "Donnez le nouveau mot de passe : ");
      EXPECT_TRUE(input.password);
    }
    EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home_pass"), c.stored);
    // A password typed after a refusal is Home's alone; one of an earlier version that was
    // refused stays as it was.
    EXPECT_EQ(
        app::storedPasswordFor(*form.iniFile, "Alice_Home_pass", {"pop.work.example", "alice"})
            .password,
        c.answer == platform::IdYes ? "" : c.stored);
    EXPECT_EQ(form.mailWatch.newMailTotal, c.total);
    const auto expected =
        c.total > 0 ? std::vector<Node>{{"Alice", {"Home : 4"}}} : std::vector<Node>{};
    EXPECT_EQ(tree(bed), expected);
    EXPECT_EQ(home->connections(), c.connections);
    EXPECT_EQ(home->handshakes(),
              std::vector<std::string>(c.secure ? c.connections : 0, "pop.home.example"));
    const auto& results = form.mailWatch.results;
    const auto result = std::find_if(results.begin(), results.end(), [](const auto& each) {
      return each.first.ends_with(
          std::string(kAliceGuid) +
          "\\Software\\Microsoft\\Internet Account Manager\\Accounts\\00000001");
    });
    ASSERT_NE(result, results.end());
    EXPECT_EQ(result->second.outcome, c.outcome);
  }
}

std::string secureFailedBox(const std::string& reason,
                            const std::string& host = "pop.home.example") {
  return "Impossible d'\xE9tablir une connexion s\xE9"
         "curis\xE9"
         "e avec le serveur " +
         host + ", le mot de passe n'a pas \xE9t\xE9 envoy\xE9 (" + reason + ")";
}

// The words of the boxes and the e-mail tab for a certificate from an authority nobody trusts.
const std::string kUntrustedText =
    "le certificat du serveur n'est pas d\xE9livr\xE9 par une autorit\xE9 reconnue par cet "
    "ordinateur";

TEST(MailCheck, EachAccountIsCheckedOnItsOwnPortAndOverTlsWhenItAsksForSsl) {
  struct Case {
    std::string name;
    std::string values;  // of Home
    Pop3Listener home;
    int total;  // Home 2 when counted, Work 3
    std::vector<std::string> boxes;
    bool homeHearsLogIn;
    int handshakes;
  };
  const std::string secure = "\"POP3 Secure Connection\"=dword:00000001\r\n";
  const Pop3Listener plain{110, false, ""};
  const Pop3Listener tls{995, true, ""};
  const std::vector<Case> cases = {
      {"no values: plain on 110", "", plain, 5, Texts{}, true, 0},
      {"secure without a port: TLS on 995", secure, tls, 5, Texts{}, true, 1},
      {"secure on its own port", secure + "\"POP3 Port\"=dword:000007cb\r\n",
       Pop3Listener{1995, true, ""}, 5, Texts{}, true, 1},
      {"plain on its own port",
       "\"POP3 Secure Connection\"=dword:00000000\r\n\"POP3 Port\"=dword:000007cb\r\n",
       Pop3Listener{1995, false, ""}, 5, Texts{}, true, 0},
      // An imported .reg file may hold the flag as 4 bytes of binary.
      {"secure as binary: TLS on 995", "\"POP3 Secure Connection\"=hex:01,00,00,00\r\n", tls, 5,
       Texts{}, true, 1},
      {"plain as binary: plain on 110", "\"POP3 Secure Connection\"=hex:00,00,00,00\r\n", plain, 5,
       Texts{}, true, 0},
      // Never plain text on doubt; a port that cannot be read is the usual one.
      {"unreadable values: secure on 995",
       "\"POP3 Secure Connection\"=\"0\"\r\n\"POP3 Port\"=\"110\"\r\n", tls, 5, Texts{}, true, 1},
      {"binary of another length: secure on 995", "\"POP3 Secure Connection\"=hex:00,00\r\n", tls,
       5, Texts{}, true, 1},
      {"no port number: the usual one", secure + "\"POP3 Port\"=dword:00000000\r\n", tls, 5,
       Texts{}, true, 1},
      {"beyond the last port: the usual one", secure + "\"POP3 Port\"=dword:00010000\r\n", tls, 5,
       Texts{}, true, 1},
      {"untrusted certificate", secure, Pop3Listener{995, true, platform::tls_reason::kUntrusted},
       3, Texts{secureFailedBox(kUntrustedText)}, false, 1},
      {"secure account, plain server", secure, Pop3Listener{995, false, ""}, 3,
       Texts{secureFailedBox("the server answered in plain text")}, false, 1},
      // Nothing is sent before the greeting, which never comes in plain text.
      {"plain account, implicit-TLS server", "\"POP3 Port\"=dword:000003e3\r\n", tls, 3, Texts{},
       false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    const auto home = homeServer(bed, Pop3Mode::Normal, 2, c.home);
    const auto work = workServer(bed, Pop3Mode::Normal, 3);
    auto& form = startChecking(bed);
    setHomeValues(bed, c.values);
    form.timerMailTimer();
    EXPECT_EQ(form.mailWatch.newMailTotal, c.total);
    EXPECT_EQ(errorBoxes(bed), c.boxes);
    EXPECT_EQ(home->connections(), 1);
    EXPECT_EQ(home->commands(), !c.homeHearsLogIn  ? std::vector<std::string>{}
                                : c.handshakes > 0 ? kHomeSecureLogIn
                                                   : kHomeLogIn);
    EXPECT_EQ(home->handshakes(),
              std::vector<std::string>(static_cast<std::size_t>(c.handshakes), "pop.home.example"));
    EXPECT_TRUE(work->handshakes().empty()) << "the plain account is checked as before";
    EXPECT_EQ(work->commands(),
              (std::vector<std::string>{"CAPA", "USER a.smith", "PASS w0rk", "STAT", "QUIT"}));
  }
}

// Alice's own "Home" and the shared "Home" she owns would share one password key.
TEST(MailCheck, AccountsOfOneNameEachSendTheirOwnPasswordAndARefusalStoresItUnderItsOwnKey) {
  AppBed bed;
  auto home = homeServer(bed, Pop3Mode::Normal, 1);
  StandinPop3 home2(bed.sim.sockets, "pop.home2.example", ipv4(127, 0, 0, 5));
  home2.setMailbox("alice2", "h0me2", 2);
  const auto work = workServer(bed, Pop3Mode::Normal, 0);
  auto& form = startChecking(bed, "Alice_Home-2_pass=" + storedPassword("stale") + "\r\n");
  bed.sim.registry.importReg("REGEDIT4\r\n[" + std::string(kSharedAccounts) +
                             "00000006]\r\n\"POP3 Skip Account\"=dword:00000000\r\n");
  bed.sim.dialogs.answerMessageBox(platform::IdYes);
  bed.sim.dialogs.answerInput("h0me2");
  form.timerMailTimer();
  EXPECT_EQ(home->commands(), kHomeLogIn);
  EXPECT_EQ(home2.commands(),
            (std::vector<std::string>{"CAPA", "USER alice2", "PASS stale", "USER alice2",
                                      "PASS h0me2", "STAT", "QUIT"}))
      << "never the other Home's password";
  EXPECT_EQ(form.mailWatch.newMailTotal, 3);
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-2_pass"), "h0me2");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home_pass"), "secret");
}

TEST(MailCheck, ATimerTickDuringACheckIsIgnored) {
  AppBed bed;
  const auto work = workServer(bed, Pop3Mode::Normal, 2);
  auto& form = startChecking(bed);
  // The unknown host's box stays open for two minutes; meanwhile the configuration is opened
  // and confirmed, which turns the timer on again.
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 120000);
  const auto now = bed.sim.loop.nowMs();
  bed.sim.loop.atTime(now + 1000, [&] { form.mnuTrayItemConfigClick(); });
  bed.sim.loop.atTime(now + 2000, [&] { form.bttnOKClick(); });
  form.timerMailTimer();
  EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
  EXPECT_EQ(work->connections(), 1);
  EXPECT_EQ(form.mailWatch.newMailTotal, 2);
  EXPECT_FALSE(form.checkingMail());
  EXPECT_TRUE(form.timerMail.enabled());
}

TEST(MailCheck, FromTheTrayMenuACheckRunsAtOnceNotTwiceAndTheTimersNextComesAnIntervalAfterIt) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 2);
  auto& form = startChecking(bed);  // Work's server is unknown: its box holds the check open
  auto& item = *form.tray.mnuTrayItemCheckMail;
  EXPECT_TRUE(item.visible);
  EXPECT_EQ(item.caption, "Relever le courrier");
  const auto& items = form.tray.mnuTray.items;
  ASSERT_GE(items.size(), 6u);
  EXPECT_EQ(items[items.size() - 4]->isSeparator(), true) << "below the programs";
  EXPECT_EQ(items[items.size() - 3].get(), &item);
  EXPECT_EQ(items[items.size() - 2].get(), form.tray.mnuTrayItemConfig);

  bed.runFor(40000);  // 20 s before the timer's first check
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 10000);
  const auto clicked = bed.sim.loop.nowMs();
  bool enabledDuringTheCheck = true;
  int connectionsAfterTheSecondClick = -1;
  bed.sim.loop.atTime(clicked + 1000, [&] { bed.postTray(platform::kWmRButtonUp); });
  bed.sim.loop.atTime(clicked + 2000, [&] {
    enabledDuringTheCheck = item.enabled;
    item.onClick(item);
    connectionsAfterTheSecondClick = home->connections();
  });
  item.onClick(item);
  const auto checked = bed.sim.loop.nowMs();
  EXPECT_GE(checked, clicked + 10000) << "the box was open";
  EXPECT_FALSE(enabledDuringTheCheck) << "greyed in the menu while a check runs";
  EXPECT_EQ(connectionsAfterTheSecondClick, 1) << "a click during a check starts none";
  EXPECT_EQ(home->connections(), 1);
  EXPECT_EQ(bed.trayPicture(), "new mail 2");
  EXPECT_TRUE(bed.notifyForm().visible());

  // The timer's event that was due 20 s after the click does not come; the next is one full
  // interval after the check.
  bed.runFor(59999);
  EXPECT_EQ(home->connections(), 1);
  bed.runFor(1);
  EXPECT_EQ(home->connections(), 2);

  bed.postTray(platform::kWmRButtonUp);
  bed.runFor(1);
  EXPECT_TRUE(item.enabled);

  // With mail checks switched off the item goes.
  form.mnuTrayItemConfigClick();
  form.tabMail.checkNoMail.checked = true;
  form.checkNoMailClick();
  form.bttnOKClick();
  EXPECT_FALSE(item.visible);
}

// A check the user asked for always answers, also with nothing new: the window with the counts or
// that no new message came, and the accounts that could not be read with why; without the window,
// a balloon from the icon says the same.
TEST(MailCheck, ACheckOnDemandAlwaysAnswersWithTheCountsOrNoNewMailAndTheAccountsNotRead) {
  const std::string notFound = " : serveur introuvable";
  struct Case {
    const char* name;
    std::string email;
    int home, work;   // messages on their servers; -1: no such server
    bool timedFirst;  // a timed check found the same just before, and its window was closed
    bool news;        // the total is new: sound, picture and tip as ever
    std::string caption;
    Tree tree;
    std::string balloon;  // the balloon's text, without the window
  };
  const Case cases[] = {
      {"nothing waits", "", 0, 0, false, false, "Aucun nouveau message", {}, ""},
      {"the same total as the timed check's", "", 2, 0, true, false, "Vous avez 2 message(s)",
       Tree{{"Alice", {"Home : 2"}}}, ""},
      {"every account failed", "", -1, -1, false, false, "Aucun nouveau message",
       Tree{{"Alice", {"Home" + notFound, "Work" + notFound}}}, ""},
      {"new mail beside an account not read", "", 3, -1, false, true, "Vous avez 3 message(s)",
       Tree{{"Alice", {"Home : 3", "Work" + notFound}}}, ""},
      {"without the window", "checkMailWindow=0\r\n", 2, -1, true, false, "Vous avez 2 message(s)",
       Tree{{"Alice", {"Home : 2", "Work" + notFound}}}, "Alice\n  Home : 2\n  Work" + notFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    const auto home = c.home >= 0 ? homeServer(bed, Pop3Mode::Normal, c.home) : nullptr;
    const auto work = c.work >= 0 ? workServer(bed, Pop3Mode::Normal, c.work) : nullptr;
    auto& form = startChecking(bed, c.email);
    if (c.timedFirst) {
      form.timerMailTimer();
      bed.notifyForm().FormCloseQuery();
    }
    const int sounds = bed.sim.shell.mailSounds;
    const int shows = windowShows(bed);
    form.mnuTrayItemCheckMailClick();
    EXPECT_EQ(bed.sim.shell.mailSounds, sounds + (c.news ? 1 : 0));
    EXPECT_EQ(tree(bed), c.tree);
    if (c.balloon.empty()) {
      EXPECT_EQ(windowShows(bed), shows + 1);
      EXPECT_EQ(bed.notifyForm().caption, c.caption);
      EXPECT_TRUE(bed.sim.shell.balloons.empty());
    } else {
      EXPECT_EQ(windowShows(bed), shows);
      EXPECT_EQ(bed.sim.shell.balloons,
                (std::vector<platform::NotifyBalloon>{{c.caption, c.balloon}}));
    }
    // A timed check that finds the same answers nothing.
    form.timerMailTimer();
    EXPECT_EQ(windowShows(bed), shows + (c.balloon.empty() ? 1 : 0));
    EXPECT_LE(bed.sim.shell.balloons.size(), 1u);
  }
}

TEST(MailCheck, OutlookExpressComingToTheFrontDuringACheckLeavesTheCountWholeAndAnnouncedAgain) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 2);
  const auto bob = bobServer(bed, 3);
  auto& form = startChecking(bed, "checkVerifyAllId=1\r\n");
  bed.sim.dialogs.answerMessageBox(platform::IdOk);  // Alice's Work: unknown host
  form.timerMailTimer();
  ASSERT_EQ(form.mailWatch.newMailTotal, 5);
  ASSERT_EQ(bed.sim.shell.mailSounds, 1);

  // Between Alice's accounts and Bob's, while the box is open, the watcher finds Outlook
  // Express in front.
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 2000);
  bed.sim.desktop.setForegroundWindow(form.oeWatch.oeWindow);
  form.timerMailTimer();
  EXPECT_EQ(form.mailWatch.newMailTotal, 5);
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 2"}}, {"Bob", {"Bob mail : 3"}}}));
  EXPECT_EQ(bed.sim.shell.mailSounds, 2) << "the user has not seen this check's mail yet";
}

TEST(MailCheck, TheTimerStaysOffAfterACheckDuringWhichTheConfigurationOpenedOrMailWasSwitchedOff) {
  struct Case {
    std::string name;
    bool confirm;
    bool noMail;
    bool timerAfter;
  };
  const std::vector<Case> cases = {
      {"configuration still open", false, false, false},
      {"confirmed with mail checking off", true, true, false},
      {"confirmed with mail checking on", true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    auto& form = startChecking(bed);
    bed.sim.dialogs.answerMessageBox(platform::IdOk, 10000);  // Home's unknown host
    const auto now = bed.sim.loop.nowMs();
    bed.sim.loop.atTime(now + 1000, [&] { form.mnuTrayItemConfigClick(); });
    if (c.confirm) {
      bed.sim.loop.atTime(now + 2000, [&] {
        form.tabMail.checkNoMail.checked = c.noMail;
        form.checkNoMailClick();
        form.bttnOKClick();
      });
    }
    form.timerMailTimer();
    EXPECT_EQ(form.timerMail.enabled(), c.timerAfter);
  }
}

TEST(MailCheck, QuittingDuringACheckTriesNoFurtherAccountAndShowsNoBox) {
  AppBed bed;
  auto home = homeServer(bed, Pop3Mode::Silent, 1);
  bed.sim.sockets.addHost("pop.work.example", ipv4(127, 0, 0, 3));  // nothing listens
  auto& form = startChecking(bed);
  const auto connections = bed.sim.sockets.connectionsMade();
  bed.sim.loop.atTime(bed.sim.loop.nowMs() + 5000, [&] { form.terminate(); });
  form.timerMailTimer();
  EXPECT_EQ(bed.sim.sockets.connectionsMade(), connections + 1);
  EXPECT_TRUE(bed.sim.dialogs.shown().empty());
  EXPECT_EQ(bed.sim.shell.mailSounds, 0);
}

// An IMAP account of Alice's own area, user "alice", under `key` with further values.
void addImapAccount(AppBed& bed, const std::string& key, const std::string& name,
                    const std::string& server, const std::string& values = "") {
  bed.sim.registry.importReg("REGEDIT4\r\n\r\n[" + accountsOf(kAliceGuid) + key +
                             "]\r\n\"Account Name\"=\"" + name + "\"\r\n\"IMAP Server\"=\"" +
                             server + "\"\r\n\"IMAP User Name\"=\"alice\"\r\n" + values);
}

// Alice's Home (2 messages) and the shared Work (1), with her IMAP account Cloud (4 unread) on
// imap.cloud.example, whose password is stored: the bed of the Cloud tables.
struct CloudBed {
  CloudBed(const ImapListener& listener, const std::string& values, const std::string& email)
      : home(homeServer(bed, Pop3Mode::Normal, 2)),
        work(workServer(bed, Pop3Mode::Normal, 1)),
        cloud(bed.sim.sockets, "imap.cloud.example", ipv4(127, 0, 0, 6), listener),
        form((cloud.setMailbox("alice", "c1oud", 4),
              startChecking(bed, "Alice_Cloud_pass=" + storedPassword("c1oud") + "\r\n" + email))) {
    addImapAccount(bed, "00000005", "Cloud", "imap.cloud.example", values);
  }

  AppBed bed;
  std::unique_ptr<StandinPop3> home;
  std::unique_ptr<StandinPop3> work;
  StandinImap cloud;
  app::TMainForm& form;
};

// Alice's own POP3 Home (2 messages), her own IMAP Cloud (4 unread) and the shared POP3 Work (1),
// in that registry order.
TEST(MailCheck, ImapAccountsCountTheirUnreadMailBesidePop3OnesPlainStartTlsOrSsl) {
  const std::vector<std::string> logIn = {"LOGIN \"alice\" \"c1oud\"", "STATUS \"INBOX\" (UNSEEN)",
                                          "LOGOUT"};
  const std::vector<std::string> secured = {"STARTTLS", "CAPABILITY", logIn[0], logIn[1], logIn[2]};
  const std::vector<Node> counted = {{"Alice", {"Home : 2", "Cloud : 4", "Work : 1"}}};
  const std::vector<Node> left = {{"Alice", {"Home : 2", "Work : 1"}}};
  struct Case {
    std::string name;
    std::string values;  // of Cloud
    std::string email;   // more of the settings file
    ImapListener cloud;
    std::vector<std::string> commands;
    int handshakes;
    std::vector<std::string> boxes;
    std::vector<Node> tree;
  };
  const std::vector<Case> cases = {
      {"no values: plain on 143", "", "", {}, logIn, 0, {}, counted},
      {"STARTTLS offered: secured before the login", "", "",
       ImapListener{.port = 143, .startTls = true}, secured, 1, Texts{}, counted},
      {"SSL without a port: TLS on 993", "\"IMAP Secure Connection\"=dword:00000001\r\n", "",
       ImapListener{.port = 993, .implicitTls = true}, logIn, 1, Texts{}, counted},
      {"SSL on its own port",
       "\"IMAP Secure Connection\"=dword:00000001\r\n\"IMAP Port\"=dword:000007c9\r\n", "",
       ImapListener{1993, true}, logIn, 1, Texts{}, counted},
      {"unreadable secure flag: TLS on 993", "\"IMAP Secure Connection\"=\"0\"\r\n", "",
       ImapListener{.port = 993, .implicitTls = true}, logIn, 1, Texts{}, counted},
      {"the POP3 values are not the IMAP account's",
       "\"POP3 Secure Connection\"=dword:00000001\r\n\"POP3 Port\"=dword:000003e3\r\n", "",
       ImapListener{}, logIn, 0, Texts{}, counted},
      {"LOGINDISABLED and STARTTLS: the login once secured", "", "",
       ImapListener{.port = 143, .startTls = true, .loginDisabled = true}, secured, 1, Texts{},
       counted},
      {"untrusted certificate after STARTTLS", "", "",
       ImapListener{.port = 143, .startTls = true, .tlsRefusal = platform::tls_reason::kUntrusted},
       Texts{"STARTTLS"}, 1, Texts{secureFailedBox(kUntrustedText, "imap.cloud.example")}, left},
      {"LOGINDISABLED without STARTTLS: no password sent", "", "",
       ImapListener{.port = 143, .loginDisabled = true}, Texts{"LOGOUT"}, 0,
       Texts{secureFailedBox("le serveur n'accepte les mots de passe que sur une connexion "
                             "s\xE9"
                             "curis\xE9"
                             "e, et n'en propose aucune",
                             "imap.cloud.example")},
       left},
      {"unticked in the settings file", "", "Alice_Cloud_imap=0\r\n", {}, {}, 0, {}, left},
      {"a tick that is no number stays ticked", "", "Alice_Cloud_imap=no\r\n", ImapListener{},
       logIn, 0, Texts{}, counted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CloudBed cloudBed(c.cloud, c.values, c.email);
    auto& [bed, home, work, cloud, form] = cloudBed;
    form.timerMailTimer();
    EXPECT_EQ(errorBoxes(bed), c.boxes);
    EXPECT_EQ(cloud.commands(), c.commands);
    EXPECT_EQ(cloud.handshakes(), std::vector<std::string>(static_cast<std::size_t>(c.handshakes),
                                                           "imap.cloud.example"));
    EXPECT_EQ(tree(bed), c.tree) << "one node, the accounts in registry order";
    EXPECT_EQ(bed.sim.shell.icon()->tip, c.tree == counted ? "7 message(s) non-lu(s) (Alice)"
                                                           : "3 message(s) non-lu(s) (Alice)");
    EXPECT_EQ(home->commands(), kHomeLogIn);
  }
}

// Her own POP3 "Home" and the shared POP3 "Home" keep the keys they had before an IMAP "Home"
// came; the IMAP one has a key of its own.
TEST(MailCheck, ARefusedImapPasswordIsAskedForAndStoredUnderTheImapAccountsKey) {
  AppBed bed;
  const auto home = homeServer(bed, Pop3Mode::Normal, 2);
  const auto work = workServer(bed, Pop3Mode::Normal, 1);
  StandinImap imapHome(bed.sim.sockets, "imap.home.example", ipv4(127, 0, 0, 6));
  imapHome.setMailbox("alice", "new", 4);
  auto& form = startChecking(bed, "Alice_Home-3_pass=" + storedPassword("stale") + "\r\n");
  addImapAccount(bed, "00000007", "Home", "imap.home.example");
  bed.sim.dialogs.answerMessageBox(platform::IdYes);
  bed.sim.dialogs.answerInput("new");
  form.timerMailTimer();

  const auto boxes = bed.sim.dialogs.messageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, wrongPasswordBox("imap.home.example"));
  EXPECT_EQ(boxes[0].flags, kQuestionFlags);
  EXPECT_TRUE(bed.sim.dialogs.shown().back().password);
  EXPECT_EQ(imapHome.commands(),
            (std::vector<std::string>{"LOGIN \"alice\" \"stale\"", "LOGIN \"alice\" \"new\"",
                                      "STATUS \"INBOX\" (UNSEEN)", "LOGOUT"}));
  EXPECT_EQ(imapHome.connections(), 1) << "the new password goes over the same connection";
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home-3_pass"), "new");
  EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Home_pass"), "secret");
  EXPECT_EQ(home->commands(), kHomeLogIn);
  EXPECT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 2", "Home : 4", "Work : 1"}}}));
}

// Alice's first "Cloud", an IMAP account, keeps its password under the key of that name. A second
// "Cloud" added later takes that key, the first moving to a numbered one: neither server ever
// hears the other's password, and each account is left out until its password is typed again
// when its identity's accounts are listed.
TEST(MailCheck, AnAccountThatTakesTheKeyOfAnotherNeverSendsThatPasswordAndBothAreAskedAgain) {
  const std::string own = accountsOf(kAliceGuid);
  const std::string shared = kSharedAccounts;
  struct Case {
    std::string name;
    std::string first;     // the first Cloud's registry key
    std::string newcomer;  // the second Cloud's
    bool newcomerPop3;
    std::vector<std::string> typed;  // when listed, in list order
  };
  const std::vector<Case> cases = {
      {"a POP3 account of the same name", own + "00000001", own + "00000002", true,
       Texts{"c1oud", "n3w"}},
      {"an own-area IMAP account named like a shared one", shared + "00000001", own + "00000001",
       false, Texts{"n3w", "c1oud"}},
  };
  const auto account = [](const std::string& key, const std::string& kind,
                          const std::string& server) {
    return "REGEDIT4\r\n[" + key + "]\r\n\"Account Name\"=\"Cloud\"\r\n\"" + kind + " Server\"=\"" +
           server + "\"\r\n\"" + kind + " User Name\"=\"alice\"\r\n";
  };
  const auto imapLogIn = [](const std::string& password) {
    return Texts{"LOGIN \"alice\" \"" + password + "\"", "STATUS \"INBOX\" (UNSEEN)", "LOGOUT"};
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    bed.sim.registry.importReg(
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\Identities]\r\n\"Last Username\"=\"Alice\"\r\n"
        "[HKEY_CURRENT_USER\\Identities\\" +
        std::string(kAliceGuid) +
        "]\r\n\"Username\"=\"Alice\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Account Manager\\Accounts]\r\n"
        "\"AssociatedID\"=hex:42,9b,3e,7c,2f,1d,6b,4a,8e,5c,3f,4a,5b,6c,7d,02\r\n");
    bed.sim.registry.importReg(account(c.first, "IMAP", "imap.cloud.example"));
    StandinImap first(bed.sim.sockets, "imap.cloud.example", ipv4(127, 0, 0, 6));
    first.setMailbox("alice", "c1oud", 4);
    // The second account's server, of its kind.
    std::unique_ptr<StandinPop3> pop3;
    std::unique_ptr<StandinImap> imap;
    if (c.newcomerPop3) {
      pop3 =
          std::make_unique<StandinPop3>(bed.sim.sockets, "pop.cloud.example", ipv4(127, 0, 0, 7));
      pop3->setMailbox("alice", "n3w", 2);
    } else {
      imap = std::make_unique<StandinImap>(bed.sim.sockets, "imap.new.example", ipv4(127, 0, 0, 7));
      imap->setMailbox("alice", "n3w", 2);
    }
    const auto newcomerHeard = [&] { return pop3 ? pop3->commands() : imap->commands(); };
    // Stored by an earlier version, which kept no owner beside it.
    auto& form = bed.startWatching(
        settingsText("", "checkNoIdentities=1\r\n",
                     "[Email]\r\ncheckNoMail=0\r\n" + (kNoMessageLines + std::string(kNoPush)) +
                         "Alice_Cloud_pass=" + storedPassword("c1oud") + "\r\n"));
    bed.openOtherWindow();
    form.timerMailTimer();
    ASSERT_EQ(first.commands(), imapLogIn("c1oud"));

    bed.sim.registry.importReg(c.newcomerPop3 ? account(c.newcomer, "POP3", "pop.cloud.example")
                                              : account(c.newcomer, "IMAP", "imap.new.example"));
    form.timerMailTimer();
    EXPECT_EQ(first.commands(), imapLogIn("c1oud")) << "its password is under another key now";
    EXPECT_EQ(newcomerHeard(), Texts{}) << "the key holds another account's password";
    EXPECT_TRUE(bed.sim.dialogs.shown().empty()) << "both left out in silence";

    for (const auto& password : c.typed) bed.sim.dialogs.answerInput(password);
    form.tabMail.comboIdentities.selected = 0;
    form.comboIdentitiesChange();
    EXPECT_EQ(bed.sim.dialogs.shown().size(), 2u) << "both passwords asked";
    for (const auto* key : {"Alice_Cloud_pass", "Alice_Cloud-2_pass"}) {
      EXPECT_EQ(app::storedPasswordFor(*form.iniFile, key, {"pop.other.example", "alice"}).password,
                "")
          << key << ": a typed password is its account's alone";
    }
    form.timerMailTimer();
    auto firstHeard = imapLogIn("c1oud");
    const auto again = imapLogIn("c1oud");
    firstHeard.insert(firstHeard.end(), again.begin(), again.end());
    EXPECT_EQ(first.commands(), firstHeard);
    const auto newcomerLogIn =
        c.newcomerPop3 ? Texts{"CAPA", "USER alice", "PASS n3w", "STAT", "QUIT"} : imapLogIn("n3w");
    EXPECT_EQ(newcomerHeard(), newcomerLogIn);
    EXPECT_EQ(form.mailWatch.newMailTotal, 6);
  }
}

// Three checks of Cloud, the configuration confirmed before the third: a refused secure connection
// is told once until then, the server's alert once in the run (the password question, answered
// No, following it at each check when it came with the refused login), and a failure of the
// server's own never as the password question. Cloud is never counted and keeps its stored
// password.
TEST(MailCheck, RefusedSecureConnectionsAndServerAlertsAreToldOnceAndServerFailuresAskNothing) {
  const std::string refused = secureFailedBox(kUntrustedText, "imap.cloud.example");
  const std::string alert =
      "Le serveur imap.cloud.example du compte Cloud signale : Application-specific password "
      "required";
  // A server's own bytes: a line of their own, read in UTF-8, with nothing that cuts, breaks or
  // reorders the text.
  const std::string cleanAlert =
      "Le serveur imap.cloud.example du compte Cloud signale : Mot de passe d'application "
      "exig\u00E9 fin [1m!";
  const std::string question = wrongPasswordBox("imap.cloud.example");
  const std::vector<std::string> logIn = {"LOGIN \"alice\" \"c1oud\"", "LOGOUT"};
  struct Case {
    std::string name;
    std::string values;  // of Cloud
    ImapListener cloud;
    std::vector<std::vector<std::string>> boxes;  // of each check
    std::vector<std::string> commands;            // Cloud hears at each check
  };
  const std::vector<Case> cases = {
      {"certificate refused after STARTTLS",
       "",
       {.port = 143, .startTls = true, .tlsRefusal = platform::tls_reason::kUntrusted},
       {{refused}, {}, {refused}},
       {"STARTTLS"}},
      {"certificate refused on an SSL account",
       "\"IMAP Secure Connection\"=dword:00000001\r\n",
       {.port = 993, .implicitTls = true, .tlsRefusal = platform::tls_reason::kUntrusted},
       {{refused}, {}, {refused}},
       {}},
      {"the server's alert",
       "",
       {.loginAnswer = "NO [ALERT] Application-specific password required"},
       {{alert, question}, {question}, {question}},
       logIn},
      {"the server's alert in bytes of its own",
       "",
       {.loginAnswer = std::string("NO [ALERT] Mot de passe d'application exig\xC3\xA9\0 "
                                   "fin\r\x1B[1m\xE2\x80\xAE!",
                                   58)},
       {{cleanAlert, question}, {question}, {question}},
       logIn},
      {"the server's password store down",
       "",
       {.loginAnswer = "NO [UNAVAILABLE] Temporary authentication failure."},
       {{}, {}, {}},
       logIn},
      {"a refused password, answered No",
       "",
       {.loginAnswer = "NO [AUTHENTICATIONFAILED] Invalid credentials"},
       {{question}, {question}, {question}},
       logIn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CloudBed cloudBed(c.cloud, c.values, "");
    auto& [bed, home, work, cloud, form] = cloudBed;
    for (std::size_t check = 0; check < c.boxes.size(); ++check) {
      SCOPED_TRACE("check " + std::to_string(check + 1));
      if (check == 2) {
        form.mnuTrayItemConfigClick();
        form.bttnOKClick();
      }
      const auto boxesBefore = bed.sim.dialogs.messageBoxes().size();
      const auto commandsBefore = cloud.commands().size();
      // No to each box: the question's answer, taken by any other box as its OK.
      for (std::size_t box = 0; box < c.boxes[check].size(); ++box) {
        bed.sim.dialogs.answerMessageBox(platform::IdNo);
      }
      form.timerMailTimer();
      const auto boxes = bed.sim.dialogs.messageBoxes();
      std::vector<std::string> shown;
      for (auto box = boxes.begin() + static_cast<std::ptrdiff_t>(boxesBefore); box != boxes.end();
           ++box) {
        shown.push_back(box->text);
        EXPECT_EQ(box->flags, box->text == question ? kQuestionFlags : kBoxFlags);
        EXPECT_EQ(box->serverWords, box->text.find(" signale : ") != std::string::npos);
      }
      EXPECT_EQ(shown, c.boxes[check]);
      EXPECT_EQ(std::vector<std::string>(
                    cloud.commands().begin() + static_cast<std::ptrdiff_t>(commandsBefore),
                    cloud.commands().end()),
                c.commands);
      EXPECT_EQ(tree(bed), (std::vector<Node>{{"Alice", {"Home : 2", "Work : 1"}}}));
    }
    EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Cloud_pass"), "c1oud");
  }
}

// The e-mail tab's line under the accounts, in French.
std::string checkedAt(const std::string& reason) {
  return "Relev\xE9 \xE0 14:05 : " + reason;
}

std::string securedAt(const std::string& engine, const std::string& reason) {
  return "Relev\xE9 \xE0 14:05 en TLS (" + engine + ") : " + reason;
}

std::string secureRefused(const std::string& reason) {
  return checkedAt(
      "connexion s\xE9"
      "curis\xE9"
      "e refus\xE9"
      "e : " +
      reason);
}

const std::string kNotChecked = "Pas encore relev\xE9";

// Alice's accounts listed on the open configuration window, then checked with the window open at
// 14:05: the line under the list tells of the first account (Home, or Cloud when there is one)
// as soon as the check has ended, in the same words for a refused secure connection as its box.
TEST(MailCheck, TheEmailTabSaysWhenTheSelectedAccountWasLastCheckedAndWhatCameOfIt) {
  struct Case {
    std::string name;
    std::string line;
    std::vector<std::string> boxes = {};
    std::string values = "";  // more of Home's registry values
    bool homeHostKnown = true;
    std::optional<Pop3Mode> homeMode = Pop3Mode::Normal;  // none: nothing listens
    Pop3Listener home = {};
    int homeCount = 3;
    std::string homePassword = "secret";  // the one its server takes
    bool passwordStored = true;
    std::optional<ImapListener> cloud = std::nullopt;  // an IMAP "Cloud", listed first
    platform::TlsEngine engine = platform::TlsEngine::System;
    bool quotesServer = false;  // the line is UTF-8; `line` is given in Windows-1252 all the same
  };
  const std::string secure = "\"POP3 Secure Connection\"=dword:00000001\r\n";
  const Pop3Listener tls{995, true, ""};
  const auto refusing = [](const char* reason) { return Pop3Listener{995, true, reason}; };
  const auto refusedCase = [&](const char* name, const char* reason, const std::string& text) {
    return Case{.name = name,
                .line = secureRefused(text),
                .boxes = {secureFailedBox(text)},
                .values = secure,
                .home = refusing(reason)};
  };
  const std::vector<Case> cases = {
      {.name = "counted", .line = checkedAt("3 message(s)")},
      {.name = "nothing waiting", .line = checkedAt("0 message(s)"), .homeCount = 0},
      {.name = "no password stored",
       .line = checkedAt("aucun mot de passe enregistr\xE9"),
       .passwordStored = false},
      {.name = "no user name",
       .line = checkedAt("aucun nom d'utilisateur dans le compte"),
       .values = "\"POP3 User Name\"=\"\"\r\n"},
      {.name = "password refused",
       .line = checkedAt("mot de passe refus\xE9 par le serveur"),
       .boxes = {wrongPasswordBox("pop.home.example")},
       .homePassword = "other"},
      {.name = "temporary failure of the server",
       .line = checkedAt("\xE9"
                         "chec temporaire du serveur : Temporary authentication failure."),
       .cloud = ImapListener{.loginAnswer = "NO [UNAVAILABLE] Temporary authentication failure."},
       .quotesServer = true},
      {.name = "the server's words in bytes of its own",
       .line = checkedAt("\xE9"
                         "chec temporaire du serveur : Wartung l\xE4uft [1m txt"),
       .cloud = ImapListener{.loginAnswer = "NO [UNAVAILABLE] Wartung l\xC3\xA4uft\r\x1B[1m "
                                            "\xE2\x80\xAEtxt\xC2\x9B"},
       .quotesServer = true},
      {.name = "server not found",
       .line = checkedAt("serveur introuvable"),
       .boxes = {"Le serveur pop.home.example semble ne pas exister"},
       .homeHostKnown = false,
       .homeMode = std::nullopt},
      {.name = "no connection",
       .line = checkedAt("connexion au serveur impossible"),
       .boxes = {"Impossible de contacter le serveur pop.home.example"},
       .homeMode = std::nullopt},
      {.name = "no answer in time",
       .line = checkedAt("pas de r\xE9ponse du serveur \xE0 temps"),
       .homeMode = Pop3Mode::Silent},
      {.name = "connection broken off",
       .line = checkedAt("connexion interrompue"),
       .homeMode = Pop3Mode::HangsUp},
      {.name = "another answer than the count",
       .line = checkedAt("le serveur a r\xE9pondu : -ERR mailbox locked"),
       .homeMode = Pop3Mode::StatFails,
       .quotesServer = true},
      refusedCase("certificate of no trusted authority", platform::tls_reason::kUntrusted,
                  kUntrustedText),
      refusedCase("certificate for another name", platform::tls_reason::kOtherName,
                  "le certificat du serveur est \xE9tabli pour un autre nom de serveur"),
      refusedCase("certificate out of date", platform::tls_reason::kExpired,
                  "le certificat du serveur a expir\xE9 ou n'est pas encore valable"),
      refusedCase("no TLS 1.2", platform::tls_reason::kNoTls12,
                  "cet ordinateur ne sait pas \xE9tablir de connexion TLS 1.2"),
      refusedCase("nothing in common", platform::tls_reason::kNothingInCommon,
                  "le serveur et cet ordinateur n'ont aucune version de TLS ni suite de "
                  "chiffrement en commun"),
      // A reason of no known kind keeps its own words.
      {.name = "a plain server where TLS was asked for",
       .line = secureRefused("the server answered in plain text"),
       .boxes = {secureFailedBox("the server answered in plain text")},
       .values = secure,
       .home = Pop3Listener{995, false, ""}},
      {.name = "secured by SChannel",
       .line = securedAt("SChannel", "3 message(s)"),
       .values = secure,
       .home = tls},
      {.name = "secured by the built-in engine",
       .line = securedAt("TLS int\xE9gr\xE9", "3 message(s)"),
       .values = secure,
       .home = tls,
       .engine = platform::TlsEngine::BuiltIn},
      {.name = "refused password over TLS",
       .line = securedAt("SChannel", "mot de passe refus\xE9 par le serveur"),
       .boxes = {wrongPasswordBox("pop.home.example")},
       .values = secure,
       .home = tls,
       .homePassword = "other"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    std::unique_ptr<StandinPop3> home;
    if (c.homeMode) {
      home = homeServer(bed, *c.homeMode, c.homeCount, c.home);
      home->setMailbox("alice", c.homePassword, c.homeCount);
    } else if (c.homeHostKnown) {
      bed.sim.sockets.addHost("pop.home.example", ipv4(127, 0, 0, 2));
    }
    const auto work = workServer(bed, Pop3Mode::Normal, 1);
    std::unique_ptr<StandinImap> cloud;
    auto& form = startChecking(
        bed, c.cloud ? "Alice_Cloud_pass=" + storedPassword("c1oud") + "\r\n" : std::string());
    setHomeValues(bed, c.values);
    if (c.cloud) {
      cloud = std::make_unique<StandinImap>(bed.sim.sockets, "imap.cloud.example",
                                            ipv4(127, 0, 0, 6), *c.cloud);
      cloud->setMailbox("alice", "c1oud", 4);
      addImapAccount(bed, "00000005", "Cloud", "imap.cloud.example");
    }
    if (!c.passwordStored) {
      app::writePassword(*form.iniFile, "Alice_Home_pass", "", {"pop.home.example", "alice"});
    }
    bed.sim.sockets.secureWith(c.engine);
    form.mnuTrayItemConfigClick();
    form.tabMail.comboIdentities.selected = 0;
    form.comboIdentitiesChange();
    ASSERT_EQ(form.tabMail.listAccounts.selected(), std::optional<std::size_t>(0));
    EXPECT_EQ(form.tabMail.listAccounts.at(0).caption, c.cloud ? "Cloud" : "Home");
    EXPECT_EQ(form.tabMail.lblAccountResult.caption, kNotChecked);

    const auto boxesBefore = bed.sim.dialogs.messageBoxes().size();
    const auto refreshes = bed.view.refreshes;
    bed.sim.loop.setLocalTime({14, 5});
    bed.sim.dialogs.answerMessageBox(platform::IdNo);
    form.timerMailTimer();
    EXPECT_EQ(form.tabMail.lblAccountResult.caption,
              c.quotesServer ? mailtext::windows1252ToUtf8(c.line) : c.line);
    EXPECT_EQ(form.tabMail.lblAccountResult.utf8, c.quotesServer);
    EXPECT_GT(bed.view.refreshes, refreshes) << "the open window shows it without a click";
    std::vector<std::string> boxes;
    const auto shown = bed.sim.dialogs.messageBoxes();
    for (auto box = shown.begin() + static_cast<std::ptrdiff_t>(boxesBefore); box != shown.end();
         ++box) {
      boxes.push_back(box->text);
    }
    EXPECT_EQ(boxes, c.boxes);
  }
}

// Home counted at 14:05, then listed again: the line follows the selection, the tick and the
// language, and lasts as long as the run.
TEST(MailCheck, TheEmailTabsLineFollowsTheSelectionTheTickAndTheLanguage) {
  AppBed bed;
  std::filesystem::copy_file(VANTREL_SOURCE_DIR "/resources/lang.ini", bed.folder() / "lang.ini");
  const auto home = homeServer(bed, Pop3Mode::Normal, 3);
  const auto work = workServer(bed, Pop3Mode::Normal, 1);
  auto& form = startChecking(bed);
  bed.sim.loop.setLocalTime({14, 5});
  form.timerMailTimer();

  form.mnuTrayItemConfigClick();
  form.tabMail.comboIdentities.selected = 0;
  form.comboIdentitiesChange();
  const auto& list = form.tabMail.listAccounts;
  const auto& line = form.tabMail.lblAccountResult.caption;
  ASSERT_EQ(list.size(), 4u);  // Home, the shared Home, Old, Work
  EXPECT_EQ(line, checkedAt("3 message(s)")) << "the result of a check before the listing";
  const auto select = [&](std::optional<std::size_t> index) {
    form.tabMail.listAccounts.select(index);
    form.listAccountsSelectItem();
  };
  select(3);
  EXPECT_EQ(line, checkedAt("1 message(s)"));
  select(2);
  EXPECT_EQ(line,
            "Non relev\xE9 : le compte est d\xE9"
            "coch\xE9");
  select(std::nullopt);
  EXPECT_EQ(line, "");

  select(3);
  const_cast<ui::ListItem&>(list.at(3)).checked = false;
  form.listAccountsClick();
  EXPECT_EQ(line,
            "Non relev\xE9 : le compte est d\xE9"
            "coch\xE9")
      << "an unticked account is left out from now on";
  const_cast<ui::ListItem&>(list.at(3)).checked = true;
  form.listAccountsClick();
  EXPECT_EQ(line, checkedAt("1 message(s)"));

  auto& languages = form.tabLaunch.comboLang;
  const auto english = std::find_if(languages.items.begin(), languages.items.end(),
                                    [](const auto& item) { return item.caption == "English"; });
  ASSERT_NE(english, languages.items.end());
  languages.selected = static_cast<std::size_t>(english - languages.items.begin());
  form.comboLangChange();
  EXPECT_EQ(line, "Checked at 14:05: 1 message(s)");
}

// Why a password that has gone over TLS is not sent, in the box and on the e-mail tab.
const std::string kSecuredBefore =
    "le serveur n'en propose plus, et ce mot de passe, d\xE9j\xE0 pass\xE9 par une connexion s\xE9"
    "curis\xE9"
    "e, n'est plus jamais envoy\xE9 en clair";
const std::string kAskedForHome = "Entrez le mot de passe du compte Home";

// The texts of the dialogs shown since there were `from`.
Texts dialogsSince(const AppBed& bed, std::size_t from) {
  Texts texts;
  const auto& shown = bed.sim.dialogs.shown();
  for (auto at = shown.begin() + static_cast<std::ptrdiff_t>(from); at != shown.end(); ++at) {
    texts.push_back(at->text);
  }
  return texts;
}

// The e-mail tab's line for Alice's first account, Home.
std::string homeLine(app::TMainForm& form) {
  form.mnuTrayItemConfigClick();
  form.tabMail.comboIdentities.selected = 0;
  form.comboIdentitiesChange();
  return form.tabMail.lblAccountResult.caption;
}

// Home's password, stored by an earlier version, goes over TLS in a first run (taken by its server
// or not), which marks it in the settings file; the next run meets Home otherwise. Only a password
// typed anew, here for the account's new server, goes in clear text.
TEST(MailCheck, APasswordThatWentOverTlsNeverGoesInClearTextInALaterRunUntilANewOneIsTyped) {
  const Pop3Listener implicitTls{995, true, ""}, offering{110, false, "", true}, plain{};
  const std::string moved = "\"POP3 Server\"=\"pop.new.example\"\r\n";
  const std::string ssl = "\"POP3 Secure Connection\"=dword:00000001\r\n";
  const std::string unticked = "\"POP3 Secure Connection\"=dword:00000000\r\n";
  const Texts stopped = {"CAPA", "QUIT"};
  const Texts secured = {"CAPA", "STLS", "CAPA", "USER alice", "PASS secret", "STAT", "QUIT"};
  const Texts inClear = {"CAPA", "USER alice", "PASS secret", "STAT", "QUIT"};
  const Texts told = {secureFailedBox(kSecuredBefore)};
  const std::string refused = secureRefused(kSecuredBefore);
  const std::string countedSecure = securedAt("SChannel", "2 message(s)");
  struct Case {
    std::string name;
    Pop3Listener before;       // Home's server in the first run
    std::string valuesBefore;  // and Home's values then
    std::string takenBefore;   // the password that server takes
    Pop3Listener after;        // Home's server in the second run
    std::string valuesAfter;
    Texts heard;    // by that server
    Texts dialogs;  // of the second run
    std::string line;
  };
  const std::vector<Case> cases = {
      {"SSL unticked in Outlook Express", implicitTls, ssl, "secret", plain, unticked, stopped,
       told, refused},
      {"the offer stripped", offering, "", "secret", plain, "", stopped, told, refused},
      {"refused over TLS, then the offer stripped", offering, "", "other", plain, "", stopped, told,
       refused},
      {"the offer kept", offering, "", "secret", offering, "", secured, {}, countedSecure},
      {"a new password typed for the account's new server",
       offering,
       "",
       "secret",
       plain,
       moved,
       inClear,
       {kAskedForHome},
       checkedAt("2 message(s)")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    auto home = homeServer(bed, Pop3Mode::Normal, 2, c.before);
    home->setMailbox("alice", c.takenBefore, 2);
    const auto work = workServer(bed, Pop3Mode::Normal, 1);
    auto& first = startChecking(bed);
    setHomeValues(bed, c.valuesBefore);
    bed.sim.dialogs.answerMessageBox(platform::IdNo);
    first.timerMailTimer();
    ASSERT_TRUE(
        app::storedPasswordFor(*first.iniFile, "Alice_Home_pass", {"pop.home.example", "alice"})
            .overTlsOnly);

    const bool isMoved = c.valuesAfter == moved;
    const std::string server = isMoved ? "pop.new.example" : "pop.home.example";
    setHomeValues(bed, c.valuesAfter);
    StandinPop3 second(bed.sim.sockets, server, isMoved ? ipv4(127, 0, 0, 7) : ipv4(127, 0, 0, 2),
                       Pop3Mode::Normal, c.after);
    second.setMailbox("alice", "secret", 2);
    auto& again = bed.startAgain();
    const auto shown = bed.sim.dialogs.shown().size();
    bed.sim.dialogs.answerInput("secret");
    bed.sim.loop.setLocalTime({14, 5});
    again.timerMailTimer();
    EXPECT_EQ(second.commands(), c.heard);
    EXPECT_EQ(dialogsSince(bed, shown), c.dialogs);
    EXPECT_EQ(
        app::storedPasswordFor(*again.iniFile, "Alice_Home_pass", {server, "alice"}).overTlsOnly,
        !isMoved);
    EXPECT_EQ(homeLine(again), c.line);
  }
}

// Home's server edited in Outlook Express after its password was bound to the old one: the check
// says so and asks once in the run; what is typed is Home's on its new server.
TEST(MailCheck, AnAccountWhoseServerWasChangedSaysSoAndIsAskedForItsPasswordOnceARun) {
  const Texts logIn = {"CAPA", "USER alice", "PASS n3w", "STAT", "QUIT"};
  const std::string changed =
      checkedAt("le serveur du compte a chang\xE9 : entrez de nouveau le mot de passe");
  for (const std::optional<std::string>& typed :
       {std::optional<std::string>("n3w"), std::optional<std::string>()}) {
    SCOPED_TRACE(typed.value_or("cancelled"));
    AppBed bed;
    const auto home = homeServer(bed, Pop3Mode::Normal, 1);
    const auto work = workServer(bed, Pop3Mode::Normal, 1);
    StandinPop3 moved(bed.sim.sockets, "pop.new.example", ipv4(127, 0, 0, 7));
    moved.setMailbox("alice", "n3w", 2);
    auto& form = startChecking(bed);
    form.timerMailTimer();
    setHomeValues(bed, "\"POP3 Server\"=\"pop.new.example\"\r\n");
    bed.sim.dialogs.answerInput(typed);
    bed.sim.loop.setLocalTime({14, 5});
    const auto shown = bed.sim.dialogs.shown().size();
    form.timerMailTimer();
    form.timerMailTimer();
    EXPECT_EQ(dialogsSince(bed, shown), Texts{kAskedForHome});
    Texts twice = logIn;
    twice.insert(twice.end(), logIn.begin(), logIn.end());
    EXPECT_EQ(moved.commands(), typed ? twice : Texts{});
    EXPECT_EQ(home->commands(), kHomeLogIn);
    EXPECT_EQ(homeLine(form), typed ? checkedAt("2 message(s)") : changed);
  }
}

// Cloud's server refuses the login with an alert alone: the alert comes first, then the password
// question, where Cancel leaves the stored password as it was.
TEST(MailCheck, AnAlertOnARefusedLoginIsShownBeforeThePasswordQuestionThatCancelLeavesAsItWas) {
  for (const std::optional<std::string>& typed :
       {std::optional<std::string>("app-pw"), std::optional<std::string>()}) {
    SCOPED_TRACE(typed.value_or("cancelled"));
    CloudBed cloudBed({.loginAnswer = "NO [ALERT] Application-specific password required"}, "", "");
    auto& [bed, home, work, cloud, form] = cloudBed;
    bed.sim.dialogs.answerMessageBox(platform::IdOk);
    bed.sim.dialogs.answerMessageBox(platform::IdYes);
    bed.sim.dialogs.answerInput(typed);
    form.timerMailTimer();
    EXPECT_EQ(dialogsSince(bed, 0),
              (Texts{"Le serveur imap.cloud.example du compte Cloud signale : Application-specific "
                     "password required",
                     wrongPasswordBox("imap.cloud.example"), "Donnez le nouveau mot de passe : "}));
    EXPECT_EQ(app::readPassword(*form.iniFile, "Alice_Cloud_pass"), typed.value_or("c1oud"));
    EXPECT_EQ(cloud.commands().size(), typed ? 3u : 2u) << "the new password tried at once";
  }
}

// A mailbox the server opens without a login (PREAUTH) has had no password sent nor checked: one
// an earlier version stored stays unbound, for the first login that sends it.
TEST(MailCheck, APreauthenticatedMailboxBindsNoPassword) {
  CloudBed cloudBed({.preauth = "alice"}, "", "");
  auto& [bed, home, work, cloud, form] = cloudBed;
  form.timerMailTimer();
  EXPECT_EQ(cloud.commands(), (Texts{"STATUS \"INBOX\" (UNSEEN)", "LOGOUT"}));
  EXPECT_TRUE(
      app::storedPasswordFor(*form.iniFile, "Alice_Cloud_pass", {"imap.cloud.example", "alice"})
          .unbound);
}

}  // namespace
}  // namespace vantrel::testing
