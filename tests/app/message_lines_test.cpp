// Who wrote, and about what: the lines of the newest messages under each account in the
// notification window, read from stand-in POP3 and IMAP servers, and what the servers hear for
// them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app_bed.h"
#include "imap_standin.h"
#include "pop3_standin.h"

namespace vantrel::testing {
namespace {

using platform::standin::ipv4;
using Texts = std::vector<std::string>;

// Stored passwords: Alice's Home "secret" and Cloud "c1oud", Bob's "b0b".
constexpr char kPasswords[] = "Alice_Home_pass=vdavfp\r\nBob_Bob mail_pass=e/`\r\n";

const Texts kHomeLogIn = {"CAPA", "USER alice", "PASS secret", "STAT"};
// With message lines, the count comes with what tells the newest messages apart.
const Texts kCloudLogIn = {"LOGIN \"alice\" \"c1oud\"",
                           "STATUS \"INBOX\" (UNSEEN UIDNEXT UIDVALIDITY)"};
const Texts kCloudCountAlone = {"LOGIN \"alice\" \"c1oud\"", "STATUS \"INBOX\" (UNSEEN)"};
// Where the server offers ESEARCH, the count's search names the newest messages too.
const Texts kCloudSearched = {"LOGIN \"alice\" \"c1oud\"", "EXAMINE \"INBOX\"",
                              "UID SEARCH RETURN (COUNT ALL) UNSEEN"};
constexpr char kFetchedItems[] = " (UID BODY.PEEK[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)])";

// What a POP3 server hears for the unique-id of its newest message.
Texts uidl(int newest) {
  return {"UIDL " + std::to_string(newest)};
}

// What a POP3 server hears for the lines of its messages, newest first.
Texts pop3Lines(const std::vector<int>& numbers) {
  Texts heard;
  for (const int n : numbers) {
    heard.push_back("LIST " + std::to_string(n));
    heard.push_back("TOP " + std::to_string(n) + " 0");
  }
  return heard;
}

Texts imapLines(const std::string& uids) {
  return {"CAPABILITY", "EXAMINE \"INBOX\"", "UID SEARCH UNSEEN",
          "UID FETCH " + uids + kFetchedItems};
}

// What an IMAP server whose count searched hears for the lines.
Texts imapFetch(const std::string& uids) {
  return {"UID FETCH " + uids + kFetchedItems};
}

Texts joined(std::initializer_list<Texts> parts) {
  Texts all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A message line's sender stands between two left-to-right marks, the second just before the
// dash: the text as it reads, once that is checked.
std::string readLine(const std::string& text) {
  constexpr std::string_view kMark = "\u200E";
  constexpr std::string_view kMarkAndDash = "\u200E \u2013 ";
  if (!text.starts_with(kMark)) {
    EXPECT_EQ(text.find(" \u2013 "), std::string::npos) << "a sender without its marks: " << text;
    return text;
  }
  const auto second = text.find(kMarkAndDash, kMark.size());
  EXPECT_NE(second, std::string::npos) << text;
  if (second == std::string::npos) return text;
  return text.substr(kMark.size(), second - kMark.size()) + text.substr(second + kMark.size());
}

// The tree as the window shows it, a row per node: depth, picture, "U" for UTF-8 text or "A" for
// names as Windows gives them, then the text. An open window shows every row: its tree has no
// buttons.
Texts rows(AppBed& bed) {
  Texts shown;
  const bool open = bed.notifyForm().visible();
  const auto add = [&](auto&& self, const std::vector<ui::TreeNode>& nodes, int depth) -> void {
    for (const auto& node : nodes) {
      EXPECT_EQ(node.imageIndex, node.selectedIndex) << node.text;
      if (open) {
        EXPECT_EQ(node.expanded, !node.children.empty()) << node.text;
      }
      shown.push_back(std::to_string(depth) + " " + std::to_string(node.imageIndex) +
                      (node.utf8 ? " U " + readLine(node.text) : " A " + node.text));
      self(self, node.children, depth + 1);
    }
  };
  add(add, bed.notifyView.shown, 0);
  return shown;
}

// Alice's Home (POP3) and her Cloud (IMAP, added to the fixture's accounts), Bob's Bob mail.
struct Servers {
  explicit Servers(AppBed& bed, ImapListener cloudListener = {}, Pop3Listener homeListener = {})
      : home(bed.sim.sockets, "pop.home.example", ipv4(127, 0, 0, 2), Pop3Mode::Normal,
             homeListener),
        work(bed.sim.sockets, "pop.work.example", ipv4(127, 0, 0, 3)),
        bob(bed.sim.sockets, "pop.bob.example", ipv4(127, 0, 0, 4)),
        cloud(bed.sim.sockets, "imap.cloud.example", ipv4(127, 0, 0, 6), cloudListener) {
    work.setMailbox("a.smith", "w0rk", 0);
  }
  StandinPop3 home, work, bob;
  StandinImap cloud;
};

// Vantrel watching with these [Email] lines besides mail checks and the passwords.
app::TMainForm& startChecking(AppBed& bed, const std::string& email) {
  bed.importFixture("mail-accounts.reg");
  bed.sim.registry.importReg(
      "REGEDIT4\r\n[" + accountsOf(kAliceGuid) +
      "00000007]\r\n\"Account Name\"=\"Cloud\"\r\n\"IMAP Server\"=\"imap.cloud.example\"\r\n"
      "\"IMAP User Name\"=\"alice\"\r\n");
  auto& form = bed.startWatching(
      settingsText("", "checkNoIdentities=1\r\n",
                   "[Email]\r\ncheckNoMail=0\r\nAlice_Work_pass=z/po\r\nAlice_Cloud_pass=" +
                       storedPassword("c1oud") + "\r\n" + kNoPush + email + kPasswords));
  bed.openOtherWindow();
  return form;
}

TEST(MessageLines, EachAccountShowsItsNewestFiveDecodedThenHowManyMore) {
  AppBed bed;
  Servers servers(bed);
  servers.home.setMailbox(
      "alice", "secret", 7,
      {"From: =?utf-8?b?0JjQstCw0L0g0J/QtdGC0YDQvtCy?= <ivan@example.ru>\r\n"
       "Subject: =?utf-8?b?0J/RgNC40LLQtdGCLCDQvNC40YA=?=\r\n",
       "Subject: =?iso-8859-5?b?vuLn8eIg19Ag3NDg4g==?=\r\n"
       "From: =?iso-8859-5?b?wdXg09XZ?= <sergei@example.com>\r\n",
       // No subject; a name in the bytes of Windows-1252.
       "From: \"Ren\xE9"
       "e\" <renee@example.com>\r\nDate: Mon, 3 Mar 2025 10:00:00 +0100\r\n",
       "From: \xCE\x93\xCE\xB9\xCF\x8E\xCF\x81\xCE\xB3\xCE\xBF\xCF\x82 <g@example.gr>\r\n"
       "Subject: =?utf-8?b?zqPPhc69zqzOvc+EzrfPg863IM+EzrfPgiDOlM61z4XPhM6tz4HOsc+CIM6zzrnOsSDPhM6/"
       "zr0gz4DPgc6/z4vPgM6/zrvOv86zzrnPg868z4wgz4TOv8+FIM61z4DPjM68zrXOvc6/z4Ugzq3PhM6/"
       "z4XPgiDOus6x"
       "zrkgzqzOu867zrEgzrjOrc68zrHPhM6x?=\r\n",
       // A long name; a subject with a control character and one that would reverse the line.
       "From: Jean-Baptiste Emmanuel Zorg de la Fontaine <zorg@example.com>\r\n"
       "Subject: =?UTF-8?Q?=E2=80=AEfdp.exe?= \x07 ok\r\n"});
  servers.cloud.setMailbox("alice", "c1oud", 3);
  servers.bob.setMailbox("bob", "b0b", 2,
                         {"From: Zo\xC3\xA9 <zoe@example.com>\r\n"
                          "Subject: =?utf-8?b?8J+OiSBmw6p0ZQ==?=\r\n"});
  auto& form = startChecking(bed, "checkVerifyAllId=1\r\neditMailWindowTime=0\r\n");
  form.timerMailTimer();

  EXPECT_EQ(rows(bed), (Texts{
                           "0 0 A Alice",
                           "1 1 A Home : 7",
                           "2 2 U Иван Петров – Привет, мир",
                           "2 2 U Сергей – Отчёт за март",
                           "2 2 U Renée – (sans objet)",
                           "2 2 U Γιώργος – Συνάντηση της Δευτέρας για τον προϋπολογισμό του…",
                           "2 2 U Jean-Baptiste Emmanuel Zorg… – fdp.exe ok",
                           "2 2 U … et 2 de plus",
                           "1 1 A Cloud : 3",
                           "2 2 U sender3@example.com – note 3",
                           "2 2 U sender2@example.com – note 2",
                           "2 2 U sender1@example.com – note 1",
                           "0 0 A Bob",
                           "1 1 A Bob mail : 2",
                           "2 2 U Zoé – 🎉 fête",
                           "2 2 U sender1@example.com – note 1",
                       }));
  EXPECT_EQ(servers.home.commands(),
            joined({kHomeLogIn, uidl(7), pop3Lines({7, 6, 5, 4, 3}), {"QUIT"}}));
  EXPECT_EQ(servers.cloud.commands(), joined({kCloudLogIn, imapLines("3,2,1"), {"LOGOUT"}}));
  EXPECT_EQ(servers.work.commands(), (Texts{"CAPA", "USER a.smith", "PASS w0rk", "STAT", "QUIT"}))
      << "an empty mailbox is asked nothing more";
  EXPECT_EQ(bed.sim.shell.icon()->tip, "12 message(s) non-lu(s) (Alice, Bob)");

  // Double-clicks as the view maps them: an account line does nothing; a message line or the
  // line below them does what its identity's does.
  auto& notify = bed.notifyForm();
  notify.treeNotify.selected = ui::TreePath{0, 0, std::nullopt};
  notify.treeNotifyDblClick();
  EXPECT_TRUE(notify.visible());
  EXPECT_EQ(bed.sim.processes.outlookStarts().size(), 1u);
  notify.treeNotify.selected = ui::TreePath{1, 0, 0};
  notify.treeNotifyDblClick();
  EXPECT_FALSE(notify.visible());
  ASSERT_EQ(bed.sim.processes.outlookStarts().size(), 2u);
  EXPECT_EQ(bed.sim.processes.outlookStarts().back().lastUsername, "Bob");
}

TEST(MessageLines, TheWindowGrowsUpwardForTheLinesUpToHalfTheWorkAreaThenScrolls) {
  // The stand-in window is 288 x 157 as designed, its tree 97 pixels high, 16 a line.
  struct Case {
    std::string name;
    platform::Rect area;
    int homeCount;
    int top;  // of the window, whose bottom right is the work area's
  };
  const std::vector<Case> cases = {
      // Alice, Home, 2 lines, Cloud, 1 line: 6 lines fit the tree.
      {"few lines", {0, 0, 1024, 738}, 2, 738 - 157},
      // Alice, Home, 5 lines, one more, Cloud, 1 line: 10 lines, 63 pixels more.
      {"more than the tree holds", {0, 0, 1024, 738}, 9, 738 - 157 - 63},
      {"task bar at the top", {0, 30, 1024, 768}, 9, 768 - 157 - 63},
      {"at most half the work area", {60, 0, 1024, 400}, 9, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    Servers servers(bed);
    servers.home.setMailbox("alice", "secret", c.homeCount);
    servers.cloud.setMailbox("alice", "c1oud", 1);
    auto& form = startChecking(bed, "");
    bed.sim.desktop.setWorkArea(c.area);
    form.timerMailTimer();
    ASSERT_TRUE(bed.notifyForm().visible());
    EXPECT_EQ(bed.sim.desktop.windowPosition(bed.notifyWindow).x, c.area.right - 288);
    EXPECT_EQ(bed.sim.desktop.windowPosition(bed.notifyWindow).y, c.top);
    EXPECT_EQ(bed.sim.desktop.windowSize(bed.notifyWindow).width, 288);
    EXPECT_EQ(bed.sim.desktop.windowSize(bed.notifyWindow).height, c.area.bottom - c.top);
  }
}

// A check that refills the open window, whether it announces a new total or not, shows what a
// freshly shown window would: every line, the window as tall as they need.
TEST(MessageLines, ARefilledOpenWindowShowsEveryLineAtTheHeightTheyNeed) {
  struct Case {
    std::string name;
    std::string email;
    std::function<void(AppBed&, app::TMainForm&)> checkAgain;
    int cloud;   // messages at the second check, beside Home's 5
    int lines;   // the rows it shows
    int height;  // of the window: 157 as designed, 16 a line beyond the tree's 97
  };
  const auto byTimer = [](AppBed& bed, app::TMainForm&) { bed.runFor(60000); };
  const std::vector<Case> cases = {
      {"until closed, the same total", "editMailWindowTime=0\r\n",
       [](AppBed&, app::TMainForm& form) { form.timerMailTimer(); }, 5, 13, 157 + 111},
      {"counting down past the next check", "editMailWindowTime=900\r\neditMailTime=1\r\n", byTimer,
       6, 14, 157 + 127},
      {"checked from the tray menu while counting down", "editMailWindowTime=10\r\n",
       [](AppBed& bed, app::TMainForm& form) {
         bed.runFor(3000);
         form.mnuTrayItemCheckMailClick();
       },
       6, 14, 157 + 127},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    Servers servers(bed);
    servers.home.setMailbox("alice", "secret", 9);
    servers.cloud.setMailbox("alice", "c1oud", 1);
    auto& form = startChecking(bed, c.email);
    form.timerMailTimer();
    ASSERT_EQ(rows(bed).size(), 10u);
    ASSERT_EQ(bed.sim.desktop.windowSize(bed.notifyWindow).height, 157 + 63);

    servers.home.setMailbox("alice", "secret", 5);
    servers.cloud.setMailbox("alice", "c1oud", c.cloud);
    c.checkAgain(bed, form);
    ASSERT_TRUE(bed.notifyForm().visible());
    EXPECT_EQ(rows(bed).size(), static_cast<std::size_t>(c.lines));
    EXPECT_EQ(bed.sim.desktop.windowSize(bed.notifyWindow).height, c.height);
    EXPECT_EQ(bed.sim.desktop.windowPosition(bed.notifyWindow).y, 738 - c.height);
  }
}

// A language chosen while the window is open says at once what the window and the tip show: the
// caption, its explanation, a message without a subject and how many more wait. No server hears
// a word more for it.
TEST(MessageLines, ALanguageChosenWhileTheWindowIsOpenSaysWhatItShowsAtOnce) {
  AppBed bed;
  std::filesystem::copy_file(VANTREL_SOURCE_DIR "/resources/lang.ini", bed.folder() / "lang.ini");
  Servers servers(bed);
  servers.home.setMailbox("alice", "secret", 7, {"From: ann@example.com\r\n"});
  servers.cloud.setMailbox("alice", "c1oud", 0);
  auto& form = startChecking(bed, "editMailWindowTime=0\r\n");
  form.timerMailTimer();
  const auto rowsIn = [](std::string_view noSubject, std::string_view more) {
    return Texts{"0 0 A Alice",
                 "1 1 A Home : 7",
                 "2 2 U ann@example.com – " + std::string(noSubject),
                 "2 2 U sender6@example.com – note 6",
                 "2 2 U sender5@example.com – note 5",
                 "2 2 U sender4@example.com – note 4",
                 "2 2 U sender3@example.com – note 3",
                 "2 2 U " + std::string(more)};
  };
  ASSERT_EQ(rows(bed), rowsIn("(sans objet)", "… et 2 de plus"));
  const std::size_t heard = servers.home.commands().size() + servers.cloud.commands().size();

  form.mnuTrayItemConfigClick();
  auto& languages = form.tabLaunch.comboLang;
  const auto english = std::find_if(languages.items.begin(), languages.items.end(),
                                    [](const auto& item) { return item.caption == "English"; });
  ASSERT_NE(english, languages.items.end());
  languages.selected = static_cast<std::size_t>(english - languages.items.begin());
  form.comboLangChange();
  EXPECT_TRUE(bed.notifyForm().visible());
  EXPECT_EQ(rows(bed), rowsIn("(no subject)", "… and 2 more"));
  EXPECT_EQ(bed.notifyForm().caption, "You have 7 message(s)");
  EXPECT_EQ(bed.notifyForm().lblNotifyExpl.caption, "Double-click an identity to start it");
  EXPECT_EQ(bed.sim.shell.icon()->tip, "7 unread message(s) (Alice)");
  EXPECT_EQ(servers.home.commands().size() + servers.cloud.commands().size(), heard);
}

// An account's lines are read again only when its count changed since its last check that read
// one; a check that failed leaves it none to keep.
TEST(MessageLines, UnchangedCountsKeepTheirLinesAndTheServersHearNothingMore) {
  AppBed bed;
  Servers servers(bed);
  auto& form = startChecking(bed, "editMailWindowTime=0\r\n");
  const Texts cloudLogOut = {"LOGOUT"};
  struct Step {
    std::string name;
    int home;
    int cloud;
    bool homeRefused;  // a changed password: the question is answered No
    Texts homeHeard;   // beyond the login
    Texts cloudHeard;
    Texts rows;
  };
  const std::vector<Step> steps = {
      {"first check", 2, 1, false, joined({uidl(2), pop3Lines({2, 1})}), imapLines("1"),
       Texts{"0 0 A Alice", "1 1 A Home : 2", "2 2 U sender2@example.com – note 2",
             "2 2 U sender1@example.com – note 1", "1 1 A Cloud : 1",
             "2 2 U sender1@example.com – note 1"}},
      // The same counts and newest messages (their headers differ in the stand-ins only to show
      // that none is read again): the lines stay.
      {"same counts",
       2,
       1,
       false,
       uidl(2),
       {},
       Texts{"0 0 A Alice", "1 1 A Home : 2", "2 2 U sender2@example.com – note 2",
             "2 2 U sender1@example.com – note 1", "1 1 A Cloud : 1",
             "2 2 U sender1@example.com – note 1"}},
      {"Home's count changed",
       3,
       1,
       false,
       joined({uidl(3), pop3Lines({3, 2, 1})}),
       {},
       Texts{"0 0 A Alice", "1 1 A Home : 3", "2 2 U Nouveau – note 3", "2 2 U Nouveau – note 2",
             "2 2 U sender1@example.com – note 1", "1 1 A Cloud : 1",
             "2 2 U sender1@example.com – note 1"}},
      {"Home refused, Cloud empty", 3, 0, true, {}, {}, Texts{}},
      {"Home after a failed check",
       3,
       0,
       false,
       joined({uidl(3), pop3Lines({3, 2, 1})}),
       {},
       Texts{"0 0 A Alice", "1 1 A Home : 3", "2 2 U Nouveau – note 3", "2 2 U Nouveau – note 2",
             "2 2 U sender1@example.com – note 1"}},
      {"Cloud after an empty check", 3, 1, false, uidl(3), imapLines("1"),
       Texts{"0 0 A Alice", "1 1 A Home : 3", "2 2 U Nouveau – note 3", "2 2 U Nouveau – note 2",
             "2 2 U sender1@example.com – note 1", "1 1 A Cloud : 1", "2 2 U Nouveau – note 1"}},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto& step = steps[i];
    SCOPED_TRACE(step.name);
    // From the second check on, the newest messages come from someone else.
    const Texts newest = i == 0 ? Texts{}
                                : Texts{"From: Nouveau <n@example.com>\r\nSubject: note " +
                                            std::to_string(step.home) + "\r\n",
                                        "From: Nouveau <n@example.com>\r\nSubject: note " +
                                            std::to_string(step.home - 1) + "\r\n"};
    servers.home.setMailbox("alice", step.homeRefused ? "changed" : "secret", step.home, newest);
    servers.cloud.setMailbox(
        "alice", "c1oud", step.cloud,
        i == 0 ? Texts{} : Texts{"From: Nouveau <n@example.com>\r\nSubject: note 1\r\n"});
    if (step.homeRefused) bed.sim.dialogs.answerMessageBox(platform::IdNo);
    const auto homeBefore = servers.home.commands().size();
    const auto cloudBefore = servers.cloud.commands().size();
    form.timerMailTimer();
    const Texts homeHeard(servers.home.commands().begin() + static_cast<std::ptrdiff_t>(homeBefore),
                          servers.home.commands().end());
    const Texts cloudHeard(
        servers.cloud.commands().begin() + static_cast<std::ptrdiff_t>(cloudBefore),
        servers.cloud.commands().end());
    const Texts homeExpected = step.homeRefused ? Texts{"CAPA", "USER alice", "PASS secret", "QUIT"}
                                                : joined({kHomeLogIn, step.homeHeard, {"QUIT"}});
    EXPECT_EQ(homeHeard, homeExpected);
    EXPECT_EQ(cloudHeard, joined({kCloudLogIn, step.cloudHeard, cloudLogOut}));
    EXPECT_EQ(rows(bed), step.rows);
  }
}

TEST(MessageLines, WithTheOptionOffNoServerHearsMoreAndTheWindowIsAsWithout) {
  struct Case {
    std::string name;
    std::string email;
    bool optionEnabled;  // on the e-mail tab
  };
  // The window shows the lines, or no line could be shown.
  const std::vector<Case> cases = {
      {"message lines off", "checkMailPreview=0\r\n", true},
      {"no notification window", "checkMailWindow=0\r\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    Servers servers(bed);
    servers.home.setMailbox("alice", "secret", 9);
    servers.cloud.setMailbox("alice", "c1oud", 4);
    auto& form = startChecking(bed, c.email);
    EXPECT_EQ(form.tabMail.checkMailPreview.enabled, c.optionEnabled);
    form.timerMailTimer();
    EXPECT_EQ(servers.home.commands(), joined({kHomeLogIn, {"QUIT"}}));
    EXPECT_EQ(servers.cloud.commands(), joined({kCloudCountAlone, {"LOGOUT"}}));
    EXPECT_EQ(rows(bed), (Texts{"0 0 A Alice", "1 1 A Home : 9", "1 1 A Cloud : 4"}));
    EXPECT_EQ(bed.sim.desktop.windowSize(bed.notifyWindow).height, 157);
  }

  // Switched off after a check that showed lines, and on again: the lines of before are not
  // kept meanwhile, so the same counts are read anew.
  AppBed bed;
  Servers servers(bed);
  servers.home.setMailbox("alice", "secret", 1);
  servers.cloud.setMailbox("alice", "c1oud", 0);
  auto& form = startChecking(bed, "");
  const auto checkWith = [&](bool lines) {
    form.mnuTrayItemConfigClick();
    form.tabMail.checkMailPreview.checked = lines;
    form.bttnOKClick();
    form.timerMailTimer();
  };
  checkWith(true);
  checkWith(false);
  EXPECT_EQ(rows(bed), (Texts{"0 0 A Alice", "1 1 A Home : 1"}));
  checkWith(true);
  EXPECT_EQ(servers.home.commands(), joined({kHomeLogIn,
                                             uidl(1),
                                             pop3Lines({1}),
                                             {"QUIT"},
                                             kHomeLogIn,
                                             {"QUIT"},
                                             kHomeLogIn,
                                             uidl(1),
                                             pop3Lines({1}),
                                             {"QUIT"}}));
}

// The lines of the newest n of five messages whose UIDs start at base + 1, newest first.
Texts senderLines(int n, int base = 0) {
  Texts lines;
  for (int uid = base + 5; uid > base + 5 - n; --uid) {
    lines.push_back("2 2 U sender" + std::to_string(uid) + "@example.com – note " +
                    std::to_string(uid));
  }
  return lines;
}

// Lines read in part show this time and are read again at the next check; so are the lines of a
// mailbox whose newest messages changed under the same count, where the server tells them apart
// (IMAP: UIDs and their numbering; POP3: the newest unique-id, where it has UIDL). Then they are
// kept: a third check fetches nothing.
TEST(MessageLines, LinesInPartOrOfOtherMessagesAreReadAgainThenKept) {
  using Change = std::function<void(StandinMailbox&)>;
  const Change hangsUpAfterTwo = [](StandinMailbox& box) { box.headersGiven = 2; };
  const Change refusesExamine = [](StandinMailbox& box) { box.examineRefused = true; };
  const Change mended = [](StandinMailbox& box) {
    box.headersGiven = -1;
    box.examineRefused = false;
  };
  const Change oneGoneOneCome = [](StandinMailbox& box) { box.uidBase = 1; };
  const Change renumbered = [](StandinMailbox& box) { box.uidValidity = 2; };
  const Change none = [](StandinMailbox&) {};
  struct Case {
    std::string name;
    bool pop3;
    bool esearch;  // IMAP
    Change first;  // the mailbox at the first check
    Change then;
    Texts firstLines;
    Texts heard;       // after the count, at the second check
    Texts lines;       // at the second check
    bool uidl = true;  // POP3
  };
  const Texts two = joined({senderLines(2), {"2 2 U \u2026 et 3 de plus"}});
  const Texts pop3Again = joined({uidl(5), pop3Lines({5, 4, 3, 2, 1})});
  const std::vector<Case> cases = {
      {"POP3: a hang-up after two TOPs", true, false, hangsUpAfterTwo, mended, two, pop3Again,
       senderLines(5)},
      {"IMAP: a hang-up after two headers", false, false, hangsUpAfterTwo, mended, two,
       imapLines("5,4,3,2,1"), senderLines(5)},
      {"IMAP with ESEARCH: a hang-up after two headers", false, true, hangsUpAfterTwo, mended, two,
       imapFetch("5,4,3,2,1"), senderLines(5)},
      {"IMAP: EXAMINE answered NO",
       false,
       false,
       refusesExamine,
       mended,
       {},
       imapLines("5,4,3,2,1"),
       senderLines(5)},
      {"POP3: another newest unique-id", true, false, none, oneGoneOneCome, senderLines(5),
       joined({uidl(5), pop3Lines({5, 4, 3, 2, 1})}), senderLines(5, 1)},
      // Today's rule where the server cannot tell: the count alone.
      {"POP3 without UIDL: the count alone", true, false, none, oneGoneOneCome, senderLines(5),
       uidl(5), senderLines(5), false},
      {"IMAP: the next UID moved", false, false, none, oneGoneOneCome, senderLines(5),
       imapLines("6,5,4,3,2"), senderLines(5, 1)},
      {"IMAP with ESEARCH: other UIDs", false, true, none, oneGoneOneCome, senderLines(5),
       imapFetch("6,5,4,3,2"), senderLines(5, 1)},
      {"IMAP with ESEARCH: another UID numbering", false, true, none, renumbered, senderLines(5),
       imapFetch("5,4,3,2,1"), senderLines(5)},
      {"IMAP with ESEARCH: the same mailbox",
       false,
       true,
       none,
       none,
       senderLines(5),
       {},
       senderLines(5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    Servers servers(bed, {.esearch = c.esearch}, {.uidl = c.uidl});
    servers.home.setMailbox("alice", "secret", c.pop3 ? 5 : 0);
    servers.cloud.setMailbox("alice", "c1oud", c.pop3 ? 0 : 5);
    StandinMailbox& box = c.pop3 ? servers.home.mailbox("alice") : servers.cloud.mailbox("alice");
    const auto& heard = c.pop3 ? servers.home.commands() : servers.cloud.commands();
    const Texts counted = c.pop3 ? kHomeLogIn : c.esearch ? kCloudSearched : kCloudLogIn;
    const Texts account = {"0 0 A Alice", c.pop3 ? "1 1 A Home : 5" : "1 1 A Cloud : 5"};
    c.first(box);
    auto& form = startChecking(bed, "editMailWindowTime=0\r\n");
    form.timerMailTimer();
    EXPECT_EQ(rows(bed), joined({account, c.firstLines}));
    c.then(box);
    for (const auto& again : {c.heard, c.pop3 ? uidl(5) : Texts{}}) {
      const auto before = static_cast<std::ptrdiff_t>(heard.size());
      form.timerMailTimer();
      EXPECT_EQ(Texts(heard.begin() + before, heard.end()),
                joined({counted, again, {c.pop3 ? "QUIT" : "LOGOUT"}}));
      EXPECT_EQ(rows(bed), joined({account, c.lines}));
    }
  }
}

}  // namespace
}  // namespace vantrel::testing
