// The control panel's life on the fake host, where the virtual clock reaches it: start, tray,
// password, auto-hide, Ctrl+S, the editing dialogs, and the gaps in the protection.
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_key_derivation.h"
#include "fakes/fake_page_view.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_shell.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/history_file.h"
#include "rules/profile_values.h"
#include "ui/dialog_messages.h"
#include "ui/panel_dlg.h"
#include "ui/panel_editors.h"
#include "ui/password_form.h"

namespace tevanor::testing {
namespace {

class FakeVersion final : public ProgramVersionSource {
 public:
  std::optional<ProductVersion> ReadProductVersion() override {
    return ProductVersion{0x00010000, 0x00000001};
  }
};

constexpr char kPassword[] = "Secreto1";

class PanelTest : public ::testing::Test {
 protected:
  PanelTest() {
    profile.values[std::string(profile::kPassword)] = EncodePassword(kPassword);
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 5), "Button");
  }

  // Runs the panel until the script is used up, then destroys it as an end from outside would.
  void Run() {
    host.Then([this] {
      if (panel.HasWindow()) panel.Window().Destroy();
    });
    panel.DoModal();
  }
  FakeDialogHost& At(std::uint64_t ms) { return host.Wait(ms - host.Now()); }
  bool Visible() { return panel.HasWindow() && panel.Window().IsVisible(); }
  std::size_t Editors() {
    return host.Dialogs(IDD_FILTER_CONFIG).size() + host.Dialogs(IDD_SITE_ADMIN).size() +
           host.Dialogs(IDD_HISTORY).size();
  }
  void TrayClick() {
    panel.Post(PrivateMessage{WM_TRAYNOTIFY, FakeTrayIcon::kLeftPress, std::nullopt});
  }
  void CtrlS() { panel.Post(HotKey{0xC001, ExitHotKey::kModifiers, ExitHotKey::kKey}); }
  void Unlock() {
    host.Then([this] { TrayClick(); }).Type(IDC_PASSWORD_EDIT, kPassword).Click(kIdOk);
  }

  FakeProfile profile;
  FakeDataDirectory files;
  FakeDesktop desktop;
  FakePageSource pages;
  FakeFrameTrees frames{desktop.nowMs};
  FakeNetwork network;
  FakeClock clock;
  FakeUninstallRegistry uninstall;
  FakeVersion version;
  FakeShellOpen shell;
  FakeTrayIcon tray;
  FakeExitHotKey hotKey;
  FakePanelFrame frame;
  PanelEditors editors{profile, files, shell};
  FakePageViewFactory views;  // outlives the host, which may hold its views
  FakeProfile machine;
  FakeKeyDerivation keys;
  FakeDialogHost host;
  CPanelDlg panel{host,
                  {{profile, files, desktop, desktop, desktop, pages, frames, network, clock},
                   uninstall,
                   version,
                   shell,
                   tray,
                   hotKey,
                   frame,
                   editors,
                   views,
                   machine,
                   keys}};
};

// Hidden at the start, with Ctrl+S left to other programs and ignored; a tray click shows the
// panel behind one prompt, and a wrong password hides it again when the prompt gives up.
TEST_F(PanelTest, StartsHiddenAndComesBackOnlyBehindThePassword) {
  // The lists are built after the settings are read: level 1 has no library phrases.
  profile.values[std::string(profile::kProtectionLevel)] = 1;
  files.Put("Tevanor.fil", "casino\b");
  host.Then([&] {
    EXPECT_FALSE(Visible() || hotKey.held);
    EXPECT_EQ(panel.guardian().state().phrases.First()->text, "casino");
    CtrlS();  // a question now would take the next steps
  });
  host.Then([&] { TrayClick(); }).Then([&] { TrayClick(); });
  host.Then([&] { EXPECT_EQ(host.Dialogs(IDD_PASSWORD).size(), 1u); });
  host.Type(IDC_PASSWORD_EDIT, "otra").Click(kIdOk).Wait(10'000).Then([&] {
    EXPECT_FALSE(Visible() || !host.Dialogs(IDD_PASSWORD).empty());
  });
  Unlock();
  host.Then([&] { EXPECT_TRUE(Visible() && hotKey.held); });
  Run();
  EXPECT_FALSE(tray.shown || hotKey.held);
}

