// The About tab's links and the update check, against stand-in HTTP servers.
#include <gtest/gtest.h>

#include <fstream>

#include "app/app_constants.h"
#include "app/version.h"
#include "app_bed.h"

namespace vantrel::testing {
namespace {

using platform::standin::ipv4;
using platform::standin::StandinConnection;

constexpr std::uint32_t kLoopback = ipv4(127, 0, 0, 1);
// The version box quotes the server's words: its text is UTF-8.
constexpr char kLatest[] = "La derni\u00E8re version de Vantrel est la ";
// The version the build gives the program, whatever it is this time.
const std::string kVersion = VANTREL_VERSION_STRING;
constexpr char kFailed[] = "Impossible de r\xE9\x63up\xE9rer le numero de la derni\xE8re version";

// What a stand-in HTTP server does with the request it reads.
struct HttpBehaviour {
  std::string answer;  // sent once the request's empty line has come
  bool hangUp = true;  // then closes; otherwise stays silent for ever
};

HttpBehaviour answering(const std::string& status, const std::string& body) {
  return {"HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\n\r\n" + body};
}

class StandinHttpServer final : public StandinConnection {
 public:
  StandinHttpServer(HttpBehaviour behaviour, std::vector<std::string>& requests)
      : behaviour_(std::move(behaviour)), requests_(requests) {}

  std::string received(std::string_view bytes) override {
    request_ += bytes;
    if (answered_ || request_.find("\r\n\r\n") == std::string::npos) return {};
    answered_ = true;
    requests_.push_back(request_);
    return behaviour_.answer;
  }
  bool hungUp() const override { return answered_ && behaviour_.hangUp; }

 private:
  HttpBehaviour behaviour_;
  std::vector<std::string>& requests_;
  std::string request_;
  bool answered_ = false;
};

// A stand-in HTTP server on `address`:`port` that keeps what it is asked in `requests`.
void listenHttp(AppBed& bed, const HttpBehaviour& behaviour, std::vector<std::string>& requests,
                std::uint32_t address = kLoopback, std::uint16_t port = 80) {
  bed.sim.sockets.listen(address, port, [behaviour, &requests] {
    return std::make_unique<StandinHttpServer>(behaviour, requests);
  });
}

// The update host resolves to the loopback address, where a server listens on port 80.
void serve(AppBed& bed, const HttpBehaviour& behaviour, std::vector<std::string>& requests) {
  bed.sim.sockets.addHost(std::string(app::UPDATE_HOST), kLoopback);
  listenHttp(bed, behaviour, requests);
}

// The configuration window shown, nothing launched.
app::TMainForm& configure(AppBed& bed) {
  return bed.startConfiguring(settingsText(""));
}

class AboutTest : public ::testing::Test {
 protected:
  // The configuration window's settings, the program not started yet.
  AboutTest() {
    bed.writeSettings(settingsText(""));
    bed.sim.processes.setArguments({"/config"});
  }

  void serve(const HttpBehaviour& behaviour) { testing::serve(bed, behaviour, requests); }

  std::vector<platform::standin::ShownDialog> boxes() const {
    return bed.sim.dialogs.messageBoxes();
  }

