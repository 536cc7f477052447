#include "guardian/window_guard.h"

#include <gtest/gtest.h>

#include <string_view>

#include "fakes/fake_guardian.h"
#include "rules/history_file.h"

namespace tevanor {
namespace {

// What one test of a window did: the record it wrote (site text and cause; empty: none) and
// what was done to the window's program: "ended", "closed" (asked to close) or nothing ("").
using Outcome = std::pair<std::vector<std::string>, std::string>;

std::string Done(BlockAction action) {
  return action == BlockAction::kEndProgram     ? "ended"
         : action == BlockAction::kCloseRequest ? "closed"
                                                : "";
}

bool Has(std::string_view how, std::string_view word) {
  return how.find(word) != std::string_view::npos;
}

// A guardian over a fake desktop whose shell is known, with the built-in phrases "ADULTS ONLY"
// and "18 YEARS OR OLDER" and the user words "casino" (any case) and "Poker" (exact case).
class WindowGuardTest : public ::testing::Test, protected testing::FakeGuardian {
 protected:
  static constexpr std::uint32_t kShell = 50;
  static constexpr std::uint32_t kOwnProcess = testing::FakeDesktop::kOwnProcess;

  WindowGuardTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", kShell), "TrayNotifyWnd");
    state.m_dwShellPid = kShell;
    state.phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}, {"18 YEARS OR OLDER", true, true}});
    state.phrases.ReplaceUser({{"casino", false, true}, {"Poker", false, false}});
  }

  // A top-level window of a new program, or of the shell or our own program when `how` says
  // "shell" or "own"; "unopenable" makes its program the only one that cannot be opened.
  WindowHandle AddTop(std::string_view how, const char* topClass, const char* title) {
    desktop.unopenable.clear();
    const std::uint32_t pid = Has(how, "shell") ? kShell : Has(how, "own") ? kOwnProcess : 0;
    const WindowHandle top = desktop.AddTopLevel(topClass, title, pid);
    if (Has(how, "unopenable")) desktop.unopenable.insert(desktop.At(top).processId);
    return top;
  }

  std::vector<BlockRecord> History() {
    const auto loaded = LoadHistoryList(files);
    return loaded ? loaded->ToRecords() : std::vector<BlockRecord>{};
  }

  // Tests `child` of `top` once. A block stops the walk, writes one record and opens one notice
  // that tells what was done; either way the scan is no longer busy.
  Outcome Test(WindowHandle child, WindowHandle top) {
    const std::size_t records = History().size(), blocks = host.blocks.size();
    desktop.ended.clear();
    desktop.closeRequests.clear();
    const bool stopped = guard.TestChildWindow(child, top) == ScanStep::kStop;
    EXPECT_EQ(state.m_bScanBusy, 0);
    EXPECT_EQ(History().size() - records, stopped ? 1u : 0u);
    EXPECT_EQ(host.blocks.size() - blocks, stopped ? 1u : 0u);
    Outcome outcome;
    if (!desktop.ended.empty()) {
      EXPECT_EQ(desktop.ended, (std::vector{desktop.At(top).processId}));
      outcome.second = "ended";
    } else if (!desktop.closeRequests.empty()) {
      EXPECT_EQ(desktop.closeRequests, (std::vector{top}));
      outcome.second = "closed";
    }
    if (!stopped) return outcome;
    const BlockRecord newest = History().front();
    EXPECT_EQ(Done(host.blocks.back().action), outcome.second);
    outcome.first = {newest.siteText, newest.cause};
    return outcome;
  }
};

