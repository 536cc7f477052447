#include "guardian/window_guard.h"

#include <gtest/gtest.h>

#include "guard_fixture.h"
#include "guardian/scan_cycle.h"

namespace tevanor {
namespace {

using Record = std::vector<std::string>;

// Passes of the real scan over the fake desktop, before and after the shell is known.
class ShellLearningTest : public ::testing::Test {
 protected:
  void Pass() { cycle.ScanDesktop(); }

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

TEST_F(ShellLearningTest, NothingIsBlockedUntilTheTaskbarIsSeen) {
  const WindowHandle chat = desktop.AddTopLevel("mIRC", "mIRC", 7);
  desktop.AddChild(chat, "Edit", "adults only");
  Pass();
  EXPECT_EQ(state.m_dwShellPid, 0u);

  const WindowHandle taskbar = desktop.AddTopLevel("Shell_TrayWnd", "", 3);
  desktop.AddChild(desktop.AddChild(taskbar, "ReBarWindow32"), "TrayNotifyWnd");
  Pass();  // the chat window comes before the taskbar in this pass
  EXPECT_EQ(state.m_dwShellPid, 3u);
  EXPECT_TRUE(desktop.ended.empty());
  EXPECT_EQ(desktop.controlTextReads, 0);

  Pass();
  EXPECT_EQ(desktop.ended, std::vector<std::uint32_t>{7});
}

TEST_F(ShellLearningTest, TheShellIsLearnedOnceFromTheNotificationAreaOrAnyTaskbarChild) {
  struct Case {
    const char* topClass;
    const char* childClass;
    std::uint32_t learned;
  };
  for (const Case c : {Case{"Shell_TrayWnd", "TrayNotifyWnd", 3},
                       Case{"AnyTop", "MyTrayNotifyWndX", 3},  // contained in the class name
                       Case{"Shell_TrayWnd", "Button", 3},     // a taskbar without one
                       Case{"Shell_TrayWndX", "Button", 0}, Case{"Notepad", "Edit", 0}}) {
    state.m_dwShellPid = 0;
    desktop = testing::FakeDesktop();
    desktop.AddTopLevel("Shell_TrayWnd", "", 9);  // a taskbar without children is never tested
    desktop.AddChild(desktop.AddTopLevel(c.topClass, "", 3), c.childClass);
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 4), "TrayNotifyWnd");
    Pass();
    EXPECT_EQ(state.m_dwShellPid, c.learned ? c.learned : 4u) << c.topClass << c.childClass;
  }
}

class ChatBlockTest : public GuardFixture {};

TEST_F(ChatBlockTest, ChatWindowsAreEndedOrAskedToCloseAndAlwaysRecorded) {
  struct Case {
    const char* name;
    int mirc, java;
    const char* title;
    const char* childClass;
    bool inShell, unopenable;
    const char* cause;  // nullptr: not blocked
    BlockAction action;
  };
  const Case cases[] = {
      {"mirc", 1, 0, "#chat - mIRC32", "Static", false, false, kCauseMirc,
       BlockAction::kEndProgram},
      {"mirc any case", 5, 0, "MiRc", "Static", false, false, kCauseMirc, BlockAction::kEndProgram},
      {"mirc off", 0, 1, "mIRC", "Static", false, false, nullptr, {}},
      {"java", 0, 1, "Sala", "MSAWT_Comp_Class", false, false, kCauseJava,
       BlockAction::kEndProgram},
      {"java off", 1, 0, "Sala", "MSAWT_Comp_Class", false, false, nullptr, {}},
      {"java class must be equal", 0, 1, "Sala", "MSAWT_Comp_ClassX", false, false, nullptr, {}},
      {"shell", 1, 0, "mirc", "Static", true, false, kCauseMirc, BlockAction::kCloseRequest},
      {"unopenable", 1, 0, "mirc", "Static", false, true, kCauseMirc, BlockAction::kLeftRunning},
      {"unopenable shell", 1, 0, "mirc", "Static", true, true, kCauseMirc,
       BlockAction::kCloseRequest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state.m_bMircChat = c.mirc;
    state.m_bJavaChat = c.java;
    const WindowHandle top = desktop.AddTopLevel("Chat", c.title, c.inShell ? kShell : 0);
    const WindowHandle child = desktop.AddChild(top, c.childClass);
    const std::uint32_t pid = desktop.Owner(top).processId;
    if (c.unopenable) desktop.unopenable.insert(pid);
    const std::size_t blocksBefore = host.blocks.size();

    const ScanStep step = guard.TestChildWindow(child, top);
    EXPECT_EQ(step, c.cause ? ScanStep::kStop : ScanStep::kContinue);
    EXPECT_EQ(host.blocks.size(), blocksBefore + (c.cause ? 1 : 0));
    const bool ended = !desktop.ended.empty() && desktop.ended.back() == pid;
    const bool asked = !desktop.closeRequests.empty() && desktop.closeRequests.back() == top;
    EXPECT_EQ(ended, c.cause && c.action == BlockAction::kEndProgram);
    EXPECT_EQ(asked, c.cause && c.action == BlockAction::kCloseRequest);
    if (c.cause) {
      EXPECT_EQ(host.blocks.back().action, c.action);
      EXPECT_EQ(History().back(), (Record{c.title, "21:07-05/12/2002", c.cause}));
    }
    ExpectEverythingReleased();
  }
}

class EditControlTest : public GuardFixture {};

TEST_F(EditControlTest, TheFirstPhraseInAnEditControlEndsItsProgram) {
  struct Case {
    const char* childClass;
    const char* text;
    const char* cause;  // the phrase as compared; nullptr: not blocked
  };
  const Case cases[] = {
      {"Edit", "only for adults only, ok", "ADULTS ONLY"},
      {"RichEdit20A", "18 years or older and adults only", "ADULTS ONLY"},  // list order
      {"Edit", "CASINO", "CASINO"},  // an ignore-case word is reported upper-cased
      {"Edit", "poker night", nullptr},
      {"Edit", "Poker night", "Poker"},
      {"Static", "adults only", nullptr},  // not an edit control
      {"Edit", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WindowHandle top = desktop.AddTopLevel("Notepad", "notas.txt - Bloc de notas");
    const WindowHandle edit = desktop.AddChild(top, c.childClass, c.text);
    const std::uint32_t pid = desktop.Owner(top).processId;

    EXPECT_EQ(guard.TestChildWindow(edit, top), c.cause ? ScanStep::kStop : ScanStep::kContinue);
    EXPECT_EQ(!desktop.ended.empty() && desktop.ended.back() == pid, c.cause != nullptr);
    if (c.cause) {
      EXPECT_EQ(History().back(),
                (Record{"notas.txt - Bloc de notas", "21:07-05/12/2002", c.cause}));
    }
    ExpectEverythingReleased();
  }
  EXPECT_EQ(History().size(), 4u);
}

TEST_F(EditControlTest, AnEmptyPhraseMatchesEveryTextButAnEmptyOne) {
  state.phrases.ReplaceUser({{"", false, true}});
  const WindowHandle top = desktop.AddTopLevel("App", "app");
  const WindowHandle empty = desktop.AddChild(top, "Edit", "");
  const WindowHandle full = desktop.AddChild(top, "Edit", "hola");
  EXPECT_EQ(guard.TestChildWindow(empty, top), ScanStep::kContinue);
  EXPECT_EQ(guard.TestChildWindow(full, top), ScanStep::kStop);
  EXPECT_EQ(History(), (std::vector<Record>{{"app", "21:07-05/12/2002", ""}}));
}

TEST_F(EditControlTest, ControlsThatCannotBeReadOrActedOnAreSkippedWithoutARecord) {
  struct Case {
    const char* name;
    std::function<void(WindowHandle top, WindowHandle edit)> arrange;
    bool textRead;
  };
  const Case cases[] = {
      {"our own window", [](WindowHandle, WindowHandle) {}, false},
      {"hung program", [&](WindowHandle, WindowHandle e) { desktop.At(e).hung = true; }, true},
      {"control gone", [&](WindowHandle, WindowHandle e) { desktop.Destroy(e); }, false},
      {"unopenable",
       [&](WindowHandle t, WindowHandle) { desktop.unopenable.insert(desktop.At(t).processId); },
       true},
      {"top gone after the read",
       [&](WindowHandle, WindowHandle e) {
         desktop.onQuestion = [&, e](WindowHandle w) {
           if (w != e && desktop.controlTextReads > 0) desktop.Destroy(desktop.Parent(e));
         };
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool own = std::string(c.name) == "our own window";
    const WindowHandle top =
        desktop.AddTopLevel("App", "app", own ? testing::FakeDesktop::kOwnProcess : 0);
    const WindowHandle edit = desktop.AddChild(top, "Edit", "adults only");
    desktop.controlTextReads = 0;
    c.arrange(top, edit);
    EXPECT_EQ(guard.TestChildWindow(edit, top), ScanStep::kContinue);
    desktop.onQuestion = nullptr;
    EXPECT_EQ(desktop.controlTextReads > 0, c.textRead);
    EXPECT_TRUE(desktop.ended.empty());
    EXPECT_TRUE(desktop.closeRequests.empty());
    ExpectEverythingReleased();
  }
  EXPECT_TRUE(History().empty());
  EXPECT_TRUE(host.blocks.empty());
}

TEST_F(EditControlTest, TheShellIsOnlyAskedToCloseAndTheWalkIsBusyMeanwhile) {
  const WindowHandle explorer = desktop.AddTopLevel("CabinetWClass", "C:\\casino", kShell);
  const WindowHandle edit = desktop.AddChild(explorer, "Edit", "C:\\casino");
  std::vector<int> busyWhenAskedAboutTop;
  desktop.onQuestion = [&](WindowHandle w) {
    if (w == explorer) busyWhenAskedAboutTop.push_back(state.m_bScanBusy);
  };
  EXPECT_EQ(guard.TestChildWindow(edit, explorer), ScanStep::kStop);
  EXPECT_TRUE(desktop.ended.empty());
  EXPECT_EQ(desktop.closeRequests, std::vector<WindowHandle>{explorer});
  // The attachment and the title of the top come before the walk; the checks after it are
  // made while busy.
  EXPECT_EQ(busyWhenAskedAboutTop.front(), 0);
  EXPECT_EQ(busyWhenAskedAboutTop.back(), 1);
  EXPECT_EQ(History().back()[2], "CASINO");
  ExpectEverythingReleased();
}

// A window that goes at any moment of its test: nothing crashes, nothing stays open, and a
// record is written exactly when a chat window was blocked or an edit control's program was
// opened and ended.
TEST_F(EditControlTest, WindowsThatVanishMidTestFollowTheRecordRule) {
  for (int questions = 0; questions < 12; ++questions) {
    for (const bool chat : {true, false}) {
      SCOPED_TRACE(::testing::Message() << (chat ? "chat " : "edit ") << questions);
      const WindowHandle top = desktop.AddTopLevel("App", chat ? "mIRC" : "app");
      const WindowHandle edit = desktop.AddChild(top, "Edit", "adults only");
      desktop.At(top).questionsLeft = questions;
      const std::size_t records = History().size();
      const std::size_t ended = desktop.ended.size();

      const ScanStep step = guard.TestChildWindow(edit, top);
      const std::size_t newRecords = History().size() - records;
      EXPECT_EQ(newRecords, step == ScanStep::kStop ? 1u : 0u);
      if (!chat) {
        EXPECT_EQ(newRecords, desktop.ended.size() - ended);
      }
      ExpectEverythingReleased();
    }
  }
}

}  // namespace
}  // namespace tevanor
