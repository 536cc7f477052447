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

// Whether the notification area holds our icon: only an icon that exists can be modified.
bool TrayHasIcon(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = win32::Win32TrayIcon::kIconId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The icon is there from Add to Delete, and either button pressed over it opens the panel;
// while the panel holds Ctrl+S no other program can have it, and once released any can.
TEST(ShellServices, TheTrayIconAndTheExitHotKeyActForThePanelsWindow) {
  Win32DialogHost host;
  ProbeDialog* probe = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(probe, nullptr);
  win32::PanelWindow window;
  window.Bind(*probe);
  win32::Win32TrayIcon tray(window, ::GetModuleHandleW(nullptr), IDB_TRAY, WM_USER + 6);
  EXPECT_FALSE(TrayHasIcon(window.hwnd()));
  tray.Add(TrayIcon::Image::kGuardOff, "");
  tray.Modify(TrayIcon::Image::kGuardOn, std::string(200, 'x'));  // a long tip is cut
  EXPECT_TRUE(TrayHasIcon(window.hwnd()));
  tray.Delete();
  EXPECT_FALSE(TrayHasIcon(window.hwnd()));
  EXPECT_TRUE(tray.IsButtonPress(WM_LBUTTONDOWN) && tray.IsButtonPress(WM_RBUTTONDOWN));
  EXPECT_FALSE(tray.IsButtonPress(WM_MOUSEMOVE) || tray.IsButtonPress(WM_LBUTTONUP));

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
  probe->Window().Destroy();
}

}  // namespace
}  // namespace tevanor::testing