  AppBed bed;
  std::vector<std::string> requests;
};

TEST(About, TheRequestCarriesTheVersionsOfVantrelOutlookExpressAndWindows) {
  struct Case {
    bool outlookInstalled;
    platform::SystemVersion windows;
    std::string query;  // after the program's name and version
  };
  const Case cases[] = {
      {true, platform::SystemVersion{5, 1, 2600, "Service Pack 2"},
       "&oeversion=6.00.2900.5512&winversion=5.1.2600&winmisc=Service+Pack+2"},
      {true, platform::SystemVersion{6, 1, 7601, ""},
       "&oeversion=6.00.2900.5512&winversion=6.1.7601&winmisc="},
      {false, platform::SystemVersion{4, 10, 67766446, " A "},
       "&oeversion=&winversion=4.10.67766446&winmisc=+A+"},
      {false, platform::SystemVersion{5, 0, 2195, "Service Pack 4, v.1"},
       "&oeversion=&winversion=5.0.2195&winmisc=Service+Pack+4%2C+v%2E1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    AppBed bed;
    bed.sim.processes.setVersion(c.windows);
    if (c.outlookInstalled) bed.installOutlook();
    std::vector<std::string> seen;
    serve(bed, answering("200 OK", kVersion), seen);
    configure(bed).bttnUpdtClick();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].substr(0, seen[0].find("\r\n")),
              "GET /checkupdate.php?logiciel=Vantrel&version=" + kVersion + c.query + " HTTP/1.0");
    EXPECT_NE(seen[0].find("\r\nHost: " + std::string(app::UPDATE_HOST) + "\r\n"),
              std::string::npos);
    // The running version is not compared: the same number is shown like a newer one.
    ASSERT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
    EXPECT_EQ(bed.sim.dialogs.messageBoxes()[0].text, kLatest + kVersion);
  }
}

TEST(About, EveryCheckEndsWithOneBoxTheVersionOrTheFailure) {
  struct Case {
    std::string name;
    std::optional<HttpBehaviour> server;  // none: nothing listens (refused)
    bool hostKnown;
    std::string expected;  // the version shown; empty: the failure message
  };
  const Case cases[] = {
      {"version", answering("200 OK", "2.3"), true, "2.3"},
      {"version with its line end", answering("200 OK", "2.3\r\n"), true, "2.3"},
      {"control characters", answering("200 OK", " 2.3\r\n\tbeta\x01\x7F"), true, "2.3 beta"},
      {"direction overrides", answering("200 OK", "2.3\u202E ateb\u202C"), true, "2.3 ateb"},
      {"UTF-8", answering("200 OK", "2.3 \u00E9t\u00E9 \u65E5"), true, "2.3 \u00E9t\u00E9 \u65E5"},
      {"Windows-1252", answering("200 OK", "2.3 \xE9t\xE9"), true, "2.3 \u00E9t\u00E9"},
      {"empty body", answering("200 OK", ""), true, ""},
      {"only line ends", answering("200 OK", "\r\n\r\n"), true, ""},
      {"closed without answer", HttpBehaviour{"", true}, true, ""},
      {"not a status line", HttpBehaviour{"2.3\r\n\r\n2.3", true}, true, ""},
      {"status without a reason", HttpBehaviour{"HTTP/1.1 200\r\n\r\n2.3", true}, true, "2.3"},
      {"error status", answering("404 Not Found", "2.3"), true, ""},
      {"body too long", answering("200 OK", std::string(1 << 20, '9')), true, ""},
      {"header too long",
       HttpBehaviour{"HTTP/1.0 200 OK\r\n" + std::string(20000, 'X') + "\r\n\r\n2.3"}, true, ""},
      {"endless header lines",
       HttpBehaviour{[] {
                       std::string lines = "HTTP/1.0 200 OK\r\n";
                       for (int i = 0; i < 10000; ++i) lines += "X-Filler: abc\r\n";
                       return lines;
                     }(),
                     false},
       true, ""},
      {"refused", std::nullopt, true, ""},
      {"unknown host", answering("200 OK", "2.3"), false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    std::vector<std::string> seen;
    if (c.hostKnown) bed.sim.sockets.addHost(std::string(app::UPDATE_HOST), kLoopback);
    if (c.server) listenHttp(bed, *c.server, seen);
    auto& form = configure(bed);
    form.bttnUpdtClick();
    const auto shown = bed.sim.dialogs.messageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Vantrel");
    EXPECT_EQ(shown[0].owner, bed.mainWindow);
    if (c.expected.empty()) {
      EXPECT_EQ(shown[0].text, kFailed);
      EXPECT_EQ(shown[0].flags, platform::MbIconError);
    } else {
      EXPECT_EQ(shown[0].text, kLatest + c.expected);
      EXPECT_TRUE(shown[0].serverWords);
      EXPECT_EQ(shown[0].flags, platform::MbIconInformation);
    }
    EXPECT_FALSE(form.http.Connected());
    EXPECT_LT(form.http.Body.capacity(), 200u * 1024);
  }
}

TEST_F(AboutTest, ASilentServerFailsWhenTheBoundRunsOutAndASecondClickIsIgnored) {
  serve({"", false});
  auto& form = bed.start();
  int clicksDuringTheCheck = 0;
  const auto timer = bed.sim.loop.startTimer(1000, [&] {
    ++clicksDuringTheCheck;
    form.bttnUpdtClick();
  });
  const auto began = bed.sim.loop.nowMs();
  form.bttnUpdtClick();
  const auto took = bed.sim.loop.nowMs() - began;
  bed.sim.loop.stopTimer(timer);

  EXPECT_GE(took, 30000u);
  EXPECT_LE(took, 31000u);
  EXPECT_GE(clicksDuringTheCheck, 29);
  EXPECT_EQ(bed.sim.sockets.connectionsMade(), 1);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, kFailed);

  // Over: the next click checks again.
  form.bttnUpdtClick();
  EXPECT_EQ(bed.sim.sockets.connectionsMade(), 2);
  EXPECT_EQ(boxes().size(), 2u);
}

// A lookup that fails and then succeeds (a network coming up while the box is read) must not
// bring the version box after the failure box.
TEST_F(AboutTest, AFailedLookupEndsTheCheckWithItsOneBox) {
  listenHttp(bed, answering("200 OK", "2.3"), requests);
  bed.sim.loop.atTime(
      500, [this] { bed.sim.sockets.addHost(std::string(app::UPDATE_HOST), kLoopback); });
  bed.sim.dialogs.answerMessageBox(platform::IdOk, 1000);
  bed.start().bttnUpdtClick();
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, kFailed);
  EXPECT_EQ(bed.sim.sockets.connectionsMade(), 0);
}

