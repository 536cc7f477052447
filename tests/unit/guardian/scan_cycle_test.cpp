#include "guardian/scan_cycle.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_desktop.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"

namespace tevanor {
namespace {

using testing::FakeTimers;
using Change = FakeTimers::Change;

// Records every test the scan asks for; a test may stop a walk or take virtual time.
class RecordingTest final : public ChildWindowTest {
 public:
  ScanStep TestChildWindow(WindowHandle child, WindowHandle top) override {
    visits.push_back({child, top});
    if (onTest) onTest(child);
    return child == stopAt ? ScanStep::kStop : ScanStep::kContinue;
  }
  std::vector<std::pair<WindowHandle, WindowHandle>> visits;
  WindowHandle stopAt = kNoWindow;
  std::function<void(WindowHandle)> onTest;
};

class ScanCycleTest : public ::testing::Test {
 protected:
  void Run(std::uint64_t ms) {
    timers.Advance(ms, [this](unsigned id) { ASSERT_TRUE(cycle.OnTimer(id)); });
  }
  // The panel arms its timers as it does at start, when the guardian is on.
  void ArmAtStart() {
    timers.SetTimer(TIMER_VERSION, kVersionRetryMs);
    timers.SetTimer(TIMER_AUTOHIDE, kAutoHideMs);
    timers.SetTimer(TIMER_SCAN, kScanPauseMs);
    timers.changes.clear();
  }

