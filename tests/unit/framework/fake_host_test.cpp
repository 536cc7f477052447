// What only the fake host does: the virtual clock across nested loops, and a test failure for
// what no user could do or what the script never gives.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/framework/fake_dialog_host.h"
#include "probe_dialog.h"

namespace tevanor::testing {

std::unique_ptr<DialogHost> MakeContractHost() {
  return std::make_unique<FakeDialogHost>();
}

void RunPending(DialogHost& host) {
  static_cast<FakeDialogHost&>(host).Run();
}

namespace {

using ::testing::ThrowsMessage;

TEST(FakeHostLoop, TimersOfEveryWindowTickInsideNestedModalRuns) {
  // A modeless window ticks every 500 ms; its third tick opens a modal prompt that gives up on
  // its own timer after 10 s. One Wait spans both loops.
  FakeDialogHost host;
  auto* ticker = OpenModeless<ProbeDialog>(host, nullptr);
  ProbeDialog prompt(host);
  int promptResult = 0;
  ticker->Window().SetTimer(1, 500);
  ticker->onTimer = [&](unsigned) {
    if (host.Now() == 1'500) promptResult = prompt.DoModal(ticker);
  };
  prompt.onInit = [&] { prompt.Window().SetTimer(7, 10'000); };
  prompt.onTimer = [&](unsigned) { prompt.Window().EndDialog(5); };
  host.Wait(12'000).Run();
  EXPECT_EQ(promptResult, 5);
  EXPECT_EQ(host.Now(), 12'000u);
  EXPECT_EQ(std::count(ticker->log.begin(), ticker->log.end(), "timer 1"), 24);
}

TEST(FakeHostLoop, AModalRunWithoutScriptedInputFailsTheTestInsteadOfHanging) {
  FakeDialogHost host;
  ProbeDialog probe(host);
  host.Wait(250);
  EXPECT_THAT([&] { probe.DoModal(); },
              ThrowsMessage<std::runtime_error>(
                  "dialog 900 \"Probe\" waits for input that the test script does not give (at "
                  "250 ms)"));
  EXPECT_FALSE(probe.HasWindow());
  // The host goes on working after the failure.
  host.PressEnter();
  EXPECT_EQ(probe.DoModal(), kIdOk);
}

TEST(FakeHostLoop, ActionsNoUserCouldTakeFailTheTest) {
  FakeDialogHost host;
  OpenModeless<ProbeDialog>(host, nullptr);
  const std::function<void()> impossible[] = {
      [&] { host.Click(IDC_PROBE_HIDDEN); },
      [&] { host.Type(IDC_PROBE_BUTTON, "x"); },
      [&] { host.Answer(kIdOk); },
  };
  for (const auto& act : impossible) {
    act();
    EXPECT_THROW(host.Run(), std::logic_error);
  }
}

}  // namespace
}  // namespace tevanor::testing
