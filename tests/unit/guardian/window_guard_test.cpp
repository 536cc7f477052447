#include "guardian/window_guard.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"
#include "rules/history_file.h"

namespace tevanor {
namespace {

constexpr BlockAction kEnd = BlockAction::kEndProgram;
constexpr BlockAction kClose = BlockAction::kCloseRequest;
constexpr BlockAction kLeft = BlockAction::kLeftRunning;

// What one test of a window did: the record it wrote (site text and cause; empty: none) and
// what happened to the window's program.
struct Outcome {
  std::vector<std::string> record;
  BlockAction action = kLeft;
  bool operator==(const Outcome&) const = default;
  friend void PrintTo(const Outcome& o, std::ostream* os) {
    *os << ::testing::PrintToString(o.record) << " "
        << (o.action == kEnd     ? "ended"
            : o.action == kClose ? "closed"
                                 : "left running");
  }
};

testing::FakePage Page(std::string address, std::string body) {
  testing::FakePage page;
  page.address = std::move(address);
  page.body = std::move(body);
  return page;
}

bool Has(std::string_view how, std::string_view word) {
  return how.find(word) != std::string_view::npos;
}

// A guardian over a fake desktop whose shell is known, with the built-in phrases "ADULTS ONLY"
// and "18 YEARS OR OLDER" and the user words "casino" (any case) and "Poker" (exact case).
class WindowGuardTest : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kShell = 50;

  WindowGuardTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", kShell), "TrayNotifyWnd");
    state.m_dwShellPid = kShell;
    state.phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}, {"18 YEARS OR OLDER", true, true}});
    state.phrases.ReplaceUser({{"casino", false, true}, {"Poker", false, false}});
  }

  // A top-level window of a new program, or of the shell when `how` says "shell"; "unopenable"
  // makes its program the only one that cannot be opened.
  WindowHandle AddTop(std::string_view how, const char* topClass, const char* title) {
    desktop.unopenable.clear();
    const WindowHandle top = desktop.AddTopLevel(topClass, title, Has(how, "shell") ? kShell : 0);
    if (Has(how, "unopenable")) desktop.unopenable.insert(desktop.At(top).processId);
    return top;
  }

  std::vector<BlockRecord> History() {
    int open = 0;
    return LoadHistoryList(files, open).value_or(std::vector<BlockRecord>{});
  }

  // Tests `child` of `top` once. A block stops the walk, writes one record at the clock's time
  // and opens one notice that tells what was done; nothing obtained is left open either way.
  Outcome Test(WindowHandle child, WindowHandle top) {
    const std::size_t records = History().size(), blocks = host.blocks.size();
    const std::size_t ended = desktop.ended.size(), closed = desktop.closeRequests.size();
    const bool stopped = guard.TestChildWindow(child, top) == ScanStep::kStop;
    EXPECT_EQ((std::array{state.m_bScanBusy, desktop.attachedInputs, desktop.openProcesses,
                          pages.openSessions, pages.openDocuments}),
              (std::array{0, 0, 0, 0, 0}));
    EXPECT_EQ(History().size() - records, stopped ? 1u : 0u);
    EXPECT_EQ(host.blocks.size() - blocks, stopped ? 1u : 0u);
    Outcome outcome;
    if (desktop.ended.size() > ended) {
      EXPECT_EQ(desktop.ended, (std::vector{desktop.At(top).processId}));
      outcome.action = kEnd;
    } else if (desktop.closeRequests.size() > closed) {
      EXPECT_EQ(desktop.closeRequests.back(), top);
      outcome.action = kClose;
    }
    desktop.ended.clear();
    if (!stopped) return outcome;
    const BlockRecord newest = History().front();
    EXPECT_EQ(newest.time, "21:07-05/12/2002");
    EXPECT_EQ(host.blocks.back().action, outcome.action);
    outcome.record = {newest.siteText, newest.cause};
    return outcome;
  }

  GuardState state;
  testing::FakeDesktop desktop;
  testing::FakePageSource pages;
  testing::FakeGuardHost host;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  testing::FakeClock clock;
  testing::FakeTimers timers;
  testing::FakeNetwork network;
  WindowGuard guard{state, {desktop, desktop, pages, host, files, profile, clock}};
  ScanCycle cycle{state, {profile, timers, desktop, network, host}, guard};
};

