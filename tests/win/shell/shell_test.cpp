// The shell's services for the panel on the real system: the tray icon and the exit hot key,
// acting for a dialog window.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/shell/exit_hot_key.h"
#include "platform/win32/shell/tray_icon.h"
#include "probe_dialog.h"
#include "resource.h"

namespace tevanor::testing {
namespace {

using win32::Win32DialogHost;

class ShellServices : public ::testing::Test {
 protected:
  void SetUp() override {
    probe = OpenModeless<ProbeDialog>(host, nullptr);
    ASSERT_NE(probe, nullptr);
    window.Bind(*probe);
  }
  void TearDown() override {
    if (probe != nullptr && probe->HasWindow()) probe->Window().Destroy();
  }

  Win32DialogHost host;
  ProbeDialog* probe = nullptr;
  win32::PanelWindow window;
};

// Whether the notification area holds our icon: only an icon that exists can be modified.
bool TrayHasIcon(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = win32::Win32TrayIcon::kIconId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(ShellServices, TheTrayIconIsAddedChangedAndDeleted) {
  win32::Win32TrayIcon tray(window, ::GetModuleHandleW(nullptr), IDB_TRAY, WM_USER + 6);
  HWND owner = window.hwnd();
  EXPECT_FALSE(TrayHasIcon(owner));
  tray.Add(TrayIcon::Image::kGuardOff, "");
  EXPECT_TRUE(TrayHasIcon(owner));
  tray.Modify(TrayIcon::Image::kGuardOn, std::string(100, 'x'));  // a long tip is cut
  EXPECT_TRUE(TrayHasIcon(owner));
  tray.Delete();
  EXPECT_FALSE(TrayHasIcon(owner));
  // Either button pressed over the icon opens the panel; moving over it does not.
  EXPECT_TRUE(tray.IsButtonPress(WM_LBUTTONDOWN) && tray.IsButtonPress(WM_RBUTTONDOWN));
  EXPECT_FALSE(tray.IsButtonPress(WM_MOUSEMOVE) || tray.IsButtonPress(WM_LBUTTONUP));
}

// While the panel holds Ctrl+S no other program can have it; once released, any can.
TEST_F(ShellServices, TheExitHotKeyIsHeldOnlyBetweenRegisterAndUnregister) {
  const auto othersCanTakeCtrlS = [] {
    if (!::RegisterHotKey(nullptr, 0x7000, MOD_CONTROL, 'S')) return false;
    ::UnregisterHotKey(nullptr, 0x7000);
    return true;
  };
  win32::Win32ExitHotKey hotKey(window);
  EXPECT_TRUE(othersCanTakeCtrlS());
  hotKey.Register();
  hotKey.Register();  // holding it twice is holding it once
  EXPECT_FALSE(othersCanTakeCtrlS());
  hotKey.Unregister();
  EXPECT_TRUE(othersCanTakeCtrlS());
}

}  // namespace
}  // namespace tevanor::testing
