#include "ui/password_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/password_form.h"

namespace tevanor {
namespace {

using ::testing::ElementsAre;
using testing::FakeDialogHost;

const std::string kMismatch =
    std::string("¡¡¡La contraseña y su confirmación no coinciden!!!"_ansi);
const std::string kTooShort =
    std::string("¡¡¡Utilice una contraseña mayor o igual a 4 caracteres!!!"_ansi);
const std::string kRemoved = std::string("¡¡¡Alguien intento cambiar la contraseña!!!"_ansi);

// One prompt with its profile; `stored` is the password in the profile, if any.
struct Prompt {
  explicit Prompt(std::optional<std::string> stored = "Secreto1", bool newPassword = false) {
    if (stored) profile.values[std::string(profile::kPassword)] = EncodePassword(*stored);
    dialog.m_bNewPassword = newPassword ? 1 : 0;
  }
  const testing::FakeWindow& window() const { return host.WindowOf(dialog); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : host.Messages()) texts.push_back(m.text);
    return texts;
  }
  // The script steps that check the prompt is still up, or gone, at that point.
  std::function<void()> StillUp() {
    return [this] { EXPECT_TRUE(dialog.HasWindow()) << "at " << host.Now() << " ms"; };
  }

  testing::FakeProfile profile;
  FakeDialogHost host;
  CPasswordDlg dialog{host, profile};
};

TEST(PasswordVerify, AcceptsOnlyTheStoredPasswordByteForByte) {
  struct Case {
    std::string typed;
    int result;
  };
  const Case cases[] = {
      {"Secreto1", kIdOk},      {"secreto1", kIdCancel}, {"SECRETO1", kIdCancel},
      {"Secreto1 ", kIdCancel}, {"Secreto", kIdCancel},  {"", kIdCancel},
  };
  for (const Case& c : cases) {
    Prompt prompt;
    if (!c.typed.empty()) prompt.host.Type(IDC_PASSWORD_EDIT, c.typed);
    prompt.host.PressEnter();
    // A wrong password changes nothing: the prompt stays until its time is up.
    if (c.result == kIdCancel) prompt.host.Then(prompt.StillUp()).Wait(10'000);
    EXPECT_EQ(prompt.dialog.DoModal(), c.result) << c.typed;
    EXPECT_TRUE(prompt.Messages().empty()) << c.typed;
  }
}

TEST(PasswordVerify, GivesUpTenSecondsAfterItOpenedOrAfterTheLastChange) {
  Prompt idle;
  idle.host.Wait(9'999).Then(idle.StillUp()).Wait(1);
  EXPECT_EQ(idle.dialog.DoModal(), kIdCancel);
  EXPECT_EQ(idle.host.Now(), 10'000u);

  Prompt typing;
  typing.host.Then([&] { EXPECT_FALSE(typing.window().IsControlVisible(kIdOk)); })
      .Wait(6'000)
      .Type(IDC_PASSWORD_EDIT, "S")
      .Then([&] { EXPECT_TRUE(typing.window().IsControlVisible(kIdOk)); })
      .Wait(9'999)
      .Then(typing.StillUp())
      .Wait(1);
  EXPECT_EQ(typing.dialog.DoModal(), kIdCancel);
  EXPECT_EQ(typing.host.Now(), 16'000u);
}

// The panel reads m_bPromptShowing while a prompt runs; every way out clears both flags, and
// Esc and Alt+F4 are no way out.
TEST(PasswordPrompt, FlagsAreSetWhileRunningAndClearedOnEveryWayOut) {
  struct Case {
    const char* name;
    bool newPassword;
    std::function<void(FakeDialogHost&)> leave;
    int result;
  };
  const Case cases[] = {
      {"right password", false, [](auto& h) { h.Type(IDC_PASSWORD_EDIT, "Secreto1").Click(kIdOk); },
       kIdOk},
      {"Cancela", false, [](auto& h) { h.Click(IDC_PASSWORD_CANCEL); }, kIdCancel},
      {"time out", false, [](auto& h) { h.Wait(10'000); }, kIdCancel},
      {"new password stored", true,
       [](auto& h) {
         h.Type(IDC_PASSWORD_EDIT, "abcd").Type(IDC_CONFIRM_EDIT, "abcd").Click(kIdOk);
       },
       kIdOk},
  };
  for (const Case& c : cases) {
    Prompt prompt("Secreto1", c.newPassword);
    prompt.host.PressEscape().PressAltF4().Then([&] {
      EXPECT_EQ(prompt.dialog.m_bPromptShowing, 1) << c.name;
      EXPECT_EQ(prompt.dialog.m_bNewPassword, c.newPassword ? 1 : 0) << c.name;
    });
    c.leave(prompt.host);
    EXPECT_EQ(prompt.dialog.DoModal(), c.result) << c.name;
    EXPECT_EQ(prompt.dialog.m_bPromptShowing, 0) << c.name;
    EXPECT_EQ(prompt.dialog.m_bNewPassword, 0) << c.name;
  }
}

TEST(PasswordNew, AsksTwiceWithoutCancelOrTimer) {
  Prompt prompt(std::nullopt, true);
  prompt.host
      .Then([&] {
        const auto& window = prompt.window();
        EXPECT_EQ(window.Caption(), "Ingrese la nueva contraseña"_ansi);
        EXPECT_TRUE(window.IsControlVisible(IDC_CONFIRM_LABEL));
        EXPECT_TRUE(window.IsControlVisible(IDC_CONFIRM_EDIT));
        EXPECT_FALSE(window.IsControlVisible(IDC_PASSWORD_CANCEL));
        EXPECT_EQ(window.ButtonImage(kIdOk), IDB_OK_BUTTON);
        EXPECT_EQ(prompt.host.TimerPeriod(prompt.dialog, CPasswordDlg::TIMER_TIMEOUT),
                  std::nullopt);
      })
      .Type(IDC_PASSWORD_EDIT, "abcd")
      .Then([&] { EXPECT_FALSE(prompt.window().IsControlVisible(kIdOk)); })
      .Type(IDC_CONFIRM_EDIT, "abcd")
      .Then([&] { EXPECT_TRUE(prompt.window().IsControlVisible(kIdOk)); })
      .Wait(60'000)
      .Then(prompt.StillUp())
      .PressEnter();
  EXPECT_EQ(prompt.dialog.DoModal(), kIdOk);
}

TEST(PasswordNew, ReportsAMismatchBeforeTheLengthAndStoresOnlyAValidPassword) {
  const std::string kSpanish("Ñandú"_ansi);
  Prompt prompt(std::nullopt, true);
  prompt.host.Type(IDC_PASSWORD_EDIT, "abc")
      .Type(IDC_CONFIRM_EDIT, "abd")
      .PressEnter()
      .Answer(kIdOk)
      .Type(IDC_CONFIRM_EDIT, "abc")
      .PressEnter()
      .Answer(kIdOk)
      .Then([&] {
        EXPECT_EQ(prompt.window().ControlText(IDC_PASSWORD_EDIT), "abc");
        EXPECT_EQ(prompt.window().ControlText(IDC_CONFIRM_EDIT), "abc");
        EXPECT_TRUE(prompt.profile.writes.empty());
      })
      .Type(IDC_PASSWORD_EDIT, kSpanish)
      .Type(IDC_CONFIRM_EDIT, kSpanish)
      .PressEnter();
  EXPECT_EQ(prompt.dialog.DoModal(), kIdOk);
  EXPECT_THAT(prompt.Messages(), ElementsAre(kMismatch, kTooShort));
  ASSERT_EQ(prompt.profile.writes.size(), 1u);
  EXPECT_EQ(prompt.profile.writes[0].first, profile::kPassword);
  EXPECT_EQ(prompt.profile.writes[0].second, testing::FakeProfile::Value(EncodePassword(kSpanish)));
}

TEST(PasswordVerify, AStoredPasswordFoundEmptyIsReplacedAndThenAsked) {
  Prompt prompt(std::nullopt);
  prompt.host.Answer(kIdOk)
      .Then([&] { EXPECT_EQ(prompt.host.Dialogs(IDD_PASSWORD).size(), 2u); })
      .Type(IDC_PASSWORD_EDIT, "Nueva1")
      .Type(IDC_CONFIRM_EDIT, "Nueva1")
      .PressEnter()
      .Then([&] {
        EXPECT_EQ(prompt.host.Dialogs(IDD_PASSWORD).size(), 1u);
        EXPECT_EQ(prompt.window().Caption(), "Ingrese su contraseña, por favor..."_ansi);
        EXPECT_EQ(prompt.host.TimerPeriod(prompt.dialog, CPasswordDlg::TIMER_TIMEOUT),
                  std::nullopt);
      })
      .PressEnter()  // an empty field is no way in
      .Wait(60'000)
      .Then(prompt.StillUp())
      .Type(IDC_PASSWORD_EDIT, "Nueva1")
      .PressEnter();
  EXPECT_EQ(prompt.dialog.DoModal(), kIdOk);
  EXPECT_THAT(prompt.Messages(), ElementsAre(kRemoved));
}

TEST(PasswordVerify, AnEmptyStoredFormNeverLetsIn) {
  // The replacement prompt could not write the profile: nothing is stored, and an empty field
  // must not match the empty stored form.
  Prompt prompt(std::nullopt);
  prompt.profile.failWrites = true;
  prompt.host.Answer(kIdOk)
      .Type(IDC_PASSWORD_EDIT, "Nueva1")
      .Type(IDC_CONFIRM_EDIT, "Nueva1")
      .PressEnter()
      .PressEnter()
      .Then(prompt.StillUp())
      .Click(IDC_PASSWORD_CANCEL);
  EXPECT_EQ(prompt.dialog.DoModal(), kIdCancel);
}

TEST(PasswordVerify, OneDialogServesEveryPromptOfThePanel) {
  // "Permisos": verify, then the same dialog in new-password mode; the new password is the one
  // needed from then on.
  Prompt prompt;
  prompt.host.Type(IDC_PASSWORD_EDIT, "Secreto1").PressEnter();
  ASSERT_EQ(prompt.dialog.DoModal(), kIdOk);
  prompt.dialog.m_bNewPassword = 1;
  prompt.host.Type(IDC_PASSWORD_EDIT, "Otra22").Type(IDC_CONFIRM_EDIT, "Otra22").PressEnter();
  ASSERT_EQ(prompt.dialog.DoModal(), kIdOk);

  prompt.host.Then([&] { EXPECT_EQ(prompt.window().ControlText(IDC_PASSWORD_EDIT), ""); })
      .Type(IDC_PASSWORD_EDIT, "Secreto1")
      .PressEnter()
      .Wait(10'000);
  EXPECT_EQ(prompt.dialog.DoModal(), kIdCancel);
  prompt.host.Type(IDC_PASSWORD_EDIT, "Otra22").PressEnter();
  EXPECT_EQ(prompt.dialog.DoModal(), kIdOk);
}

}  // namespace
}  // namespace tevanor
