#include <gtest/gtest.h>

#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "ui/block_notice_dlg.h"

namespace tevanor {
namespace {

using testing::FakeDialogHost;

class BlockNotice : public ::testing::Test {
 protected:
  std::vector<Dialog*> Notices() const { return host.Dialogs(IDD_BLOCK_NOTICE); }

  FakeDialogHost host;
};

TEST_F(BlockNotice, ShowsTheProductNameAndGoesByItselfAfterFiveSeconds) {
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  ASSERT_EQ(Notices().size(), 1u);
  const auto& window = host.WindowOf(*Notices()[0]);
  EXPECT_TRUE(window.IsVisible());
  EXPECT_EQ(window.Caption(), "Tevanor");
  EXPECT_EQ(window.ControlText(IDC_NOTICE_TEXT), "Protegiendo......");
  EXPECT_EQ(window.ButtonImage(kIdOk), IDB_OK_BUTTON);

  host.Wait(4'999).Run();
  EXPECT_EQ(Notices().size(), 1u);
  host.Wait(1).Run();
  EXPECT_TRUE(Notices().empty());
}

// How the user can meet a notice, and when it is gone for each.
TEST_F(BlockNotice, OkClosesAtOnceWhileEscOnlyHidesUntilTheTimeIsUp) {
  struct Case {
    const char* name;
    std::function<void(FakeDialogHost&)> act;
    bool goneAtOnce;
  };
  const Case cases[] = {
      {"OK clicked", [](auto& h) { h.Click(kIdOk); }, true},
      {"Enter", [](auto& h) { h.PressEnter(); }, true},
      {"Esc", [](auto& h) { h.PressEscape(); }, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(CBlockNoticeDlg::Open(host));
    const std::uint64_t opened = host.Now();
    host.Wait(1'000);
    c.act(host);
    host.Run();
    if (c.goneAtOnce) {
      EXPECT_TRUE(Notices().empty()) << c.name;
      continue;
    }
    ASSERT_EQ(Notices().size(), 1u) << c.name;
    EXPECT_FALSE(host.WindowOf(*Notices()[0]).IsVisible()) << c.name;
    host.Wait(opened + 5'000 - host.Now()).Run();
    EXPECT_TRUE(Notices().empty()) << c.name;
  }
}

TEST_F(BlockNotice, EachNoticeKeepsItsOwnFiveSeconds) {
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  host.Wait(2'000).Run();
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  ASSERT_EQ(Notices().size(), 2u);
  Dialog* first = Notices()[0];
  Dialog* second = Notices()[1];
  EXPECT_TRUE(host.WindowOf(*first).IsVisible());

  // OK on the second leaves the first; the first still goes at its own time.
  host.Click(kIdOk, second).Run();
  EXPECT_EQ(Notices(), std::vector<Dialog*>{first});
  host.Wait(2'999).Run();
  EXPECT_EQ(Notices().size(), 1u);
  host.Wait(1).Run();
  EXPECT_TRUE(Notices().empty());
}

TEST_F(BlockNotice, ANoticeThatCannotBeCreatedDoesNotAppear) {
  host.failCreation = true;
  EXPECT_FALSE(CBlockNoticeDlg::Open(host));
  EXPECT_TRUE(Notices().empty());
}

}  // namespace
}  // namespace tevanor