TEST_F(WindowGuardTest, NothingIsTestedUntilAPassHasSeenTheTaskbar) {
  // A window of pid 3, then a taskbar of pid 4 with a notification area: the shell learned.
  for (const auto& [topClass, childClass, shell] :
       {std::tuple{"Shell_TrayWnd", "TrayNotifyWnd", 3u},
        {"AnyTop", "MyTrayNotifyWndX", 3u},  // contained in the class name
        {"Shell_TrayWnd", "Button", 3u},     // a taskbar without one
        {"Shell_TrayWndX", "Button", 4u}}) {
    SCOPED_TRACE(childClass);
    state.m_dwShellPid = 0;
    desktop = testing::FakeDesktop();
    desktop.AddChild(desktop.AddTopLevel("Chat", "mIRC"), "Static");
    desktop.AddTopLevel("Shell_TrayWnd", "", 9);  // without children: never tested
    desktop.AddChild(desktop.AddTopLevel(topClass, "", 3), childClass);
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 4), "TrayNotifyWnd");
    cycle.ScanDesktop();
    EXPECT_EQ(state.m_dwShellPid, shell);
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
    const char* done;
  };
  const Case cases[] = {
      {"mirc", 1, 0, "#chat - mIRC32", "Static", "", kCauseMirc, "ended"},
      {"mirc any case", 5, 0, "MiRc", "Static", "", kCauseMirc, "ended"},
      {"mirc off", 0, 1, "mIRC", "Static", "", nullptr, ""},
      {"java", 0, 1, "Sala", "MSAWT_Comp_Class", "", kCauseJava, "ended"},
      {"java off", 1, 0, "Sala", "MSAWT_Comp_Class", "", nullptr, ""},
      {"java class equal", 0, 1, "Sala", "MSAWT_Comp_ClassX", "", nullptr, ""},
      {"mirc shell", 1, 0, "mirc", "Static", "", kCauseMirc, "closed"},
      {"mirc unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, ""},
      {"mirc shell unopenable", 1, 0, "mirc", "Static", "", kCauseMirc, "closed"},
      {"edit", 1, 0, "notas", "Edit", "only for adults only, ok", "ADULTS ONLY", "ended"},
      {"list order", 1, 0, "notas", "RichEdit20A", "18 years or older, adults only", "ADULTS ONLY",
       "ended"},
      {"upper-cased", 1, 0, "notas", "Edit", "Casino", "CASINO", "ended"},
      {"exact case", 1, 0, "notas", "Edit", "poker night", nullptr, ""},
      {"exact case", 1, 0, "notas", "Edit", "Poker night", "Poker", "ended"},
      {"not an edit", 1, 0, "notas", "Static", "adults only", nullptr, ""},
      {"edit shell", 1, 0, "C:\\", "Edit", "C:\\casino", "CASINO", "closed"},
      {"edit unopenable", 1, 0, "notas", "Edit", "adults only", nullptr, ""},
      {"hung", 1, 0, "notas", "Edit", "adults only", nullptr, ""},
      {"own", 1, 0, "notas", "Edit", "adults only", nullptr, ""},  // we never read our own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.m_bMircChat = c.mirc;
    state.m_bJavaChat = c.java;
    const WindowHandle top = AddTop(c.how, "Chat", c.title);
    const WindowHandle child = desktop.AddChild(top, c.childClass, c.text);
    desktop.At(child).hung = Has(c.how, "hung");
    const Outcome expected{
        c.cause ? std::vector<std::string>{c.title, c.cause} : std::vector<std::string>{}, c.done};
    EXPECT_EQ(Test(child, top), expected);
  }
}

TEST_F(WindowGuardTest, AnEmptyPhraseMatchesEveryTextButAnEmptyOne) {
  state.phrases.ReplaceUser({{"", false, true}});
  const WindowHandle top = desktop.AddTopLevel("App", "app");
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", ""), top), Outcome{});
  EXPECT_EQ(Test(desktop.AddChild(top, "Edit", "hola"), top), (Outcome{{"app", ""}, "ended"}));
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
      {"prohibited", {{"http://x.ex", 1}}, ie, "IE", x, "", {{x, kCauseSites}, "closed"}},
      {"free access ends it", {{"http://x", 0}, {"x.ex", 1}}, ie, "Casino", x, "casino", {}},
      {"not the browser, then free", {{"x.ex", 1}, {"x.example", 0}}, "CabinetWClass", "IE", x,
       "casino", {}},
      {"not the browser, phrase", {{"x.ex", 1}}, "CabinetWClass", "IE", x, "casino",
       {{x, "casino"}, "closed"}},
      {"title", {}, ie, "Casino Royal - IE", x, "", {{x, "CASINO"}, "closed"}},
      {"text as stored", {}, ie, "IE", x, "Solo casino y poker", {{x, "casino"}, "closed"}},
      {"mail", {}, "Outlook Express Browser Class", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook Express", "ADULTS ONLY"}, "ended"}},
      {"mail", {}, "rctrl_renwnd32", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook", "ADULTS ONLY"}, "ended"}},
      {"mail shell", {}, "rctrl_renwnd32", "Bandeja", x, "adults only",
       {{"MAIL: MS Outlook", "ADULTS ONLY"}, "closed"}},
      {"our own window", {}, ie, "Historial", x, "casino", {}},
      {"a page titled with the product", {}, ie, "Tevanor", x, "casino", {{x, "casino"}, "closed"}},
      {"unopenable", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
      {"library missing", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
      {"no document", {{"x.ex", 1}}, ie, "IE", x, "casino", {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    state.sites.Clear();
    for (const auto& [text, prohibited] : c.sites) state.sites.Append(text, prohibited);
    const WindowHandle top = AddTop(c.how, c.topClass, c.title);
    const WindowHandle child =
        desktop.AddChild(desktop.AddChild(top, "Shell DocObject View"), "Internet Explorer_Server");
    if (!Has(c.how, "no document")) pages.pages[child] = {.address = c.address, .body = c.body};
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
      pages.pages[child] = {.address = "http://x.example/", .body = "adults only"};
      desktop.At(top).questionsLeft = questions;
      const Outcome o = Test(child, top);
      if (childClass[0] == 'E') {
        EXPECT_EQ(o.first.empty(), o.second != "ended");
      }
    }
  }
}

}  // namespace
}  // namespace tevanor
