#include <gtest/gtest.h>

#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "ui/block_notice_dlg.h"

namespace tevanor::testing {
namespace {

// Two notices open a second apart and the user meets the newer one: OK and Enter close it at
// once, Esc only hides it. Each notice goes by itself five seconds after it opened.
TEST(BlockNotice, EachNoticeKeepsItsOwnFiveSecondsAndOkClosesOnlyTheOneItIsOn) {
  struct Case {
    const char* name;
    std::function<void(FakeDialogHost&)> act;
    bool newerStays;
    bool newerShown;
  };
  const Case cases[] = {
      {"nothing", [](auto&) {}, true, true},
      {"OK clicked", [](auto& h) { h.Click(kIdOk); }, false, false},
      {"Enter", [](auto& h) { h.PressEnter(); }, false, false},
      {"Esc", [](auto& h) { h.PressEscape(); }, true, false},
  };
  for (const Case& c : cases) {
    FakeDialogHost host;
    const auto notices = [&] { return host.Dialogs(IDD_BLOCK_NOTICE); };
    ASSERT_TRUE(CBlockNoticeDlg::Open(host));
    host.Wait(1'000).Run();
    ASSERT_TRUE(CBlockNoticeDlg::Open(host));
    const std::vector<Dialog*> both = notices();
    c.act(host);
    host.Wait(3'999).Run();
    EXPECT_EQ(notices(), c.newerStays ? both : std::vector{both[0]}) << c.name;
    EXPECT_TRUE(host.WindowOf(*both[0]).IsVisible()) << c.name;
    if (c.newerStays) {
      EXPECT_EQ(host.WindowOf(*both[1]).IsVisible(), c.newerShown) << c.name;
    }
    host.Wait(1).Run();
    EXPECT_EQ(notices(), c.newerStays ? std::vector{both[1]} : std::vector<Dialog*>{}) << c.name;
    host.Wait(1'000).Run();
    EXPECT_TRUE(notices().empty()) << c.name;
  }
}

}  // namespace
}  // namespace tevanor::testing
