// The dialogs on the real system: the templates built from their C++ descriptions hold what
// the descriptions say, as the fake host builds its controls from them; and they work as the
// unit tests say, driven through their window messages and captured as a person sees them.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "notice/web_notice_dlg.h"
#include "platform/win32/cng_key_derivation.h"
#include "platform/win32/framework/dialog_resource.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "screen.h"
#include "text/cp1252.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/filter_config_dlg.h"
#include "ui/history_dlg.h"
#include "ui/panel_dlg.h"
#include "ui/password_dlg.h"
#include "ui/password_form.h"
#include "ui/site_admin_dlg.h"
#include "ui/welcome_dlg.h"

namespace tevanor::testing {
namespace {

using win32::Win32DialogHost;

// The window class of each control kind, in the order of ControlKind, and its type style.
// clang-format off
constexpr std::wstring_view kClasses[] = {
    L"Static", L"Static", L"Edit", L"Button", L"Button", L"Button", L"Button", L"Button",
    L"Static", L"Static", WC_LISTVIEWW};
constexpr LONG kTypes[] = {
    SS_LEFT, SS_CENTER, 0, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON,
    BS_GROUPBOX, SS_ICON, SS_BITMAP, 0};
// clang-format on
static_assert(std::size(kTypes) == static_cast<std::size_t>(ControlKind::kListView) + 1);

class DialogTemplates : public ::testing::TestWithParam<const DialogTemplate*> {};

TEST_P(DialogTemplates, HoldEveryControlAtItsPlaceWithItsTextAndStyle) {
  const DialogTemplate& layout = *GetParam();
  const auto inert = [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
    return message == WM_INITDIALOG;
  };
  const win32::DialogResource resource(layout);
  win32::UniqueWindow dialog(
      ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), resource.get(), nullptr, inert, 0));
  ASSERT_TRUE(dialog);
  HWND hwnd = dialog.get();
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);
  EXPECT_EQ(text, win32::Wide(layout.caption));
  EXPECT_EQ(::GetWindowLongW(hwnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE),
            WS_CAPTION | ((layout.style & kSystemMenu) != 0 ? WS_SYSMENU : 0) |
                ((layout.style & kVisibleAtCreation) != 0 ? WS_VISIBLE : 0));
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfFaceName, win32::Wide(layout.font));
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(::MulDiv(-font.lfHeight, 72, ::GetDeviceCaps(screen, LOGPIXELSY)), layout.pointSize);
  ::ReleaseDC(nullptr, screen);
  RECT size{0, 0, layout.width, layout.height};
  ::MapDialogRect(hwnd, &size);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(size.right, size.bottom));
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  ASSERT_EQ(children.size(), layout.controls.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlTemplate& c = layout.controls[i];
    HWND child = children[i];
    SCOPED_TRACE("control #" + std::to_string(i) + ", id " + std::to_string(c.id));
    EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, c.id & 0xFFFF);
    const std::wstring_view windowClass = kClasses[static_cast<int>(c.kind)];
    ::GetClassNameW(child, text, 512);
    EXPECT_EQ(text, windowClass);
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    const bool button = windowClass == L"Button";
    const bool label = windowClass == L"Static";
    EXPECT_EQ(style & (button ? BS_TYPEMASK : label ? SS_TYPEMASK : 0), kTypes[int(c.kind)]);
    EXPECT_EQ((style & WS_VISIBLE) == 0, (c.style & kHidden) != 0);
    // The style flags beyond the kind, each as its class has it.
    const LONG flag = button ? BS_BITMAP : label ? SS_REALSIZEIMAGE : ES_PASSWORD;
    EXPECT_EQ((style & flag) != 0,
              (c.style & (kImageButton | kRealSizeImage | kPasswordEdit)) != 0);
    // The dialog manager converts the place and the size separately.
    RECT place{c.rect.x, c.rect.y, c.rect.width, c.rect.height};
    ::MapDialogRect(hwnd, &place);
    RECT actual{};
    ::GetWindowRect(child, &actual);
    ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(std::make_pair(actual.left, actual.top), std::make_pair(place.left, place.top));
    if (c.kind == ControlKind::kIcon || c.kind == ControlKind::kPicture) {
      // An icon sizes its control itself and must be loaded; the host gives pictures theirs.
      if (c.kind == ControlKind::kIcon) {
        EXPECT_NE(::SendMessageW(child, STM_GETIMAGE, IMAGE_ICON, 0), 0);
      }
      continue;
    }
    EXPECT_EQ(std::make_pair(actual.right - actual.left, actual.bottom - actual.top),
              std::make_pair(place.right, place.bottom));
    ::GetWindowTextW(child, text, 512);
    EXPECT_EQ(text, win32::Wide(c.text));
  }
}

