// The web notice on the real system: with the real browser control, which here has no HTML
// engine and so never completes a page, and with a page played by the fake view, which shows
// what the window does with the notice rules' verdict.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
// clang-format on

#include <functional>

#include "fakes/fake_page_view.h"
#include "notice/web_notice_dlg.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/web_browser_view.h"
#include "resource.h"
#include "screen.h"

namespace tevanor::testing {
namespace {

using win32::Win32DialogHost;

constexpr DWORD kDeadlineMs = 120'000;  // the machine is shared and slow

// Runs the thread's messages until `done` holds or the deadline passes; `each` sees every turn.
bool PumpUntil(
    Win32DialogHost& host, const std::function<bool()>& done,
    const std::function<void()>& each = [] {}) {
  for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs; ::Sleep(10)) {
    host.ProcessPendingMessages();
    each();
    if (done()) return true;
  }
  return false;
}

HWND FindNotice() {
  return ::FindWindowW(L"#32770", L"Tevanor");
}

HWND FindDescendant(HWND parent, int id) {
  std::pair<int, HWND> search{id, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(data);
        if (::GetDlgCtrlID(child) != s->first) return TRUE;
        s->second = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

TEST(WebNoticeBrowser, TakesThePlaceholdersPlaceAndANoticeWithoutPageEndsHidden) {
  win32::WebBrowserViewFactory views;  // outlives the notices' views
  Win32DialogHost host;
  ASSERT_TRUE(
      CWebNoticeDlg::Open(host, nullptr, views, "1, 0, 0, 1", "http://127.0.0.1:9/version"));
  HWND notice = FindNotice();
  ASSERT_NE(notice, nullptr);
  EXPECT_FALSE(::IsWindowVisible(notice));
  // The view holds the placeholder's id and place, the browser's window the control id.
  HWND view = ::GetDlgItem(notice, IDC_WEB_NOTICE_VIEW);
  ASSERT_NE(view, nullptr);
  wchar_t viewClass[64] = {};
  ::GetClassNameW(view, viewClass, 64);
  EXPECT_STRNE(viewClass, L"Static") << "the placeholder is still there";
  RECT viewArea{}, noticeArea{};
  ::GetClientRect(view, &viewArea);
  ::GetClientRect(notice, &noticeArea);
  EXPECT_EQ(viewArea.right, noticeArea.right);
  EXPECT_NE(FindDescendant(view, win32::WebBrowserViewFactory::kBrowserControlId), nullptr);

  bool everShown = false;
  EXPECT_TRUE(PumpUntil(
      host, [&] { return !::IsWindow(notice); },
      [&] { everShown = everShown || ::IsWindowVisible(notice); }));
  EXPECT_FALSE(everShown);
}

TEST(WebNoticeWindow, APageWithAnotherVersionAndASizeShowsItThereAndItGetsItsCloseBox) {
  FakePageViewFactory views;
  Win32DialogHost host;
  ASSERT_TRUE(CWebNoticeDlg::Open(host, nullptr, views, "1, 0, 0, 1", "about:blank"));
  HWND notice = FindNotice();
  ASSERT_NE(notice, nullptr);
  RECT before{};
  ::GetWindowRect(notice, &before);
  ASSERT_EQ(views.live.size(), 1u);
  views.live[0]->Complete(std::vector{MetaAttributes{{"version", "1, 0, 0, 2"}},
                                      MetaAttributes{{"ancho", "420"}, {"alto", "150"}}});
  EXPECT_TRUE(::IsWindowVisible(notice));
  RECT after{};
  ::GetWindowRect(notice, &after);
  EXPECT_EQ(std::make_pair(after.left, after.top), std::make_pair(before.left, before.top));
  EXPECT_EQ(std::make_pair(after.right - after.left, after.bottom - after.top),
            std::make_pair(420L, 150L));
  EXPECT_EQ(::GetWindowLongW(notice, GWL_STYLE) & WS_SYSMENU, 0);

  ASSERT_TRUE(
      PumpUntil(host, [&] { return (::GetWindowLongW(notice, GWL_STYLE) & WS_SYSMENU) != 0; }));
  EXPECT_TRUE(::IsWindowVisible(notice));
  BringForward(notice);
  PumpUntil(host, [start = ::GetTickCount()] { return ::GetTickCount() - start > 500; });
  Capture(notice, "web_notice");
  // The close box ends it and releases its view.
  ::PostMessageW(notice, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(PumpUntil(host, [&] { return !::IsWindow(notice); }));
  EXPECT_TRUE(views.live.empty());
}

}  // namespace
}  // namespace tevanor::testing
