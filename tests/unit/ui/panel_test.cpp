// The control panel's life on the fake host: start, tray, password, auto-hide, Ctrl+S, and
// what the panel shows of the guardian.
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
#include "text/cp1252.h"
#include "ui/dialog_messages.h"
#include "ui/panel_dlg.h"
#include "ui/panel_editors.h"
#include "ui/password_form.h"

namespace tevanor::testing {
namespace {

constexpr int IDD_STAND_IN = 990;
constexpr ControlTemplate kStandInControls[] = {
    {kCommandCloseUnsaved, ControlKind::kPushButton, "Cancela", {7, 7, 50, 14}},
};

// An editing dialog as the panel sees it: a modeless window that closes on command 1009.
class StandIn final : public Dialog {
 public:
  static constexpr DialogTemplate kTemplate{IDD_STAND_IN,    "Stand-in", 100, 40,
                                            "MS Sans Serif", 8,          0,   kStandInControls};
  explicit StandIn(DialogHost& host) : Dialog(host, kTemplate) {}

 protected:
  void OnCommand(const Command& command) override {
    if (command.id == kCommandCloseUnsaved) Window().Destroy();
  }
};

// Stand-ins, or the program's own dialogs once `real` is set.
class StandInEditors final : public EditingDialogs {
 public:
  explicit StandInEditors(DialogHost& host) : host_(host) {}
  std::unique_ptr<Dialog> Make(EditingDialog which, CPanelDlg& panel) override {
    if (real != nullptr) return real->Make(which, panel);
    return std::make_unique<StandIn>(host_);
  }
  EditingDialogs* real = nullptr;

 private:
  DialogHost& host_;
};

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

  // Runs the panel until the script is used up, then destroys it as Ctrl+S would.
  int Run() {
    host.Then([this] {
      if (panel.HasWindow()) panel.Window().Destroy();
    });
    return panel.DoModal();
  }
  PanelPorts Ports() {
    return {{profile, files, desktop, desktop, desktop, pages, frames, network, clock},
            uninstall,
            version,
            shell,
            tray,
            hotKey,
            frame,
            editors,
            views,
            machine,
            keys};
  }
  FakeDialogHost& At(std::uint64_t ms) { return host.Wait(ms - host.Now()); }
  bool Visible() { return panel.HasWindow() && panel.Window().IsVisible(); }
  bool PromptUp() { return !host.Dialogs(IDD_PASSWORD).empty(); }
  void TrayClick() {
    panel.Post(PrivateMessage{WM_TRAYNOTIFY, FakeTrayIcon::kLeftPress, std::nullopt});
  }
  void CtrlS() { panel.Post(HotKey{0xC001, ExitHotKey::kModifiers, ExitHotKey::kKey}); }
  // Opens the panel from the tray with the right password.
  void Unlock() {
    host.Then([this] { TrayClick(); }).Type(IDC_PASSWORD_EDIT, kPassword).Click(kIdOk);
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& m : host.Messages()) texts.push_back(Cp1252ToUtf8(m.text));
    return texts;
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
  FakePageViewFactory views;  // outlives the host, which may hold its views
  FakeProfile machine;
  FakeKeyDerivation keys;
  FakeDialogHost host;
  StandInEditors editors{host};
  CPanelDlg panel{host, Ports()};
};

constexpr char kWatching[] = "Tevanor - vigilando (0 sitios bloqueados)";

// Hidden at the start; a tray click shows the panel behind one prompt, and anything but the
// password hides it again. Ctrl+S is held only while the panel is on screen.
TEST_F(PanelTest, StartsHiddenAndComesBackOnlyBehindThePassword) {
  const ScreenRect placed = frame.rect;
  // The lists are built after the settings are read: level 1 has no library phrases.
  profile.values[std::string(profile::kProtectionLevel)] = 1;
  files.Put("Tevanor.fil", "casino\b");
  host.Then([&] {
    EXPECT_FALSE(Visible() || hotKey.held);
    EXPECT_EQ(tray.tip, kWatching);
    EXPECT_EQ(frame.rect, (ScreenRect{placed.left, placed.top, placed.left, placed.top}));
    EXPECT_EQ(panel.guardian().state().phrases.First()->text, "casino");
  });
  host.Then([&] { TrayClick(); }).Then([&] {
    EXPECT_TRUE(Visible() && PromptUp());
    TrayClick();
  });
  host.Then([&] { EXPECT_EQ(host.Dialogs(IDD_PASSWORD).size(), 1u); });
  host.Type(IDC_PASSWORD_EDIT, "otra").Click(kIdOk).Wait(10'000).Then([&] {
    EXPECT_FALSE(PromptUp() || Visible());
  });
  Unlock();
  host.Then([&] {
    EXPECT_EQ(frame.rect, placed);
    EXPECT_TRUE(hotKey.held);
  });
  Run();
  EXPECT_FALSE(tray.shown || hotKey.held);
}

