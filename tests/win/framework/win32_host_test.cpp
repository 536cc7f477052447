// What only the Win32 host has to get right: the keyboard of modeless dialogs inside modal
// runs, and the pictures and tips it keeps for controls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cwctype>
#include <string>

#include "platform/win32/framework/win32_dialog_host.h"
#include "probe_dialog.h"
#include "probe_ids.h"
#include "resource.h"

namespace tevanor::win32 {
namespace {

using ::testing::ElementsAre;
using testing::ProbeDialog;

TEST(Win32DialogHost, RunsWithVersionSixOfTheCommonControls) {
  // The program's manifest asks for the side-by-side common controls 6.0.
  Win32DialogHost host;
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
  std::wstring loaded(path);
  std::transform(loaded.begin(), loaded.end(), loaded.begin(), ::towlower);
  EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
            std::wstring::npos)
      << std::string(loaded.begin(), loaded.end());
}

TEST(Win32DialogHost, KeysReachAModelessDialogWhileAModalRunIsUp) {
  Win32DialogHost host;
  auto* modeless = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(modeless, nullptr);
  ProbeDialog modal(host);
  modal.onInit = [&] {
    // Enter typed into the modeless dialog's edit, then the end of the modal run.
    HWND edit = ::GetDlgItem(Win32DialogHost::WindowOf(*modeless), IDC_PROBE_EDIT);
    ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    modal.Post(PrivateMessage{1, 0, std::nullopt});
  };
  modal.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    modal.Window().EndDialog(3);
    return 0;
  };
  modeless->log.clear();
  EXPECT_EQ(modal.DoModal(), 3);
  EXPECT_THAT(modeless->log, ElementsAre("command 1 0 control", "hide"));
}

TEST(Win32DialogHost, AButtonKeepsItsTextAsNameBesideItsPictureAndHasOneTip) {
  Win32DialogHost host;
  auto* probe = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(probe, nullptr);
  HWND dialog = Win32DialogHost::WindowOf(*probe);
  HWND button = ::GetDlgItem(dialog, IDC_PROBE_BUTTON);
  probe->Window().SetButtonImage(IDC_PROBE_BUTTON, IDB_OK_BUTTON);
  EXPECT_NE(::SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(probe->Window().ControlText(IDC_PROBE_BUTTON), "Probar");

  probe->Window().SetToolTip(IDC_PROBE_BUTTON, "Primero");
  probe->Window().SetToolTip(IDC_PROBE_BUTTON, "Acepta los cambios");
  HWND tips = nullptr;
  for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    ::GetClassNameW(w, name, 32);
    if (std::wstring_view(name) == TOOLTIPS_CLASSW && ::GetWindow(w, GW_OWNER) == dialog) tips = w;
  }
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  ::SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Acepta los cambios");
}

}  // namespace
}  // namespace tevanor::win32