TEST_F(WindowGuardTest, NothingIsTestedUntilAPassHasSeenTheTaskbar) {
  struct Case {
    const char* topClass;
    const char* childClass;
    std::uint32_t shell;  // 4: the notification area of the last taskbar
  };
  for (const Case c : {Case{"Shell_TrayWnd", "TrayNotifyWnd", 3},
                       {"AnyTop", "MyTrayNotifyWndX", 3},  // contained in the class name
                       {"Shell_TrayWnd", "Button", 3},     // a taskbar without one
                       {"Shell_TrayWndX", "Button", 4},
                       {"Notepad", "Edit", 4}}) {
    SCOPED_TRACE(c.childClass);
    state.m_dwShellPid = 0;
    desktop = testing::FakeDesktop();
    desktop.AddChild(desktop.AddTopLevel("Chat", "mIRC"), "Static");
    desktop.AddTopLevel("Shell_TrayWnd", "", 9);  // without children: never tested
    desktop.AddChild(desktop.AddTopLevel(c.topClass, "", 3), c.childClass);
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 4), "TrayNotifyWnd");
    cycle.ScanDesktop();
    EXPECT_EQ(state.m_dwShellPid, c.shell);
    EXPECT_TRUE(desktop.ended.empty());  // the chat window came before the taskbar
    cycle.ScanDesktop();
    EXPECT_EQ(desktop.ended.size(), 1u);
  }
}