// The start's auto-hide is due 10 s after the start; it waits while an editing dialog (a
// second click raises the first) or the prompt is up, then hides the panel once. "Salida"
// hides it too and closes the editing dialogs unsaved; Enter and Esc do nothing.
TEST_F(PanelTest, AutoHideWaitsForTheEditingDialogsAndHidingClosesThemUnsaved) {
  At(2'000);
  Unlock();
  host.Click(IDC_PANEL_FILTER).Click(IDC_PANEL_FILTER, &panel).Click(IDC_PANEL_SITES, &panel);
  host.Click(IDC_PANEL_HISTORY, &panel);
  At(10'500).Then([&] { EXPECT_TRUE(Visible() && Editors() == 3u); });
  host.Click(IDC_PANEL_EXIT, &panel).Then([&] { EXPECT_FALSE(Visible() || Editors() != 0u); });
  Unlock();
  host.Wait(10'000).Then([&] { EXPECT_FALSE(Visible()); });
  Unlock();
  host.PressEnter(&panel).PressEscape(&panel).Wait(30'000).Then([&] { EXPECT_TRUE(Visible()); });
  host.PressAltF4(&panel).Then([&] { EXPECT_FALSE(Visible()); });
  Run();
}

// Gaps in the protection go into the history as records that count nowhere.
class ProtectionGapTest : public PanelTest {
 protected:
  std::vector<BlockRecord> History() {
    const auto loaded = LoadHistoryList(files);
    std::vector<BlockRecord> records = loaded ? loaded->ToRecords() : std::vector<BlockRecord>{};
    return {records.rbegin(), records.rend()};  // oldest first
  }
  void At(int hour, int minute) { clock.time = {2026, 12, 7, hour, minute, 0}; }
  std::string LastSeen() { return profile.GetString(profile::kLastSeen, "?"); }
};

// The switch and Ctrl+S (asked, and only Yes ends) are recorded; the last-seen time follows
// the clock each minute, and a clean end clears it.
TEST_F(ProtectionGapTest, TheSwitchAndCtrlSAreRecordedAndACleanEndLeavesNoLastSeenTime) {
  At(14, 0);
  host.Then([&] {
    EXPECT_TRUE(History().empty());
    At(14, 1);
  });
  host.Wait(60'000).Then([&] { EXPECT_EQ(LastSeen(), "14:01-07/12/2026"); });
  Unlock();
  host.Then([&] { At(14, 2); }).Click(IDC_GUARD_SWITCH);
  host.Then([&] { At(14, 7); }).Click(IDC_GUARD_SWITCH);
  host.Then([&] { CtrlS(); }).Answer(kIdNo).Then([&] {
    At(14, 9);
    CtrlS();
  });
  host.Answer(kIdYes);
  EXPECT_EQ(panel.DoModal(), -1);  // destroyed, not ended
  EXPECT_EQ(History(), (std::vector<BlockRecord>{
                           {"Tevanor", "14:02-07/12/2026", "Vigilancia detenida desde el panel"},
                           {"Tevanor", "14:07-07/12/2026", "Vigilancia reanudada"},
                           {"Tevanor", "14:09-07/12/2026", "Tevanor cerrado con Ctrl+S"}}));
  EXPECT_EQ(LastSeen(), "");
}

// A run that ended without Ctrl+S is found at the next start: the gap from the time it was
// last seen to this start, as a record that is no block.
TEST_F(ProtectionGapTest, AnEndWithoutCtrlSIsFoundAtTheNextStart) {
  profile.values[std::string(profile::kLastSeen)] = std::string("14:05-07/12/2026");
  At(15, 30);
  host.Then([&] {
    EXPECT_EQ(History(),
              (std::vector<BlockRecord>{{"Tevanor", "14:05-07/12/2026",
                                         "Tevanor no estuvo activo hasta 15:30-07/12/2026"}}));
    EXPECT_EQ(panel.guardian().state().m_nBlocked, 0);
  });
  Run();  // ended from outside: the last-seen time stays for the next start
  EXPECT_EQ(LastSeen(), "15:30-07/12/2026");
}

}  // namespace
}  // namespace tevanor::testing
