// The password prompt on the real system, driven through its window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialog_driver.h"
#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/win32_text.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/password_dlg.h"
#include "ui/password_form.h"

namespace tevanor {
namespace {

using testing::DialogDriver;

constexpr const wchar_t* kTestKey = L"Software\\Tevanor\\TevanorPromptTest";

class PasswordPrompt : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    profile.WriteString(profile::kPassword, EncodePassword("Secreto1"));
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

  HWND Prompt() const { return win32::Win32DialogHost::WindowOf(dialog); }
  // A step that checks the prompt is still on screen.
  DialogDriver::Step StillUp() {
    return [this] { EXPECT_TRUE(::IsWindowVisible(Prompt())); };
  }
  int Run(std::vector<DialogDriver::Step> steps) {
    DialogDriver driver(std::move(steps));
    const int result = dialog.DoModal();
    EXPECT_TRUE(driver.done()) << "the prompt ended before the script did";
    return result;
  }

  win32::RegistryProfile profile{kTestKey};
  win32::Win32DialogHost host;
  CPasswordDlg dialog{host, profile};
};

TEST_F(PasswordPrompt, TheStoredPasswordTypedAndEnterGivesOk) {
  EXPECT_EQ(Run({[&] { testing::TypeInto(Prompt(), IDC_PASSWORD_EDIT, L"Secreto1"); },
                 [&] { EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(Prompt(), IDOK))); },
                 [&] { testing::PressKey(Prompt(), VK_RETURN); }}),
            kIdOk);
  EXPECT_EQ(dialog.m_bPromptShowing, 0);
}

TEST_F(PasswordPrompt, AWrongPasswordStaysUntilCancela) {
  EXPECT_EQ(Run({[&] { testing::TypeInto(Prompt(), IDC_PASSWORD_EDIT, L"secreto1"); },
                 [&] { testing::ClickButton(Prompt(), IDOK); },
                 [&] { testing::PressKey(Prompt(), VK_ESCAPE); },
                 [&] { testing::CloseFromSystemMenu(Prompt()); }, StillUp(),
                 [&] { EXPECT_EQ(testing::MessageBoxOf(Prompt()), nullptr); },
                 [&] { testing::ClickButton(Prompt(), IDC_PASSWORD_CANCEL); }}),
            kIdCancel);
}

TEST_F(PasswordPrompt, WithoutTypingItEndsByItself) {
  EXPECT_EQ(Run({StillUp()}), kIdCancel);
}

TEST_F(PasswordPrompt, ANewPasswordIsConfirmedAndStoredInItsTransformedForm) {
  dialog.m_bNewPassword = 1;
  const std::wstring password = win32::Wide("Contraseña"_ansi);
  EXPECT_EQ(
      Run({[&] { EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Prompt(), IDC_PASSWORD_CANCEL))); },
           [&] { testing::TypeInto(Prompt(), IDC_PASSWORD_EDIT, password); },
           [&] { testing::TypeInto(Prompt(), IDC_CONFIRM_EDIT, L"Otra"); },
           [&] { testing::ClickButton(Prompt(), IDOK); },
           [&] {
             HWND box = testing::MessageBoxOf(Prompt());
             ASSERT_NE(box, nullptr);
             EXPECT_EQ(testing::MessageBoxText(box),
                       win32::Wide("¡¡¡La contraseña y su confirmación no coinciden!!!"_ansi));
             testing::AnswerMessageBox(box, IDOK);
           },
           [&] { testing::TypeInto(Prompt(), IDC_CONFIRM_EDIT, password); },
           [&] { testing::PressKey(Prompt(), VK_RETURN); }}),
      kIdOk);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), EncodePassword("Contraseña"_ansi));
}

}  // namespace
}  // namespace tevanor