  GuardState state;
  testing::FakeProfile profile;
  FakeTimers timers;
  testing::FakeDesktop desktop;
  testing::FakeNetwork network;
  testing::FakeGuardHost host;
  RecordingTest test;
  ScanCycle cycle{state, {profile, timers, desktop, network, host}, test};
};

TEST_F(ScanCycleTest, ATickDisarmsScansAndReArmsFromTheEndOfThePass) {
  const WindowHandle top = desktop.AddTopLevel();
  desktop.AddChild(top);
  test.onTest = [this](WindowHandle) { timers.now += 300; };  // a slow pass
  timers.SetTimer(TIMER_SCAN, kScanPauseMs);
  timers.changes.clear();

  Run(500);
  EXPECT_EQ(timers.changes,
            (std::vector<Change>{{500, TIMER_SCAN, std::nullopt}, {800, TIMER_SCAN, 500u}}));
  EXPECT_EQ(timers.NextDue(), 1300u);
  EXPECT_EQ(test.visits.size(), 1u);
}

TEST_F(ScanCycleTest, ATickWhileBusyDoesNothingAndStaysArmed) {
  desktop.AddChild(desktop.AddTopLevel());
  profile.values["SINST"] = 1;
  state.m_bScanBusy = 1;
  timers.SetTimer(TIMER_SCAN, kScanPauseMs);
  timers.changes.clear();

  Run(1000);
  EXPECT_TRUE(test.visits.empty());
  EXPECT_TRUE(timers.changes.empty());
  EXPECT_TRUE(timers.IsArmed(TIMER_SCAN));
  EXPECT_EQ(host.showPanelPosts, 0);
  EXPECT_EQ(profile.GetInt("SINST", 0), 1);
}

TEST_F(ScanCycleTest, ASecondStartSignalIsAnsweredOnceBeforeThePass) {
  desktop.AddChild(desktop.AddTopLevel());
  profile.values["SINST"] = 1;
  test.onTest = [this](WindowHandle) { EXPECT_EQ(host.showPanelPosts, 1); };
  timers.SetTimer(TIMER_SCAN, kScanPauseMs);

  Run(1000);
  EXPECT_EQ(host.showPanelPosts, 1);
  EXPECT_EQ(profile.GetInt("SINST", -1), 0);
  EXPECT_EQ(test.visits.size(), 2u);
}

TEST_F(ScanCycleTest, ScanDesktopWalksDescendantsDepthFirstAndStopsPerTopLevel) {
  const WindowHandle a = desktop.AddTopLevel();
  const WindowHandle a1 = desktop.AddChild(a);
  const WindowHandle a11 = desktop.AddChild(a1);
  const WindowHandle a2 = desktop.AddChild(a);
  desktop.AddNullTopLevel();
  const WindowHandle b = desktop.AddTopLevel();  // no descendants: never tested
  const WindowHandle c = desktop.AddTopLevel();
  const WindowHandle c1 = desktop.AddChild(c);
  const WindowHandle c2 = desktop.AddChild(c);
  (void)b;
  (void)a2;
  test.stopAt = a11;

  cycle.ScanDesktop();
  using Visit = std::pair<WindowHandle, WindowHandle>;
  EXPECT_EQ(test.visits, (std::vector<Visit>{{a1, a}, {a11, a}, {c1, c}, {c2, c}}));
}

TEST_F(ScanCycleTest, AutoHideWaitsForPromptsAndDialogs) {
  struct Case {
    bool prompt;
    bool filter, history, siteAdmin;
    bool hides;
  };
  for (const Case c :
       {Case{false, false, false, false, true}, Case{true, false, false, false, false},
        Case{false, true, false, false, false}, Case{false, false, true, false, false},
        Case{false, false, false, true, false}}) {
    FakeTimers t;
    testing::FakeGuardHost h;
    GuardState s;
    ScanCycle cyc{s, {profile, t, desktop, network, h}, test};
    h.promptShowing = c.prompt;
    // Only the pointers' presence matters to the tick; they are never followed.
    static char dialog;
    if (c.filter) s.m_pFilterDlg = reinterpret_cast<CFilterConfigDlg*>(&dialog);
    if (c.history) s.m_pHistoryDlg = reinterpret_cast<CHistoryDlg*>(&dialog);
    if (c.siteAdmin) s.m_pSiteAdminDlg = reinterpret_cast<CSiteAdminDlg*>(&dialog);
    t.SetTimer(TIMER_AUTOHIDE, kAutoHideMs);
    t.Advance(20'000, [&](unsigned id) { cyc.OnTimer(id); });
    EXPECT_EQ(h.closePanelPosts, c.hides ? 1 : 0);
    EXPECT_EQ(t.IsArmed(TIMER_AUTOHIDE), !c.hides);
  }
}

TEST_F(ScanCycleTest, AutoHideFiresAtTheFirstTickAfterTheLastDialogCloses) {
  host.promptShowing = true;
  ArmAtStart();
  Run(25'000);
  EXPECT_EQ(host.closePanelPosts, 0);
  host.promptShowing = false;
  Run(4'999);  // the tick at 30 s
  EXPECT_EQ(host.closePanelPosts, 0);
  Run(1);
  EXPECT_EQ(host.closePanelPosts, 1);
  EXPECT_FALSE(timers.IsArmed(TIMER_AUTOHIDE));
}

TEST_F(ScanCycleTest, VersionTickRetriesEveryThreeSecondsOfflineAndTwoHoursAfterANotice) {
  state.m_strVersion = "1,0,0,1";
  timers.SetTimer(TIMER_VERSION, kVersionRetryMs);
  Run(9'000);
  EXPECT_EQ(network.calls, 3);
  EXPECT_TRUE(host.notices.empty());
  EXPECT_EQ(timers.Period(TIMER_VERSION), kVersionRetryMs);

  network.addresses = std::vector<std::string>{"127.0.0.1", "192.168.0.7"};
  Run(3'000);
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].version, "1,0,0,1");
  EXPECT_EQ(host.notices[0].address, "http://www.orvelda.example/version");
  EXPECT_EQ(timers.Period(TIMER_VERSION), kVersionAfterNoticeMs);
  Run(kVersionAfterNoticeMs);
  EXPECT_EQ(host.notices.size(), 2u);
}

TEST_F(ScanCycleTest, ListRebuildsPauseTheScanAndResumeOnlyWhenTheGuardianIsOn) {
  ArmAtStart();
  {
    ScanPause pause(cycle);
    EXPECT_FALSE(timers.IsArmed(TIMER_SCAN));
  }
  EXPECT_EQ(timers.Period(TIMER_SCAN), kScanPauseMs);

  state.m_bGuardActive = 0;
  { ScanPause pause(cycle); }
  EXPECT_FALSE(timers.IsArmed(TIMER_SCAN));
  EXPECT_TRUE(timers.IsArmed(TIMER_AUTOHIDE));
  EXPECT_TRUE(timers.IsArmed(TIMER_VERSION));
}

TEST_F(ScanCycleTest, OtherTimerIdsAreNotOurs) {
  for (unsigned id : {0u, 2u, 4u, 9u, 11u}) EXPECT_FALSE(cycle.OnTimer(id)) << id;
}

}  // namespace
}  // namespace tevanor
