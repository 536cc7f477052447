// Pictures of the dialogs as they appear on screen, saved as PNG files for a person to look
// at: the test run puts them in the directory named by TEVANOR_SCREENSHOTS.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <set>

#include "dialog_driver.h"
#include "fakes/fake_profile.h"
#include "platform/win32/framework/gdi_handles.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "png_file.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/password_dlg.h"
#include "ui/password_form.h"
#include "ui/welcome_dlg.h"

namespace tevanor {
namespace {

using testing::DialogDriver;

struct ScreenDc {
  ScreenDc() : dc(::GetDC(nullptr)) {}
  ~ScreenDc() { ::ReleaseDC(nullptr, dc); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC dc;
};

struct MemoryDc {
  explicit MemoryDc(HDC like) : dc(::CreateCompatibleDC(like)) {}
  ~MemoryDc() { ::DeleteDC(dc); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC dc;
};

class Screenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("TEVANOR_SCREENSHOTS", dir, MAX_PATH) == 0)
      GTEST_SKIP() << "TEVANOR_SCREENSHOTS names no directory";
    directory_ = dir;
    ::CreateDirectoryA(directory_.c_str(), nullptr);
  }

  // Puts the window above every other, also those of other test programs in the same session,
  // and repaints it. Wine shows what was painted only once the message loop has run for a
  // moment, so capture later.
  static void BringForward(HWND window) {
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(window);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  // Copies the window as the screen shows it into `name`.png.
  void Capture(HWND window, const std::string& name) {
    ASSERT_NE(window, nullptr) << name;
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::UniqueBitmap picture(
        ::CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(picture) << name;
    HGDIOBJ before = ::SelectObject(memory.dc, picture.get());
    ::BitBlt(memory.dc, 0, 0, width, height, screen.dc, frame.left, frame.top, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memory.dc, before);

    std::vector<std::uint8_t> rgb;
    std::set<std::uint32_t> colours;
    const auto* bgra = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      rgb.insert(rgb.end(), {bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]});
      colours.insert(bgra[4 * i] | bgra[4 * i + 1] << 8 | bgra[4 * i + 2] << 16);
    }
    // A window on screen has a frame, a caption, text and pictures: many colours.
    EXPECT_GT(colours.size(), 16u) << name << ": the capture shows no window";
    const std::vector<std::uint8_t> png = testing::EncodePng(width, height, rgb);
    std::ofstream file(directory_ + "/" + name + ".png", std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    EXPECT_TRUE(file.good()) << name;
  }

  // Runs `dialog` modally, captures it once it is painted, and closes it with Enter.
  void CaptureModal(Dialog& dialog, const std::string& name,
                    std::vector<DialogDriver::Step> before = {}) {
    auto window = [&] { return win32::Win32DialogHost::WindowOf(dialog); };
    before.push_back([window] { BringForward(window()); });
    before.push_back([&, window] { Capture(window(), name); });
    before.push_back([&, window] { testing::PressKey(window(), VK_RETURN); });
    DialogDriver driver(std::move(before), 250);
    dialog.DoModal();
    EXPECT_TRUE(driver.done()) << name;
  }

  std::string directory_;
  win32::Win32DialogHost host;
};

TEST_F(Screenshots, BlockNotice) {
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  HWND notice = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM found) -> BOOL {
        if (::GetDlgItem(hwnd, IDC_NOTICE_TEXT) == nullptr) return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&notice));
  BringForward(notice);
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 500) {
    host.ProcessPendingMessages();
    ::Sleep(10);
  }
  Capture(notice, "block_notice");
}

TEST_F(Screenshots, PasswordPrompts) {
  testing::FakeProfile profile;
  profile.WriteString(profile::kPassword, EncodePassword("abc"));
  CPasswordDlg prompt(host, profile);
  auto window = [&] { return win32::Win32DialogHost::WindowOf(prompt); };
  CaptureModal(prompt, "password_verify",
               {[&] { testing::TypeInto(window(), IDC_PASSWORD_EDIT, L"abc"); }});
  prompt.m_bNewPassword = 1;
  CaptureModal(prompt, "password_new",
               {[&] { testing::TypeInto(window(), IDC_PASSWORD_EDIT, L"abcd"); },
                [&] { testing::TypeInto(window(), IDC_CONFIRM_EDIT, L"abcd"); }});
}

TEST_F(Screenshots, WelcomeAndAbout) {
  CWelcomeDlg welcome(host);
  CaptureModal(welcome, "welcome");
  CAboutDlg about(host);
  CaptureModal(about, "about");
}

}  // namespace
}  // namespace tevanor