TEST_F(WindowGuardTest, ChatsAndPhrasesInEditControlsEndTheProgramUnlessItIsTheShell) {
  struct Case {
    const char* how;
    int mirc, java;
    const char* title;
    const char* childClass;
    const char* text;
    const char* cause;  // nullptr: no record
    BlockAction action;
  };
  const Case cases[] = {
      {"mirc", 1, 0, "#chat - mIRC32", "Static", "", kCauseMirc, kEnd},
      {"mirc any case", 5, 0, "MiRc", "Static", "", kCauseMirc, kEnd},
      {"mirc off", 0, 1, "mIRC", "Static", "", nullptr, kLeft},
      {"java", 0, 1, "Sala", "MSAWT_Comp_Class", "", kCauseJava, kEnd},
      {"java off", 1, 0, "Sala", "MSAWT_Comp_Class", "", nullptr, kLeft},
      {"java class equal", 0, 1, "Sala", "MSAWT_Comp_ClassX", "", nullptr, kLeft},
      {"mirc shell", 1, 0, "mirc", "Static", "", kCauseMirc, kClose},
      {"mirc unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, kLeft},
      {"mirc shell unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, kClose},
      {"edit", 1, 0, "notas", "Edit", "only for adults only, ok", "ADULTS ONLY", kEnd},
      {"list order", 1, 0, "notas", "RichEdit20A", "18 years or older, adults only", "ADULTS ONLY",
       kEnd},
      {"upper-cased", 1, 0, "notas", "Edit", "Casino", "CASINO", kEnd},
      {"exact case", 1, 0, "notas", "Edit", "poker night", nullptr, kLeft},
      {"exact case", 1, 0, "notas", "Edit", "Poker night", "Poker", kEnd},
      {"not an edit", 1, 0, "notas", "Static", "adults only", nullptr, kLeft},
      {"empty", 1, 0, "notas", "Edit", "", nullptr, kLeft},
      {"edit shell", 1, 0, "C:\\", "Edit", "C:\\casino", "CASINO", kClose},
      {"edit unopenable", 1, 0, "notas", "Edit", "adults only", nullptr, kLeft},
      {"hung", 1, 0, "notas", "Edit", "adults only", nullptr, kLeft},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.m_bMircChat = c.mirc;
    state.m_bJavaChat = c.java;
    const WindowHandle top = AddTop(c.how, "Chat", c.title);
    const WindowHandle child = desktop.AddChild(top, c.childClass, c.text);
    desktop.At(child).hung = Has(c.how, "hung");
    const Outcome expected{
        c.cause ? std::vector<std::string>{c.title, c.cause} : std::vector<std::string>{},
        c.action};
    EXPECT_EQ(Test(child, top), expected);
  }
}

TEST_F(WindowGuardTest, OurOwnControlsAndEmptyTextsAreNeverMatched) {
  state.phrases.ReplaceUser({{"", false, true}});  // matches every other text
  const WindowHandle own = desktop.AddTopLevel("App", "own", testing::FakeDesktop::kOwnProcess);
  EXPECT_EQ(Test(desktop.AddChild(own, "Edit", "adults only"), own), Outcome{});
  const WindowHandle top = desktop.AddTopLevel("App", "app");
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", ""), top), Outcome{});
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", "hola"), top), (Outcome{{"app", ""}, kEnd}));
}

TEST_F(WindowGuardTest, ScanTicksWaitWhileAMatchIsActedOn) {
  const WindowHandle top = desktop.AddTopLevel("Notepad", "notas");
  const WindowHandle edit = desktop.AddChild(top, "Edit", "casino");
  int busyWhenAskedAboutTop = 0;  // at the last question
  desktop.onQuestion = [&](WindowHandle w) {
    if (w == top) busyWhenAskedAboutTop = state.m_bScanBusy;
  };
  EXPECT_EQ(Test(edit, top), (Outcome{{"notas", "CASINO"}, kEnd}));
  EXPECT_EQ(busyWhenAskedAboutTop, 1);
}

TEST_F(WindowGuardTest, BrowserPagesAreJudgedBySitesThenTitleThenText) {
  struct Case {
    const char* how;
    std::vector<std::pair<const char*, int>> sites;  // text, prohibited
    const char* topClass;
    const char* title;
    const char* address;
    const char* body;
    Outcome expected;
  };
  const char* ie = "IEFrame";
  const char* x = "http://x.example/";
  // clang-format off
  const Case cases[] = {
      {"prohibited", {{"http://x.ex", 1}}, ie, "IE", x, "", {{x, kCauseSites}, kClose}},
      {"prohibited before free", {{"x.ex", 1}, {"http://x", 0}}, ie, "IE", x, "",
       {{x, kCauseSites}, kClose}},
      {"free access ends it", {{"http://x", 0}, {"x.ex", 1}}, ie, "Casino", x, "casino", {}},
      {"another scheme", {{"http://x", 1}}, ie, "IE", "https://x.example/", "", {}},
      {"empty entry", {{"", 1}}, ie, "IE", "about:blank", "", {{"about:blank", kCauseSites}, kClose}},
      {"not the browser", {{"x.ex", 1}}, "CabinetWClass", "IE", x, "", {}},
      {"not the browser, then free", {{"x.ex", 1}, {"x.example", 0}}, "CabinetWClass", "IE", x,
       "casino", {}},
      {"not the browser, phrase", {{"x.ex", 1}}, "CabinetWClass", "IE", x, "casino",
       {{x, "casino"}, kClose}},
      {"title", {}, ie, "Casino Royal - IE", x, "", {{x, "CASINO"}, kClose}},
      {"text as stored", {}, ie, "IE", x, "Solo casino y poker", {{x, "casino"}, kClose}},
      {"harmless", {}, ie, "IE", x, "Texto sin nada", {}},
      {"mail", {}, "Outlook Express Browser Class", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook Express", "ADULTS ONLY"}, kEnd}},
      {"mail", {}, "rctrl_renwnd32", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook", "ADULTS ONLY"}, kEnd}},
      {"mail shell", {}, "rctrl_renwnd32", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook", "ADULTS ONLY"}, kClose}},
      {"our own window", {}, ie, "Tevanor - Historial", x, "casino", {}},
      {"unopenable", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
      {"library missing", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
      {"no document", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.sites.Clear();
    for (const auto& [text, prohibited] : c.sites) state.sites.Append(text, prohibited, 0);
    const WindowHandle top = AddTop(c.how, c.topClass, c.title);
    const WindowHandle child =
        desktop.AddChild(desktop.AddChild(top, "Shell DocObject View"), "Internet Explorer_Server");
    if (!Has(c.how, "no document")) pages.pages[child] = Page(c.address, c.body);
    pages.libraryMissing = Has(c.how, "library missing");
    EXPECT_EQ(Test(child, top), c.expected);
  }
}

// A window that goes at any moment of its test: nothing crashes or stays open, and a record is
// written exactly when a chat or a page was blocked or an edit control's program was ended.
TEST_F(WindowGuardTest, WindowsThatVanishMidTestFollowTheRecordRule) {
  for (int questions = 0; questions < 12; ++questions) {
    for (const char* childClass : {"Static", "Edit", "Internet Explorer_Server"}) {
      SCOPED_TRACE(::testing::Message() << childClass << " " << questions);
      const bool chat = childClass[0] == 'S';
      const WindowHandle top = desktop.AddTopLevel("IEFrame", chat ? "mIRC" : "app");
      const WindowHandle child = desktop.AddChild(top, childClass, "adults only");
      pages.pages[child] = Page("http://x.example/", "adults only");
      desktop.At(top).questionsLeft = questions;
      const Outcome o = Test(child, top);
      if (childClass[0] == 'E') {
        EXPECT_EQ(o.record.empty(), o.action != kEnd);
      }
    }
  }
}

}  // namespace
}  // namespace tevanor
