// The web notice on the fake host, with the test playing the browser.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "fakes/fake_page_view.h"
#include "fakes/framework/fake_dialog_host.h"
#include "notice/notice_rules.h"
#include "notice/web_notice_dlg.h"
#include "resource.h"

namespace tevanor::testing {
namespace {

constexpr std::string_view kOwnVersion = "1, 0, 0, 1";
constexpr std::string_view kAddress = "http://www.orvelda.example/version";

TEST(NoticeSizeText, ReadsLeadingDecimalWithSpaceAndOneSign) {
  const std::pair<std::string_view, int> cases[] = {
      {"300", 300},
      {"  +12px", 12},
      {"\t\n-7", -7},
      {"abc", 0},
      {"", 0},
      {"45 6", 45},
      {"+-3", 0},
      {"- 3", 0},
      {"0x20", 0},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {"007", 7},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadDecimal(text), value) << text;
}

// One notice, its fake host and its fake browser.
struct Notice {
  explicit Notice(bool browser = true) {
    views.browserAvailable = browser;
    EXPECT_TRUE(CWebNoticeDlg::Open(host, nullptr, views, std::string(kOwnVersion), kAddress));
  }
  bool Alive() const { return !host.Dialogs(IDD_WEB_NOTICE).empty(); }
  FakeWindow& Window() const { return host.WindowOf(*host.Dialogs(IDD_WEB_NOTICE).front()); }
  FakePageView& View() const { return *views.live.at(0); }

  FakePageViewFactory views;  // outlives the host, which destroys the notices' views
  FakeDialogHost host;
};

// What the page's META elements make of the notice: shown or not, resized or not, and what
// its timer does 6 s after creation.
struct PageCase {
  const char* name;
  std::optional<std::vector<MetaAttributes>> metas;
  bool shown;
  std::optional<std::pair<int, int>> size;
};

class NoticeRules : public ::testing::TestWithParam<PageCase> {};

TEST_P(NoticeRules, DecideVisibilityAndSizeAndTheTimerEndsOnlyHiddenNotices) {
  const PageCase& c = GetParam();
  Notice n;
  n.host.Wait(2'000)
      .Then([&] { n.View().Complete(c.metas); })
      .Then([&] {
        EXPECT_EQ(n.Window().IsVisible(), c.shown);
        EXPECT_EQ(n.Window().PixelSize(), c.size);
        if (c.size)
          EXPECT_EQ(n.View().layout, (FakePageView::Rect{0, 0, c.size->first, c.size->second}));
        else
          EXPECT_FALSE(n.View().layout);
        EXPECT_FALSE(n.Window().HasSystemMenu());
      })
      .Wait(3'999)
      .Then([&] { ASSERT_TRUE(n.Alive()); })
      .Wait(1)
      .Then([&] {
        ASSERT_EQ(n.Alive(), c.shown);
        if (!c.shown) {
          EXPECT_TRUE(n.views.live.empty()) << "the browser is released with the window";
          return;
        }
        EXPECT_TRUE(n.Window().IsVisible());
        EXPECT_TRUE(n.Window().HasSystemMenu());
      })
      .Wait(60'000);
  n.host.Run();
  // A shown notice stays until the parent closes it.
  EXPECT_EQ(n.Alive(), c.shown);
}

using M = MetaAttributes;
const PageCase kPages[] = {
    {"OwnVersion", std::vector{M{{"version", "1, 0, 0, 1"}}}, false, std::nullopt},
    {"OtherVersion", std::vector{M{{"version", "1, 0, 0, 2"}}}, true, std::nullopt},
    {"VersionComparedExactly", std::vector{M{{"version", "1, 0, 0, 1 "}}}, true, std::nullopt},
    {"SizeWithoutVersion", std::vector{M{{"ancho", "400"}, {"alto", "120"}}}, true,
     std::pair{400, 120}},
    {"SizeOverTwoElements", std::vector{M{{"name", "x"}, {"ancho", "400"}}, M{{"alto", " 90px"}}},
     true, std::pair{400, 90}},
    {"WidthAlone", std::vector{M{{"ancho", "400"}}}, false, std::nullopt},
    {"WidthAloneOtherVersion", std::vector{M{{"version", "2"}, {"ancho", "400"}}}, true,
     std::nullopt},
    {"ZeroHeight", std::vector{M{{"ancho", "400"}, {"alto", "0"}}}, false, std::nullopt},
    {"NegativeSize", std::vector{M{{"ancho", "-400"}, {"alto", "-90"}}}, false, std::nullopt},
    {"OtherThenOwnVersion",
     std::vector{M{{"version", "2"}, {"ancho", "300"}, {"alto", "80"}},
                 M{{"version", "1, 0, 0, 1"}, {"ancho", "500"}, {"alto", "500"}}},
     true, std::pair{300, 80}},
    {"OwnVersionStopsSizes",
     std::vector{M{{"version", "1, 0, 0, 1"}}, M{{"ancho", "300"}, {"alto", "80"}}}, false,
     std::nullopt},
    {"LaterVersionReadsSizesAgain",
     std::vector{M{{"version", "1, 0, 0, 1"}, {"ancho", "300"}},
                 M{{"version", "3"}, {"alto", "80"}}},
     true, std::nullopt},
    {"NoMetaElements", std::vector<M>{}, false, std::nullopt},
    {"DocumentOutOfReach", std::nullopt, false, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Pages, NoticeRules, ::testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

// A notice starts hidden and loads the version page once; without a browser or a completed
// page it stays hidden and ends by itself after six seconds, releasing its browser.
TEST(WebNotice, StartsHiddenAndWithoutACompletedPageEndsAfterSixSeconds) {
  for (const bool browser : {false, true}) {
    SCOPED_TRACE(browser);
    Notice n(browser);
    EXPECT_EQ(n.views.created, 1);
    ASSERT_EQ(n.views.live.size(), browser ? 1u : 0u);
    if (browser) {
      EXPECT_EQ(n.View().addresses, std::vector<std::string>{std::string(kAddress)});
    }
    n.host.Wait(5'999).Then([&] {
      ASSERT_TRUE(n.Alive());
      EXPECT_FALSE(n.Window().IsVisible() || n.Window().HasSystemMenu());
    });
    n.host.Wait(1);
    n.host.Run();
    EXPECT_FALSE(n.Alive());
    EXPECT_TRUE(n.views.live.empty());
  }
}

// Two notices keep their own pages and timers; a shown one closes on its close box and
// releases its browser.
TEST(WebNotice, NoticesAreIndependentAndAShownOneClosesOnItsCloseBox) {
  Notice n;
  ASSERT_TRUE(CWebNoticeDlg::Open(n.host, nullptr, n.views, "1, 0, 0, 1", kAddress));
  ASSERT_EQ(n.views.live.size(), 2u);
  n.host.Then([&] { n.views.live[1]->Complete(std::vector{M{{"version", "9"}}}); }).Wait(6'000);
  n.host.Run();
  ASSERT_EQ(n.host.Dialogs(IDD_WEB_NOTICE).size(), 1u);
  EXPECT_TRUE(n.Window().IsVisible());
  EXPECT_EQ(n.views.live.size(), 1u);
  n.host.Wait(60'000).PressAltF4();
  n.host.Run();
  EXPECT_FALSE(n.Alive());
  EXPECT_TRUE(n.views.live.empty());
}

}  // namespace
}  // namespace tevanor::testing