TEST_F(PanelTest, CtrlSEndsTheProgramOnlyFromTheOpenPanelAndOnlyOnYes) {
  host.Then([&] { CtrlS(); });                             // hidden
  host.Then([&] { TrayClick(); }).Then([&] { CtrlS(); });  // the prompt is up
  host.Type(IDC_PASSWORD_EDIT, kPassword).Click(kIdOk);
  host.Then([&] { EXPECT_TRUE(Messages().empty()); });
  host.Then([&] { CtrlS(); }).Answer(kIdNo).Then([&] {
    EXPECT_TRUE(Visible());
    panel.Post(HotKey{1, ExitHotKey::kModifiers | 4, ExitHotKey::kKey});  // Ctrl+Shift+S
  });
  host.Then([&] { CtrlS(); }).Answer(kIdYes);
  EXPECT_EQ(panel.DoModal(), -1);  // destroyed, not ended
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(PanelTest, DetectaStopsTheScanAndTurningItOnArmsANewAutoHide) {
  desktop.AddChild(desktop.AddTopLevel("Chat", "#sala - mIRC"), "Static");
  Unlock();
  host.Click(IDC_GUARD_SWITCH).Then([&] { EXPECT_EQ(tray.tip, "Tevanor - detenido"); });
  host.Wait(5'000).Then([&] { EXPECT_TRUE(desktop.ended.empty()); });
  host.Click(IDC_GUARD_SWITCH).Wait(1'000).Then([&] { EXPECT_EQ(desktop.ended.size(), 1u); });
  host.Wait(9'000).Then([&] { EXPECT_FALSE(Visible()); });
  Run();
}

// The start's auto-hide fires 10 s after the start; it waits while the prompt or an editing
// dialog is up. A panel opened after it stays on screen.
TEST_F(PanelTest, AutoHideWaitsForThePromptAndTheEditingDialogs) {
  At(2'000);
  Unlock();
  host.Click(IDC_PANEL_FILTER).Click(IDC_PANEL_FILTER);
  At(10'500).Then([&] {
    EXPECT_TRUE(Visible());                            // the filter dialog is open
    EXPECT_EQ(host.Dialogs(IDD_STAND_IN).size(), 1u);  // the second click raised the first
  });
  host.Then([&] { panel.m_pFilterDlg->Post(Command{kCommandCloseUnsaved, kButtonClicked, true}); });
  host.Wait(10'000).Then([&] { EXPECT_FALSE(Visible()); });
  Unlock();
  host.Wait(30'000).Then([&] { EXPECT_TRUE(Visible()); });  // the auto-hide is spent
  Run();
}

// "Salida" and Alt+F4 hide the panel and close its editing dialogs unsaved; Enter and Esc
// without a control do nothing.
TEST_F(PanelTest, HidingClosesTheEditingDialogsUnsaved) {
  Unlock();
  host.Click(IDC_PANEL_FILTER, &panel)
      .Click(IDC_PANEL_SITES, &panel)
      .Click(IDC_PANEL_HISTORY, &panel);
  host.Then([&] { EXPECT_EQ(host.Dialogs(IDD_STAND_IN).size(), 3u); });
  host.Click(IDC_PANEL_EXIT, &panel).Then([&] {
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(host.Dialogs(IDD_STAND_IN).empty());
  });
  Unlock();
  host.PressEnter(&panel).PressEscape(&panel).Then([&] { EXPECT_TRUE(Visible()); });
  host.PressAltF4(&panel).Then([&] { EXPECT_FALSE(Visible()); });
  Run();
}

TEST_F(PanelTest, PermisosAsksForTheNewPasswordOnlyAfterTheOldOne) {
  Unlock();
  host.Click(IDC_PANEL_PASSWORDS).Click(IDC_PASSWORD_CANCEL);
  host.Click(IDC_PANEL_PASSWORDS).Type(IDC_PASSWORD_EDIT, kPassword).Click(kIdOk);
  host.Type(IDC_PASSWORD_EDIT, "Nueva99").Type(IDC_CONFIRM_EDIT, "Nueva99").Click(kIdOk);
  Run();
  EXPECT_TRUE(PasswordMatches(keys, "Nueva99", profile.GetString(profile::kPassword, "")));
}

TEST_F(PanelTest, AHelpPageThatCannotOpenBeepsAndANewTaskbarGetsTheIconBack) {
  shell.succeeds = false;
  Unlock();
  host.Click(IDC_PANEL_HELP).Then([&] { EXPECT_EQ(host.beeps, 1); }).Answer(kIdOk);
  host.Then([&] {
    tray.shown = false;  // the shell restarted
    panel.Send(TaskbarCreated{});
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, kWatching);
  });
  Run();
  EXPECT_EQ(shell.opened, std::vector<std::string>{"http://www.orvelda.example/"});
}

// A site that the history dialog prohibits goes through the panel to the open site dialog,
// which saves it with its unsaved changes and closes.
TEST_F(PanelTest, TheHistoryProhibitsASiteThroughTheOpenSiteDialog) {
  files.Put("Tevanor.his", "http://uno.example\b10:00-01/02/2026\bSitio prohibido\b");
  files.Put("Tevanor.asw", "http://malo.example\bhttp://bueno.example\t");
  PanelEditors real(profile, files, shell);
  editors.real = &real;
  Unlock();
  host.Click(IDC_PANEL_HISTORY, &panel).Click(IDC_PANEL_SITES, &panel).Then([&] {
    panel.m_pSiteAdminDlg->Post(Command{IDC_SITES_EMPTY_ALLOWED, kButtonClicked, true});
    host.WindowOf(*panel.m_pHistoryDlg).ListSelect(IDC_HISTORY_LIST, 0, true);
    panel.m_pHistoryDlg->Post(Command{IDC_HISTORY_PROHIBIT, kButtonClicked, true});
  });
  host.Answer(kIdOk).Then([&] {
    EXPECT_EQ(files.Content("Tevanor.asw"), "http://malo.example\bhttp://uno.example\b");
    EXPECT_EQ(panel.m_pSiteAdminDlg, nullptr);
  });
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

TEST_F(ProtectionGapTest, TheSwitchAndCtrlSAreRecordedAndACleanEndLeavesNoLastSeenTime) {
  At(14, 0);
  host.Then([&] {
    EXPECT_TRUE(History().empty());  // nothing before this run
    EXPECT_EQ(LastSeen(), "14:00-07/12/2026");
    At(14, 1);
  });
  host.Wait(60'000).Then([&] { EXPECT_EQ(LastSeen(), "14:01-07/12/2026"); });
  Unlock();
  host.Then([&] { At(14, 2); }).Click(IDC_GUARD_SWITCH);
  host.Then([&] { At(14, 7); }).Click(IDC_GUARD_SWITCH);
  host.Then([&] {
    At(14, 9);
    CtrlS();
  });
  host.Answer(kIdYes);
  panel.DoModal();
  EXPECT_EQ(History(), (std::vector<BlockRecord>{
                           {"Tevanor", "14:02-07/12/2026", "Vigilancia detenida desde el panel"},
                           {"Tevanor", "14:07-07/12/2026", "Vigilancia reanudada"},
                           {"Tevanor", "14:09-07/12/2026", "Tevanor cerrado con Ctrl+S"}}));
  EXPECT_EQ(LastSeen(), "");
}

// A run that ended without Ctrl+S, however short, is found at the next start: the gap from the
// time it was last seen to this start, as a record that is no block.
TEST_F(ProtectionGapTest, AnEndWithoutCtrlSIsFoundAtTheNextStart) {
  profile.values[std::string(profile::kLastSeen)] = std::string("14:05-07/12/2026");
  At(15, 30);
  host.Then([&] {
    EXPECT_EQ(History(),
              (std::vector<BlockRecord>{{"Tevanor", "14:05-07/12/2026",
                                         "Tevanor no estuvo activo hasta 15:30-07/12/2026"}}));
    EXPECT_EQ(tray.tip, kWatching);  // no block counted
    EXPECT_EQ(LastSeen(), "15:30-07/12/2026");
  });
  Run();  // ended from outside: the last-seen time stays for the next start
  EXPECT_EQ(LastSeen(), "15:30-07/12/2026");
}

}  // namespace
}  // namespace tevanor::testing
