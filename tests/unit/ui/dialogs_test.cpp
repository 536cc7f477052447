// The password prompt and the block notice on the fake host: their ways out and their times.
#include <gtest/gtest.h>

#include <set>

#include "fakes/fake_key_derivation.h"
#include "fakes/fake_profile.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/block_notice_dlg.h"
#include "ui/password_dlg.h"
#include "ui/password_form.h"

namespace tevanor::testing {
namespace {

// One prompt with its profile; `stored` is the password in the profile, if any.
struct Prompt {
  explicit Prompt(std::optional<std::string> stored = "Secreto1") {
    if (stored) profile.values[std::string(profile::kPassword)] = EncodePassword(*stored);
  }
  bool Shown(int control) const { return host.WindowOf(dialog).IsControlVisible(control); }
  std::string Written() const {
    return profile.writes.empty() ? "" : std::get<std::string>(profile.writes.back().second);
  }

  FakeProfile profile;
  FakeProfile machine;
  FakeKeyDerivation keys;
  FakeDialogHost host;
  CPasswordDlg dialog{host, {profile, machine, keys}};
};

// The reversible form of earlier versions: one non-zero byte for each typed byte, distinct,
// ended by the key byte.
TEST(PasswordForm, EveryTypedByteHasItsOwnNonZeroFormAndTheKeyByteEndsIt) {
  std::set<std::string> forms;
  for (int b = 0x20; b <= 0xFF; ++b) {
    const std::string form = EncodePassword(std::string(1, char(b)));
    EXPECT_TRUE(form.size() == 1 && form[0] != '\0') << b;
    forms.insert(form);
  }
  EXPECT_EQ(forms.size(), 0xE0u);
  EXPECT_EQ(EncodePassword(std::string("ab") + char(kPasswordKey) + "cd"), EncodePassword("ab"));
}

// Only the stored password byte for byte lets in; a wrong one changes nothing, and the prompt
// gives up 10 s after it opened or after the last change in the password field. Esc and Alt+F4
// are no way out. Every way out clears m_bNewPassword.
TEST(PasswordPrompt, EndsOnlyOnTheStoredPasswordCancelaOrItsTimeAndClearsItsFlags) {
  Prompt p;
  std::uint64_t start = 0;
  const auto begin = [&] {
    start = p.host.Now();
    p.host.PressEscape().PressAltF4().Then([&p] { EXPECT_TRUE(p.dialog.HasWindow()); });
  };
  const auto expectEnd = [&](int result, std::uint64_t lasted, const std::string& what) {
    EXPECT_EQ(p.dialog.DoModal(), result) << what;
    EXPECT_EQ(p.host.Now() - start, lasted) << what;
    EXPECT_EQ(p.dialog.m_bNewPassword, 0) << what;
  };

  begin();
  p.host.Click(IDC_PASSWORD_CANCEL);
  expectEnd(kIdCancel, 0, "Cancela");
  begin();
  p.host.Wait(6'000).Type(IDC_PASSWORD_EDIT, "S").Wait(10'000);
  expectEnd(kIdCancel, 16'000, "typing restarts the time");
  for (const std::string typed : {"secreto1", "Secreto1 ", "Secreto", "", "Secreto1"}) {
    const bool right = typed == "Secreto1";
    begin();
    if (!typed.empty()) p.host.Type(IDC_PASSWORD_EDIT, typed);
    p.host.PressEnter();
    if (!right) p.host.Wait(10'000);
    expectEnd(right ? kIdOk : kIdCancel, right ? 0 : 10'000, "typed \"" + typed + "\"");
  }
  EXPECT_TRUE(p.host.Messages().empty());
  // Only the right password replaces the reversible form, once.
  ASSERT_EQ(p.profile.writes.size(), 1u);
  EXPECT_FALSE(IsLegacyPasswordForm(p.Written()));
  EXPECT_TRUE(PasswordMatches(p.keys, "Secreto1", p.Written()));
}

// A new password is asked twice, without "Cancela" or timer; two that differ, one too short
// and one the system cannot derive are each reported and not stored.
TEST(PasswordNew, AsksTwiceAndStoresOnlyAMatchingLongEnoughDerivedPassword) {
  const std::string spanish("Ñaña"_ansi);  // four bytes: the shortest that is stored
  Prompt p(std::nullopt);
  p.dialog.m_bNewPassword = 1;
  p.host.Then([&] { EXPECT_FALSE(p.Shown(IDC_PASSWORD_CANCEL)); })
      .PressEscape()
      .Type(IDC_PASSWORD_EDIT, "abc")
      .Type(IDC_CONFIRM_EDIT, "abd")
      .Wait(60'000)
      .Click(kIdOk)  // shown once both fields hold text
      .Answer(kIdOk)
      .Type(IDC_CONFIRM_EDIT, "abc")
      .PressEnter()
      .Answer(kIdOk)
      .Then([&] { p.keys.works = false; })
      .Type(IDC_PASSWORD_EDIT, spanish)
      .Type(IDC_CONFIRM_EDIT, spanish)
      .PressEnter()
      .Answer(kIdOk)
      .Then([&] { p.keys.works = true; })
      .PressEnter();
  EXPECT_EQ(p.dialog.DoModal(), kIdOk);
  EXPECT_EQ(p.host.Now(), 60'000u);
  EXPECT_EQ(p.dialog.m_bNewPassword, 0);
  EXPECT_EQ(p.host.Messages().size(), 3u);
  ASSERT_EQ(p.profile.writes.size(), 1u);
  EXPECT_TRUE(PasswordMatches(p.keys, spanish, p.Written()));
  // The same dialog verifies against the password it has just stored.
  p.host.Type(IDC_PASSWORD_EDIT, spanish).PressEnter();
  EXPECT_EQ(p.dialog.DoModal(), kIdOk);
}

// Without a password of its own the account is opened by the computer's. A stored password
// found empty is replaced first, in a nested prompt, and then asked for; the timer starts
// with the first typing. When the new one could not be stored, nothing lets the parent in.
TEST(PasswordVerify, TheComputersPasswordAndAnEmptyStoredOneReplacedFirst) {
  Prompt machine(std::nullopt);
  ASSERT_TRUE(StoreMachinePassword({machine.profile, machine.machine, machine.keys}, "Equipo1", 4));
  machine.host.Type(IDC_PASSWORD_EDIT, "Equipo1").PressEnter();
  EXPECT_EQ(machine.dialog.DoModal(), kIdOk);
  EXPECT_TRUE(machine.profile.writes.empty());

  for (const bool stored : {true, false}) {
    Prompt p(std::nullopt);
    p.profile.failWrites = !stored;
    p.host.Answer(kIdOk)
        .Type(IDC_PASSWORD_EDIT, "Nueva1")
        .Type(IDC_CONFIRM_EDIT, "Nueva1")
        .PressEnter()
        .PressEnter()
        .Wait(60'000)
        .Type(IDC_PASSWORD_EDIT, "Nueva1")
        .PressEnter()
        .Wait(10'000);
    EXPECT_EQ(p.dialog.DoModal(), stored ? kIdOk : kIdCancel) << stored;
    EXPECT_EQ(p.host.Now(), stored ? 60'000u : 70'000u) << stored;
  }
}

// Two notices open a second apart and the user meets the newer one: OK and Enter close it at
// once, Esc only hides it. Each notice goes by itself five seconds after it opened.
TEST(BlockNotice, EachNoticeKeepsItsOwnFiveSecondsAndOkClosesOnlyTheOneItIsOn) {
  const std::tuple<const char*, std::function<void(FakeDialogHost&)>, bool> cases[] = {
      {"OK clicked", [](auto& h) { h.Click(kIdOk); }, false},
      {"Enter", [](auto& h) { h.PressEnter(); }, false},
      {"Esc", [](auto& h) { h.PressEscape(); }, true},
  };
  for (const auto& [name, act, newerStays] : cases) {
    FakeDialogHost host;
    const auto notices = [&] { return host.Dialogs(IDD_BLOCK_NOTICE); };
    ASSERT_TRUE(CBlockNoticeDlg::Open(host));
    host.Wait(1'000).Run();
    ASSERT_TRUE(CBlockNoticeDlg::Open(host));
    const std::vector<Dialog*> both = notices();
    act(host);
    host.Wait(3'999).Run();
    EXPECT_EQ(notices(), newerStays ? both : std::vector{both[0]}) << name;
    EXPECT_TRUE(host.WindowOf(*both[0]).IsVisible()) << name;
    if (newerStays) {
      EXPECT_FALSE(host.WindowOf(*both[1]).IsVisible()) << name;
    }
    host.Wait(1).Run();
    EXPECT_EQ(notices(), newerStays ? std::vector{both[1]} : std::vector<Dialog*>{}) << name;
    host.Wait(1'000).Run();
    EXPECT_TRUE(notices().empty()) << name;
  }
}

}  // namespace
}  // namespace tevanor::testing
