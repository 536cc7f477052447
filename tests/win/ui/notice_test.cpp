// The block notice on the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog_driver.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "resource.h"
#include "ui/block_notice_dlg.h"

namespace tevanor {
namespace {

// The notices on screen, newest first.
std::vector<HWND> Notices() {
  std::vector<HWND> found;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        if (::GetDlgItem(hwnd, IDC_NOTICE_TEXT) != nullptr && testing::TextOf(hwnd) == L"Tevanor")
          reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Handles messages for `milliseconds`, or until `done` holds.
void Pump(win32::Win32DialogHost& host, DWORD milliseconds, const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < milliseconds && !done()) {
    host.ProcessPendingMessages();
    ::Sleep(10);
  }
}

TEST(BlockNotice, ShowsItselfAndGoesAwayAfterFiveSeconds) {
  win32::Win32DialogHost host;
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  const std::vector<HWND> notices = Notices();
  ASSERT_EQ(notices.size(), 1u);
  HWND notice = notices[0];
  EXPECT_TRUE(::IsWindowVisible(notice));
  EXPECT_EQ(testing::TextOf(::GetDlgItem(notice, IDC_NOTICE_TEXT)), L"Protegiendo......");
  EXPECT_NE(::SendDlgItemMessageW(notice, IDOK, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);

  // Esc only hides it; the notice still ends itself.
  Pump(host, 4'000, [] { return false; });
  testing::PressKey(notice, VK_ESCAPE);
  Pump(host, 200, [] { return false; });
  ASSERT_TRUE(::IsWindow(notice));
  EXPECT_FALSE(::IsWindowVisible(notice));
  Pump(host, 15'000, [&] { return !::IsWindow(notice); });
  EXPECT_FALSE(::IsWindow(notice));
}

TEST(BlockNotice, OkClosesOneNoticeAndLeavesTheOthers) {
  win32::Win32DialogHost host;
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  std::vector<HWND> notices = Notices();
  ASSERT_EQ(notices.size(), 2u);
  testing::ClickButton(notices[0], IDOK);
  host.ProcessPendingMessages();
  EXPECT_FALSE(::IsWindow(notices[0]));
  EXPECT_TRUE(::IsWindowVisible(notices[1]));
}

}  // namespace
}  // namespace tevanor
