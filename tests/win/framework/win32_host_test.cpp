// What only the Win32 host has to get right: the common controls it runs with, the keyboard of
// modeless dialogs inside modal runs, and the pictures and tips it keeps for controls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/framework/win32_dialog_host.h"
#include "probe_dialog.h"
#include "resource.h"

namespace tevanor::testing {

namespace {

using ::testing::ElementsAre;
using win32::Win32DialogHost;

TEST(Win32DialogHost, RunsWithVersionSixOfTheCommonControls) {
  // The program's manifest asks for the side-by-side common controls 6.0.
  Win32DialogHost host;
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
  EXPECT_NE(std::wstring_view(::CharLowerW(path)).find(L"common-controls_6595b64144ccf1df_6.0."),
            std::wstring_view::npos)
      << path;
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

  // A second tip for the control replaces the first.
  probe->Window().SetToolTip(IDC_PROBE_BUTTON, "Primero");
  probe->Window().SetToolTip(IDC_PROBE_BUTTON, "Acepta los cambios");
  HWND tips = nullptr;
  do tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  while (tips != nullptr && ::GetWindow(tips, GW_OWNER) != dialog);
  ASSERT_NE(tips, nullptr);
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog;
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  ::SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Acepta los cambios");
}

// The view keeps no texts: it asks the window for them, to draw a row as to find one by what
// the user typed.
TEST(Win32DialogHost, AListViewDrawsAndFindsTheRowsTheWindowKeeps) {
  Win32DialogHost host;
  auto* probe = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(probe, nullptr);
  HWND list = ::GetDlgItem(Win32DialogHost::WindowOf(*probe), IDC_PROBE_SORTED);
  for (const char* site : {"http://uno.example", "http://dos.example", "ftp://tres.example"})
    probe->Window().ListInsert(IDC_PROBE_SORTED, 0, site, 0, 0);
  wchar_t text[40] = {};
  ListView_GetItemText(list, 1, 0, text, 40);
  EXPECT_STREQ(text, L"http://dos.example");
  const auto find = [&](const wchar_t* typed, int from) {
    LVFINDINFOW info{};
    info.flags = LVFI_PARTIAL | LVFI_WRAP;
    info.psz = typed;
    return ListView_FindItem(list, from, &info);
  };
  EXPECT_EQ(find(L"HTTP://U", -1), 2);
  EXPECT_EQ(find(L"http", 0), 1) << "from the start row on";
  EXPECT_EQ(find(L"ftp", 1), 0) << "round to the top";
  EXPECT_EQ(find(L"gopher", -1), -1);
}

// An error in a dialog run from inside another run ends that run and reaches its caller; an
// error in the receiver of a sent event reaches the sender.
TEST(Win32DialogHost, AnErrorReachesTheCallerOfANestedRunAndTheSender) {
  Win32DialogHost host;
  auto* modeless = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(modeless, nullptr);
  modeless->onMessage = [](PrivateMessage&) -> std::intptr_t { throw std::runtime_error("envio"); };
  std::vector<std::string> caught;
  ProbeDialog outer(host);
  outer.onInit = [&] { outer.Post(PrivateMessage{1, 0, std::nullopt}); };
  outer.onMessage = [&](PrivateMessage&) -> std::intptr_t {
    ProbeDialog inner(host);
    inner.onInit = [&] { inner.Post(PrivateMessage{2, 0, std::nullopt}); };
    inner.onMessage = [](PrivateMessage&) -> std::intptr_t { throw std::runtime_error("lleno"); };
    try {
      inner.DoModal(&outer);
    } catch (const std::runtime_error& error) {
      caught.emplace_back(error.what());
    }
    try {
      modeless->Send(PrivateMessage{3, 0, std::nullopt});
    } catch (const std::runtime_error& error) {
      caught.emplace_back(error.what());
    }
    outer.Window().EndDialog(4);
    return 0;
  };
  EXPECT_EQ(outer.DoModal(), 4);
  EXPECT_THAT(caught, ElementsAre("lleno", "envio"));
}

// Posted messages carry no sender: of the private range only what the program names is taken
// from outside, and a forged host message (posted, or pointing anywhere) is dropped.
TEST(Win32DialogHost, PrivateMessagesFromOutsideAreDroppedUnlessNamed) {
  Win32DialogHost host;
  host.AcceptFromOutside(6);
  auto* probe = OpenModeless<ProbeDialog>(host, nullptr);
  ASSERT_NE(probe, nullptr);
  HWND dialog = Win32DialogHost::WindowOf(*probe);
  probe->log.clear();
  ::PostMessageW(dialog, WM_USER + 3, 0, 0);
  ::PostMessageW(dialog, WM_USER + 6, 0, 513);
  ::PostMessageW(dialog, WM_APP + 0x100, 0, 1);       // a posted event that was never posted
  ::PostMessageW(dialog, WM_APP + 0x101, 0, 0x1234);  // a "sent" event pointing nowhere
  ::SendMessageW(dialog, WM_APP + 0x101, 0, reinterpret_cast<LPARAM>(&host));
  host.ProcessPendingMessages();
  EXPECT_THAT(probe->log, ElementsAre("message 6 513"));
  // The program's own messages still arrive, with their texts.
  probe->Post(PrivateMessage{3, 1, "uno"});
  host.ProcessPendingMessages();
  EXPECT_THAT(probe->log, ElementsAre("message 6 513", "message 3 1 uno"));
}

}  // namespace
}  // namespace tevanor::testing