INSTANTIATE_TEST_SUITE_P(Tevanor, DialogTemplates,
                         ::testing::Values(&CAboutDlg::kTemplate, &CPasswordDlg::kTemplate,
                                           &CWelcomeDlg::kTemplate, &CBlockNoticeDlg::kTemplate,
                                           &CPanelDlg::kTemplate, &CFilterConfigDlg::kTemplate,
                                           &CWordEntryDlg::kTemplate, &CHistoryDlg::kTemplate,
                                           &CSiteAdminDlg::kTemplate, &CSiteEntryDlg::kTemplate,
                                           &CWebNoticeDlg::kTemplate),
                         [](const auto& info) { return std::to_string(info.param->id); });

TEST(BlockNotice, ShowsItselfAndGoesAwayAfterFiveSeconds) {
  Win32DialogHost host;
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  HWND notice = ::FindWindowW(L"#32770", L"Tevanor");
  ASSERT_TRUE(::IsWindowVisible(notice));
  EXPECT_NE(::SendDlgItemMessageW(notice, IDOK, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  HWND picture = ::GetWindow(notice, GW_CHILD);
  while (picture != nullptr && (::GetWindowLongW(picture, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
    picture = ::GetWindow(picture, GW_HWNDNEXT);
  ASSERT_NE(picture, nullptr);
  EXPECT_NE(::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  const auto pump = [&](DWORD ms) {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms && ::IsWindow(notice);
         ::Sleep(10))
      host.ProcessPendingMessages();
  };
  BringForward(notice);
  pump(500);
  Capture(notice, "block_notice");
  pump(15'000);
  EXPECT_FALSE(::IsWindow(notice));
}

class PasswordPrompt : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kTestKey = L"Software\\Tevanor\\TevanorPromptTest";
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    profile.WriteString(profile::kPassword, EncodePassword("Secreto1"));
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

  int Run(std::vector<DialogDriver::Step> steps) {
    DialogDriver driver(dialog, std::move(steps));
    const int result = dialog.DoModal();
    EXPECT_TRUE(driver.done()) << "the prompt ended before the script did";
    return result;
  }

  win32::RegistryProfile profile{kTestKey};
  win32::RegistryProfile machine{kTestKey, win32::RegistryProfile::Scope::kMachine};
  win32::CngKeyDerivation keys;
  Win32DialogHost host;
  CPasswordDlg dialog{host, {profile, machine, keys}};
};

// A wrong password, OK, Esc and the close box leave the prompt up without a message; the
// stored password lets in and replaces the reversible form; a new password is stored derived.
TEST_F(PasswordPrompt, VerifiesTheStoredPasswordAndStoresANewOne) {
  const auto close = [](HWND prompt) { ::PostMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0); };
  const auto stillUp = [](HWND prompt) {
    EXPECT_TRUE(::IsWindowVisible(prompt));
    EXPECT_EQ(::FindWindowW(L"#32770", L"Tevanor"), nullptr) << "a message box is up";
  };
  EXPECT_EQ(
      Run({Type(IDC_PASSWORD_EDIT, L"secreto1"), Shoot("password_verify"), Click(IDOK),
           Key(VK_ESCAPE), close, stillUp, Type(IDC_PASSWORD_EDIT, L"Secreto1"), Key(VK_RETURN)}),
      kIdOk);
  EXPECT_FALSE(IsLegacyPasswordForm(profile.GetString(profile::kPassword, "")));

  dialog.m_bNewPassword = 1;
  const std::wstring password = win32::Wide("Contraseña"_ansi);
  EXPECT_EQ(Run({Type(IDC_PASSWORD_EDIT, password), Type(IDC_CONFIRM_EDIT, password),
                 Shoot("password_new"), Key(VK_RETURN)}),
            kIdOk);
  EXPECT_TRUE(PasswordMatches(keys, "Contraseña"_ansi, profile.GetString(profile::kPassword, "")));
}

TEST(WelcomeAndAbout, EndWithEnterOrEsc) {
  Win32DialogHost host;
  CWelcomeDlg welcome(host);
  CAboutDlg about(host);
  for (const auto& [dialog, name, key, result] :
       {std::tuple<Dialog*, const char*, UINT, int>{&welcome, "welcome", VK_RETURN, kIdOk},
        {&about, "about", VK_ESCAPE, kIdCancel}}) {
    DialogDriver driver(*dialog, {Shoot(name), Key(key)});
    EXPECT_EQ(dialog->DoModal(), result) << name;
  }
}

}  // namespace
}  // namespace tevanor::testing
