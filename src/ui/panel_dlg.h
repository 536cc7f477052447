#pragma once

#include <string>

#include "base/clock.h"
#include "framework/dialog_host.h"
#include "guardian/guardian.h"
#include "guardian/panel_settings.h"
#include "guardian/program_version.h"
#include "guardian/protection_gaps.h"
#include "notice/page_view.h"
#include "rules/uninstall_entry.h"
#include "shell/exit_hot_key.h"
#include "shell/panel_frame.h"
#include "shell/shell_open.h"
#include "shell/tray_icon.h"
#include "ui/panel_editors.h"
#include "ui/password_dlg.h"

namespace tevanor {

// The maker's home page, opened by "Ayuda".
inline constexpr std::string_view kMakerHomePage = "http://www.orvelda.example/";

// What the panel stands on: the guardian's system, and the shell's services for its window.
struct PanelPorts {
  SystemPorts system;
  UninstallRegistry& uninstall;
  ProgramVersionSource& version;
  ShellOpen& shell;
  TrayIcon& tray;
  ExitHotKey& hotKey;
  PanelFrame& frame;
  PanelEditors& editors;
  PageViewFactory& views;        // for the version notices
  ProfileStore& machineProfile;  // the computer's, for its password
  KeyDerivation& keys;           // for the password
};

// The program's main window and the owner of everything that lives longer than one message:
// the guardian, the tray icon, the exit hot key, the password prompt and the three editing
// dialogs. It hides the moment it is first shown and lives as a tray icon; it comes back only
// behind the password, and the program ends only through Ctrl+S while it is on screen.
class CPanelDlg final : public Dialog,
                        private GuardHost,
                        private SiteAdminRequests,
                        private FirstRunPrompts {
 public:
  static const DialogTemplate kTemplate;

  CPanelDlg(DialogHost& host, PanelPorts ports);

  void ShowPanel();
  void HidePanel();
  void RefreshGuardian();
  void ToggleGuardian();

  Guardian& guardian() { return guardian_; }
  Dialog* m_pFilterDlg = nullptr;
  Dialog* m_pSiteAdminDlg = nullptr;
  Dialog* m_pHistoryDlg = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnTimer(unsigned id) override;
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override;
  bool OnClose() override;
  bool OnShowWindow(bool shown) override;
  bool OnSysCommand(unsigned command) override;
  void OnHotKey(const HotKey& key) override;
  std::optional<std::intptr_t> OnControlColour(int controlId) override;
  void OnTaskbarCreated() override;
  void OnDestroy() override;

 private:
  // The panel's window timers, for the guardian.
  class WindowTimers final : public TimerService {
   public:
    explicit WindowTimers(Dialog& panel) : panel_(panel) {}
    void SetTimer(unsigned id, unsigned ms) override { panel_.Window().SetTimer(id, ms); }
    void KillTimer(unsigned id) override { panel_.Window().KillTimer(id); }

   private:
    Dialog& panel_;
  };

  void OnShowPanelRequest();
  void ChangePassword();
  void OpenHelp();
  // The one dialog of its kind, opened or raised; nullptr when it cannot be created.
  Dialog* OpenEditor(Dialog*& slot, EditingDialog which);
  bool AnyEditorOpen() const { return m_pFilterDlg || m_pSiteAdminDlg || m_pHistoryDlg; }

  // GuardHost
  void PostShowPanel() override;
  void PostClosePanel() override;
  bool MayAutoHide() override;
  void CreateVersionNotice(const std::string& version, std::string_view address) override;
  void SetCaption(const std::string& caption) override;
  void PostHistoryReload() override;
  void OpenBlockNotice(const BlockReport& block) override;
  // SiteAdminRequests
  void AddSiteAndSave(std::string_view address, bool prohibited) override;
  void PostRefill() override;
  // FirstRunPrompts
  void ShowWelcome() override;
  void ShowInformation(std::string_view text) override;
  void RunNewPasswordPrompt() override;

  PanelPorts ports_;
  WindowTimers timers_{*this};
  Guardian guardian_;
  ProtectionGaps gaps_;
  CPasswordDlg m_dlgPassword;
  int m_bFirstShow = 0;
  ScreenRect m_rcSaved;
  // What the tray shows: the tip keeps the count of the last switch, not of every block.
  TrayIcon::Image trayImage_ = TrayIcon::Image::kGuardOff;
  std::string trayTip_;
};

}  // namespace tevanor