TEST(About, ACheckRunningWhenTheProgramEndsShowsNoBox) {
  struct Case {
    std::string name;
    std::function<app::TMainForm&(AppBed&)> open;  // the configuration window on screen
    std::function<void(app::TMainForm&)> end;
  };
  const auto firstRun = [](AppBed& bed) -> app::TMainForm& { return bed.start(); };
  const auto fromTheTray = [](AppBed& bed) -> app::TMainForm& {
    auto& form = bed.startWatching(settingsText(""));
    form.mnuTrayItemConfigClick();
    return form;
  };
  const Case cases[] = {
      {"OK in the /config window", configure, [](app::TMainForm& f) { f.bttnOKClick(); }},
      {"OK in the first-run window", firstRun, [](app::TMainForm& f) { f.bttnOKClick(); }},
      {"quit from the tray", fromTheTray, [](app::TMainForm& f) { f.mnuTrayItemQuitClick(); }},
      {"log-off", fromTheTray, [](app::TMainForm& f) { f.WMQueryEndSession(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppBed bed;
    std::vector<std::string> seen;
    serve(bed, {"", false}, seen);
    auto& form = c.open(bed);
    ASSERT_FALSE(form.terminated());
    const auto before = bed.sim.dialogs.messageBoxes().size();
    bed.sim.loop.atTime(bed.sim.loop.nowMs() + 1000,
                        [&] { bed.sim.loop.post([&] { c.end(form); }); });
    form.bttnUpdtClick();
    EXPECT_TRUE(form.terminated());
    EXPECT_EQ(bed.sim.dialogs.messageBoxes().size(), before);
  }
}

TEST(About, TheUpdateHostCanBePointedElsewhereForTests) {
  struct Case {
    std::string value;
    std::uint16_t port;  // where the check goes; the host is 127.0.0.2 each time
  };
  const Case cases[] = {
      {"127.0.0.2:8080", 8080}, {"127.0.0.2", 80}, {"127.0.0.2:http", 80}, {"127.0.0.2:70000", 80}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    AppBed bed;
    bed.sim.processes.setEnvironment("VANTREL_UPDATE_HOST", c.value);
    std::vector<std::string> seen;
    listenHttp(bed, answering("200 OK", "2.3"), seen, ipv4(127, 0, 0, 2), c.port);
    configure(bed).bttnUpdtClick();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find("\r\nHost: 127.0.0.2\r\n"), std::string::npos);
    ASSERT_EQ(bed.sim.dialogs.messageBoxes().size(), 1u);
    EXPECT_EQ(bed.sim.dialogs.messageBoxes()[0].text, std::string(kLatest) + "2.3");
  }
}

TEST_F(AboutTest, TheLinksOpenTheirAddresses) {
  auto& form = bed.start();
  form.bttnWWWClick();
  form.bttnFaqOEClick();
  bed.sim.dialogs.answerMessageBox(platform::IdNo);
  form.bttnMailListClick();
  bed.sim.dialogs.answerMessageBox(platform::IdYes);
  form.bttnMailListClick();

  const std::string site(app::APP_URL);
  EXPECT_EQ(bed.sim.shell.openedUrls,
            (std::vector<std::string>{site + "?ref=Vantrel", std::string(app::FAQ_URL),
                                      site + "subscribe.php?lang=fr"}));
  ASSERT_EQ(boxes().size(), 2u);
  EXPECT_EQ(boxes()[0].text,
            "Voulez-vous vous abonner \xE0 la liste de diffusion de Vantrel pour \xEAtre tenu au "
            "courant de ses \xE9volutions ?");
  EXPECT_EQ(boxes()[0].flags, platform::MbIconQuestion | platform::MbYesNo);
  EXPECT_EQ(form.tabAbout.bttnWWW.hint, site);
  EXPECT_EQ(form.tabAbout.bttnFaqOE.hint, app::FAQ_URL);
}

TEST_F(AboutTest, TheMailingListAddressEndsInTheLanguageCode) {
  std::ofstream(bed.folder() / "lang.ini", std::ios::binary)
      << "[en]\r\nlangName=English\r\nmsgAboutML=Subscribe?\r\n";
  auto& form = bed.start(settingsText("Lang=English\r\n"));
  bed.sim.dialogs.answerMessageBox(platform::IdYes);
  form.bttnMailListClick();
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "Subscribe?");
  EXPECT_EQ(bed.sim.shell.openedUrls,
            std::vector<std::string>{std::string(app::APP_URL) + "subscribe.php?lang=en"});
}

}  // namespace
}  // namespace vantrel::testing
