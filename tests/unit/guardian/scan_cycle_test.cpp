#include "guardian/scan_cycle.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes/fake_guardian.h"

namespace tevanor {
namespace {

using Change = testing::FakeTimers::Change;
using Visit = std::pair<WindowHandle, WindowHandle>;

// Records every test the scan asks for; a test may stop a walk or take virtual time.
class RecordingTest final : public ChildWindowTest {
 public:
  ScanStep TestChildWindow(WindowHandle child, WindowHandle top) override {
    visits.push_back({child, top});
    if (onTest) onTest();
    return child == stopAt ? ScanStep::kStop : ScanStep::kContinue;
  }
  std::vector<Visit> visits;
  WindowHandle stopAt = kNoWindow;
  std::function<void()> onTest;
};

// The panel's timers on a virtual clock, armed as the panel arms them when the guardian is on.
class ScanCycleTest : public ::testing::Test, protected testing::FakeGuardian {
 protected:
  ScanCycleTest() {
    timers.SetTimer(TIMER_VERSION, kVersionRetryMs);
    timers.SetTimer(TIMER_AUTOHIDE, kAutoHideMs);
    timers.SetTimer(TIMER_SCAN, kScanPauseMs);
    timers.changes.clear();
  }
  void Run(std::uint64_t ms) {
    timers.Advance(ms, [this](unsigned id) { ASSERT_TRUE(scan.OnTimer(id)); });
  }

  RecordingTest test;
  ScanCycle scan{state, {profile, timers, desktop, network, host}, test};
};

TEST_F(ScanCycleTest, ATickAnswersASecondStartOnceAndReArmsFromTheEndOfThePass) {
  desktop.AddChild(desktop.AddTopLevel());
  profile.values["SINST"] = 1;
  std::vector<int> shownAtPass;
  test.onTest = [this, &shownAtPass] {
    shownAtPass.push_back(host.showPanelPosts);
    timers.now += 300;  // a slow pass
  };
  state.m_bScanBusy = 1;  // a window's lists are walked: ticks do nothing, the timer stays armed
  Run(1000);
  EXPECT_TRUE(timers.changes.empty() && shownAtPass.empty());

  state.m_bScanBusy = 0;
  Run(1000);
  EXPECT_EQ(timers.changes,
            (std::vector<Change>{{1500, TIMER_SCAN, std::nullopt}, {1800, TIMER_SCAN, 500u}}));
  Run(300);
  EXPECT_EQ(shownAtPass, (std::vector{1, 1}));
}

TEST_F(ScanCycleTest, ScanDesktopWalksDescendantsDepthFirstAndStopsPerTopLevel) {
  const WindowHandle a = desktop.AddTopLevel();
  const WindowHandle a1 = desktop.AddChild(a);
  test.stopAt = desktop.AddChild(a1);
  desktop.AddChild(a);  // after the stop: not tested
  desktop.AddNullTopLevel();
  desktop.AddTopLevel();  // no descendants: never tested
  const WindowHandle c = desktop.AddTopLevel();
  const WindowHandle c1 = desktop.AddChild(c);
  const WindowHandle c2 = desktop.AddChild(c);
  scan.ScanDesktop();
  EXPECT_EQ(test.visits, (std::vector<Visit>{{a1, a}, {test.stopAt, a}, {c1, c}, {c2, c}}));
}

TEST_F(ScanCycleTest, AutoHideWaitsWhileThePanelIsBusy) {
  host.panelBusy = true;
  Run(kAutoHideMs);
  EXPECT_EQ(host.closePanelPosts, 0);
  host.panelBusy = false;
  Run(kAutoHideMs);
  EXPECT_EQ(host.closePanelPosts, 1);
  EXPECT_FALSE(timers.IsArmed(TIMER_AUTOHIDE));
}

TEST_F(ScanCycleTest, VersionTickRetriesEveryThreeSecondsOfflineAndTwoHoursAfterANotice) {
  state.m_strVersion = "1,0,0,1";
  Run(9'000);
  EXPECT_TRUE(host.notices.empty());
  network.addresses = std::vector<std::string>{"192.168.0.7"};
  Run(3'000 + kVersionAfterNoticeMs);
  ASSERT_EQ(host.notices.size(), 2u);
  EXPECT_EQ(host.notices[1].version, "1,0,0,1");
}

TEST_F(ScanCycleTest, ListRebuildsPauseTheScanAndResumeOnlyWhenTheGuardianIsOn) {
  for (const int active : {1, 0}) {
    state.m_bGuardActive = active;
    {
      ScanPause pause(scan);
      EXPECT_FALSE(timers.IsArmed(TIMER_SCAN));
    }
    EXPECT_EQ(timers.Period(TIMER_SCAN), active ? std::optional(kScanPauseMs) : std::nullopt);
  }
}

}  // namespace
}  // namespace tevanor
