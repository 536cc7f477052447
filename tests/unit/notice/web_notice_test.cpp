// The web notice: its rules over a page's META elements, and the notice on the fake host with
// the test playing the browser.
#include <gtest/gtest.h>

#include <climits>

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
      {"  +12px", 12},
      {"\t\n-7", -7},
      {"abc", 0},
      {"45 6", 45},
      {"+-3", 0},
      {"0x20", 0},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadDecimal(text), value) << text;
}

using M = MetaAttributes;
using Size = std::optional<std::pair<int, int>>;

// The page's META elements in document order decide whether the notice shows, and its size.
TEST(NoticeRules, DecideVisibilityAndSize) {
  const struct {
    const char* name;
    std::vector<M> metas;
    bool shown;
    Size size;
  } cases[] = {
      {"own version", {M{{"version", "1, 0, 0, 1"}}}, false, {}},
      {"other version", {M{{"version", "1, 0, 0, 2"}}}, true, {}},
      {"compared exactly", {M{{"version", "1, 0, 0, 1 "}}}, true, {}},
      {"size over two elements",
       {M{{"ancho", "400"}}, M{{"alto", " 90px"}}},
       true,
       std::pair{400, 90}},
      {"width alone", {M{{"ancho", "400"}}}, false, {}},
      {"zero height", {M{{"ancho", "400"}, {"alto", "0"}}}, false, {}},
      {"negative size", {M{{"ancho", "-400"}, {"alto", "-90"}}}, false, {}},
      {"other then own version",
       {M{{"version", "2"}, {"ancho", "300"}, {"alto", "80"}},
        M{{"version", "1, 0, 0, 1"}, {"ancho", "500"}, {"alto", "500"}}},
       true,
       std::pair{300, 80}},
      {"own version stops sizes",
       {M{{"version", "1, 0, 0, 1"}}, M{{"ancho", "3"}, {"alto", "8"}}},
       false,
       {}},
      {"a later version reads sizes again",
       {M{{"version", "1, 0, 0, 1"}, {"ancho", "300"}}, M{{"version", "3"}, {"alto", "80"}}},
       true,
       {}},
      {"no elements", {}, false, {}},
  };
  for (const auto& c : cases) {
    const NoticeVerdict verdict = ApplyNoticeRules(c.metas, kOwnVersion);
    EXPECT_EQ(verdict.show, c.shown) << c.name;
    EXPECT_EQ(verdict.size, c.size) << c.name;
  }
}

// One notice, its fake host and its fake browser.
struct Notice {
  explicit Notice(bool browser = true) {
    views.browserAvailable = browser;
    EXPECT_TRUE(CWebNoticeDlg::Open(host, nullptr, views, std::string(kOwnVersion), kAddress));
  }
  bool Alive() const { return !host.Dialogs(IDD_WEB_NOTICE).empty(); }
  FakeWindow& Window() const { return host.WindowOf(*host.Dialogs(IDD_WEB_NOTICE).front()); }

  FakePageViewFactory views;  // outlives the host, which destroys the notices' views
  FakeDialogHost host;
};

// A notice starts hidden and loads the version page; without a browser, a readable page or a
// verdict to show, it ends by itself six seconds after it opened, releasing its browser.
TEST(WebNotice, AHiddenNoticeEndsAfterSixSeconds) {
  const std::pair<bool, std::optional<std::vector<M>>> cases[] = {
      {false, std::nullopt},
      {true, std::nullopt},
      {true, std::vector{M{{"version", "1, 0, 0, 1"}}}}};
  for (const auto& [browser, page] : cases) {
    Notice n(browser);
    if (browser) {
      EXPECT_EQ(n.views.live.at(0)->addresses, std::vector<std::string>{std::string(kAddress)});
      n.views.live[0]->Complete(page);
    }
    n.host.Wait(5'999).Then([&] {
      ASSERT_TRUE(n.Alive());
      EXPECT_FALSE(n.Window().IsVisible());
    });
    n.host.Wait(1);
    n.host.Run();
    EXPECT_FALSE(n.Alive()) << browser;
    EXPECT_TRUE(n.views.live.empty()) << browser;
  }
}

}  // namespace
}  // namespace tevanor::testing
