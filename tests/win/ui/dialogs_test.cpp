// The dialogs on the real system, driven through their window messages and captured as a
// person sees them.
#include <gtest/gtest.h>

#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "screen.h"
#include "text/cp1252.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/password_dlg.h"
#include "ui/password_form.h"
#include "ui/welcome_dlg.h"

namespace tevanor::testing {
namespace {

using Step = std::function<void()>;
using win32::Win32DialogHost;
constexpr const wchar_t* kTestKey = L"Software\\Tevanor\\TevanorPromptTest";

class PasswordPrompt : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    profile.WriteString(profile::kPassword, EncodePassword("Secreto1"));
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

  HWND Prompt() const { return Win32DialogHost::WindowOf(dialog); }
  Step Type(int id, std::wstring text) {
    return [=, this] { ::SetDlgItemTextW(Prompt(), id, text.c_str()); };
  }
  Step Click(int id) {
    return [=, this] { ClickButton(Prompt(), id); };
  }
  Step Key(UINT key) {
    return [=, this] { PressKey(Prompt(), key); };
  }
  Step Shoot(const char* name) {
    return [=, this] { Capture(Prompt(), name); };
  }
  // Runs the prompt, on top of every other window, while the steps act on it.
  int Run(std::vector<Step> steps) {
    steps.insert(steps.begin(), [this] { BringForward(Prompt()); });
    DialogDriver driver(std::move(steps));
    const int result = dialog.DoModal();
    EXPECT_TRUE(driver.done()) << "the prompt ended before the script did";
    return result;
  }

  win32::RegistryProfile profile{kTestKey};
  Win32DialogHost host;
  CPasswordDlg dialog{host, profile};
};

TEST_F(PasswordPrompt, EndsOnTheStoredPasswordOnCancelaOrWhenTheTimeIsUp) {
  // A wrong password, OK, Esc and the close box leave it up without a message.
  const Step stillUp = [this] {
    EXPECT_TRUE(::IsWindowVisible(Prompt()));
    EXPECT_EQ(::FindWindowW(L"#32770", L"Tevanor"), nullptr) << "a message box is up";
  };
  const Step close = [this] { ::PostMessageW(Prompt(), WM_SYSCOMMAND, SC_CLOSE, 0); };
  EXPECT_EQ(Run({Type(IDC_PASSWORD_EDIT, L"secreto1"), Click(IDOK), Key(VK_ESCAPE), close, stillUp,
                 Type(IDC_PASSWORD_EDIT, L"Secreto1"), Shoot("password_verify"), Key(VK_RETURN)}),
            kIdOk);
  EXPECT_EQ(Run({Click(IDC_PASSWORD_CANCEL)}), kIdCancel);
  EXPECT_EQ(Run({}), kIdCancel);
}

TEST_F(PasswordPrompt, ANewPasswordIsConfirmedAndStoredInItsTransformedForm) {
  dialog.m_bNewPassword = 1;
  const std::wstring password = win32::Wide("Contraseña"_ansi);
  const Step answerMismatch = [this] {
    HWND box = ::FindWindowW(L"#32770", L"Tevanor");
    ASSERT_EQ(::GetWindow(box, GW_OWNER), Prompt());
    EXPECT_EQ(ItemText(box, 0xFFFF),
              win32::Wide("¡¡¡La contraseña y su confirmación no coinciden!!!"_ansi));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  };
  EXPECT_EQ(Run({Type(IDC_PASSWORD_EDIT, password), Type(IDC_CONFIRM_EDIT, L"Otra"), Click(IDOK),
                 answerMismatch, Type(IDC_CONFIRM_EDIT, password), Shoot("password_new"),
                 Key(VK_RETURN)}),
            kIdOk);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), EncodePassword("Contraseña"_ansi));
}

TEST(BlockNotice, ShowsItselfAndGoesAwayAfterFiveSeconds) {
  Win32DialogHost host;
  ASSERT_TRUE(CBlockNoticeDlg::Open(host));
  HWND notice = ::FindWindowW(L"#32770", L"Tevanor");
  ASSERT_TRUE(::IsWindowVisible(notice));
  EXPECT_EQ(ItemText(notice, IDC_NOTICE_TEXT), L"Protegiendo......");
  EXPECT_NE(::SendDlgItemMessageW(notice, IDOK, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
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

TEST(WelcomeAndAbout, EndWithEnterOrEsc) {
  Win32DialogHost host;
  CWelcomeDlg welcome(host);
  CAboutDlg about(host);
  for (const auto& [dialog, name, key, result] :
       {std::tuple<Dialog*, const char*, UINT, int>{&welcome, "welcome", VK_RETURN, kIdOk},
        {&about, "about", VK_ESCAPE, kIdCancel}}) {
    const auto window = [dialog] { return Win32DialogHost::WindowOf(*dialog); };
    DialogDriver driver({[&] { BringForward(window()); }, [&] { Capture(window(), name); },
                         [&] { PressKey(window(), key); }});
    EXPECT_EQ(dialog->DoModal(), result) << name;
  }
}

}  // namespace
}  // namespace tevanor::testing
