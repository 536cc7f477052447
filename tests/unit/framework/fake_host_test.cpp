#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/framework/fake_dialog_host.h"
#include "probe_dialog.h"
#include "probe_ids.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class FakeHostLoop : public ::testing::Test {
 protected:
  FakeDialogHost host;
};

TEST_F(FakeHostLoop, TimersOfEveryWindowTickInsideNestedModalRuns) {
  // A modeless window ticks every 500 ms; its third tick opens a modal prompt that gives up on
  // its own timer after 10 s. One Wait spans both loops.
  auto* ticker = OpenModeless<ProbeDialog>(host, nullptr);
  ProbeDialog prompt(host);
  std::vector<std::uint64_t> ticks;
  int promptResult = 0;
  ticker->Window().SetTimer(1, 500);
  ticker->onTimer = [&](unsigned) {
    ticks.push_back(host.Now());
    if (ticks.size() == 3) promptResult = prompt.DoModal(ticker);
  };
  prompt.onInit = [&] { prompt.Window().SetTimer(7, 10'000); };
  prompt.onTimer = [&](unsigned) { prompt.Window().EndDialog(5); };
  host.Wait(12'000).Run();

  EXPECT_EQ(promptResult, 5);
  EXPECT_EQ(host.Now(), 12'000u);
  // Ticks 4 to 23 happened while the prompt was up (1 500 to 11 500 ms).
  ASSERT_EQ(ticks.size(), 24u);
  for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_EQ(ticks[i], 500 * (i + 1));
}

TEST_F(FakeHostLoop, PostedMessagesRunBeforeATimerThatIsDue) {
  auto* probe = OpenModeless<ProbeDialog>(host, nullptr);
  probe->Window().SetTimer(3, 100);
  probe->Window().SetTimer(4, 100);
  probe->onTimer = [&](unsigned id) {
    probe->Window().KillTimer(id);
    if (id == 3) probe->Post(PrivateMessage{1, 0, std::nullopt});
  };
  probe->log.clear();
  host.Wait(100).Run();
  EXPECT_THAT(probe->log, ElementsAre("timer 3", "message 1 0", "timer 4"));
}

TEST_F(FakeHostLoop, AModalRunWithoutScriptedInputFailsTheTestInsteadOfHanging) {
  ProbeDialog probe(host);
  host.Wait(250);
  try {
    probe.DoModal();
    FAIL() << "the modal run returned";
  } catch (const std::runtime_error& e) {
    EXPECT_THAT(e.what(), HasSubstr("dialog 900 \"Probe\" waits for input"));
    EXPECT_THAT(e.what(), HasSubstr("at 250 ms"));
  }
  EXPECT_FALSE(probe.HasWindow());
  EXPECT_TRUE(host.Dialogs(IDD_PROBE).empty());
  // The host goes on working after the failure.
  host.PressEnter();
  EXPECT_EQ(probe.DoModal(), kIdOk);
}

TEST_F(FakeHostLoop, AMessageBoxWaitsForItsAnswerWhileTimersTick) {
  auto* probe = OpenModeless<ProbeDialog>(host, nullptr);
  probe->Window().SetTimer(1, 400);
  int answer = 0;
  probe->onCommand = [&](const Command&) {
    answer = probe->ShowMessage("¿Seguro?", MessageButtons::kYesNo);
  };
  probe->log.clear();
  host.Click(IDC_PROBE_BUTTON).Wait(1000).Answer(kIdNo).Run();
  EXPECT_EQ(answer, kIdNo);
  EXPECT_THAT(probe->log, ElementsAre("command 902 0 control", "timer 1", "timer 1"));
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].text, "¿Seguro?");
  EXPECT_EQ(host.Messages()[0].ownerTemplate, IDD_PROBE);
}

TEST_F(FakeHostLoop, ActionsNoUserCouldTakeFailTheTest) {
  OpenModeless<ProbeDialog>(host, nullptr);
  const std::function<void(FakeDialogHost&)> impossible[] = {
      [](auto& h) { h.Click(IDC_PROBE_HIDDEN); },
      [](auto& h) { h.Type(IDC_PROBE_BUTTON, "x"); },
      [](auto& h) { h.Click(4711); },
      [](auto& h) { h.Answer(kIdOk); },
  };
  for (const auto& act : impossible) {
    act(host);
    EXPECT_THROW(host.Run(), std::logic_error);
  }
}

}  // namespace
}  // namespace tevanor::testing
