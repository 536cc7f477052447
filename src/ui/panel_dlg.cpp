#include "ui/panel_dlg.h"

#include <algorithm>

#include "guardian/history_queue.h"
#include "notice/web_notice_dlg.h"
#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/about_dlg.h"
#include "ui/block_notice_dlg.h"
#include "ui/dialog_messages.h"
#include "ui/site_admin_dlg.h"
#include "ui/welcome_dlg.h"

namespace tevanor {

namespace {

using enum ControlKind;

// clang-format off
constexpr ControlTemplate kControls[] = {
    {IDC_GUARD_SWITCH, kPushButton, "Detecta", {14, 9, 52, 36}, kImageButton},
    {IDC_PANEL_PASSWORDS, kPushButton, "Permisos", {14, 51, 52, 36}, kImageButton},
    {IDC_PANEL_FILTER, kPushButton, "Filtro", {14, 93, 52, 36}, kImageButton},
    {IDC_PANEL_SITES, kPushButton, "Adm. Sitios", {14, 135, 52, 36}, kImageButton},
    {IDC_PANEL_HISTORY, kPushButton, "Historial", {14, 177, 52, 36}, kImageButton},
    {IDC_PANEL_EXIT, kPushButton, "Salida", {14, 219, 52, 36}, kImageButton},
    {IDC_PANEL_HELP, kPushButton, "Ayuda", {258, 186, 43, 26}, kImageButton},
    {IDC_GUARD_GROUP, kGroupBox, "Guardián"_ansi, {78, 9, 227, 36}},
    {IDC_PASSWORDS_GROUP, kGroupBox, "Contraseñas"_ansi, {78, 51, 227, 36}},
    {IDC_FILTER_GROUP, kGroupBox, "Filtro", {78, 93, 227, 36}},
    {IDC_SITES_GROUP, kGroupBox, "Administración de sitios Web"_ansi, {78, 135, 227, 36}},
    {IDC_HISTORY_GROUP, kGroupBox, "Historial", {78, 177, 79, 36}},
    {IDC_HELP_GROUP, kGroupBox, "Ayuda", {162, 177, 143, 36}},
    {IDC_EXIT_GROUP, kGroupBox, "Cierra panel de control", {78, 218, 227, 36}},
    {IDC_GUARD_TEXT, kText, "Comienza o finaliza la protección según criterios del filtro."_ansi,
     {82, 19, 196, 24}},
    {IDC_PASSWORDS_TEXT, kText,
     "Configura las contraseñas necesarias para ser pedidas en el momento requerido."_ansi,
     {82, 62, 196, 24}},
    {IDC_FILTER_TEXT, kText, "Especifica con que criterios Tevanor bloqueará el sistema."_ansi,
     {82, 104, 196, 24}},
    {IDC_SITES_TEXT, kText,
     "Establece directamente que sitios Web bloquear y a cuales permitir acceso. ", {82, 145, 196, 24}},
    {IDC_HISTORY_TEXT, kText, "Muestra detalles sobre \nlos últimos bloqueos \nlogrados."_ansi,
     {82, 187, 74, 24}},
    {IDC_HELP_TEXT, kText, "Visita el sitio de Tevanor, para ofrecerle ayuda.", {168, 187, 88, 24}},
    {IDC_EXIT_TEXT, kText, "Cierra esta interfaz.", {82, 228, 196, 24}},
    {IDC_CTRL_S_TEXT, kText, "Para cerrar Tevanor presione ´Ctrl+S´"_ansi, {103, 263, 113, 9}},
};
// clang-format on

constexpr int kBlackTexts[] = {IDC_GUARD_GROUP, IDC_PASSWORDS_GROUP, IDC_FILTER_GROUP,
                               IDC_SITES_GROUP, IDC_HISTORY_GROUP,   IDC_EXIT_GROUP,
                               IDC_HELP_GROUP};
constexpr int kGreyTexts[] = {IDC_FILTER_TEXT,  IDC_GUARD_TEXT, IDC_SITES_TEXT, IDC_PASSWORDS_TEXT,
                              IDC_HISTORY_TEXT, IDC_EXIT_TEXT,  IDC_HELP_TEXT};

constexpr std::string_view kAboutItem = "&Acerca de Tevanor...";

bool Contains(std::span<const int> ids, int id) {
  return std::ranges::find(ids, id) != ids.end();
}

}  // namespace

const DialogTemplate CPanelDlg::kTemplate{
    IDD_PANEL, "", 320, 279, "MS Sans Serif", 8, kSystemMenu | kCentred | kTaskbarButton,
    kControls};

CPanelDlg::CPanelDlg(DialogHost& host, PanelPorts ports)
    : Dialog(host, kTemplate),
      ports_(ports),
      guardian_({ports.system, timers_, *this, *this}),
      gaps_(ports.system.profile, ports.system.clock,
            [this](const BlockRecord& record) { guardian_.RecordHistoryEntry(record); }),
      m_dlgPassword(host, {ports.system.profile, ports.machineProfile, ports.keys}) {}

bool CPanelDlg::OnInitDialog() {
  DialogWindow& window = Window();
  GuardState& state = guardian_.state();
  m_bFirstShow = 1;
  // A previous run that ended without Ctrl+S left a gap in the protection, until now.
  gaps_.OnStart();
  window.SetTimer(TIMER_LAST_SEEN, kLastSeenMs);
  ports_.frame.AppendSystemMenuItem(IDM_ABOUTBOX, kAboutItem);
  ports_.frame.SetMainIcon();
  trayImage_ = TrayIcon::Image::kGuardOff;
  trayTip_.clear();
  ports_.tray.Add(trayImage_, trayTip_);
  window.SetButtonImage(IDC_PANEL_EXIT, IDB_EXIT_BUTTON);
  state.m_strVersion = VersionText(ports_.version.ReadProductVersion());
  // Repairs the uninstall entry, reads the settings, and on a first run (or without a stored
  // password) welcomes the parent and asks for a new password.
  ReadPanelSettings(state, ports_.system.profile, ports_.uninstall, *this,
                    !ports_.machineProfile.GetString(profile::kPassword, "").empty());
  guardian_.LoadLists();
  window.SetTimer(TIMER_VERSION, kVersionRetryMs);
  RefreshGuardian();
  window.SetButtonImage(IDC_PANEL_PASSWORDS, IDB_PASSWORDS_BUTTON);
  window.SetButtonImage(IDC_PANEL_FILTER, IDB_FILTER_BUTTON);
  window.SetButtonImage(IDC_PANEL_SITES, IDB_SITES_BUTTON);
  window.SetButtonImage(IDC_PANEL_HISTORY, IDB_HISTORY_BUTTON);
  window.SetButtonImage(IDC_PANEL_HELP, IDB_HELP_BUTTON);
  // Ctrl+S is held only while the panel is on screen (see OnShowWindow), so that every other
  // program keeps its "Save" while the panel is hidden.
  return true;
}

void CPanelDlg::RefreshGuardian() {
  DialogWindow& window = Window();
  GuardState& state = guardian_.state();
  const bool on = state.m_bGuardActive != 0;
  // The caption and the tray tip; a block changes the caption alone (SetCaption).
  const std::string caption = on ? WatchingCaption(state.m_nBlocked) : "Tevanor - detenido";
  window.SetCaption(caption);
  window.SetControlText(IDC_GUARD_SWITCH, on ? "Desprotege" : "Protege");
  window.SetButtonImage(IDC_GUARD_SWITCH, on ? IDB_GUARD_ON : IDB_GUARD_OFF);
  window.SetControlText(IDC_GUARD_GROUP, on ? "Guardián activo"_ansi : "Guardián inactivo"_ansi);
  window.SetControlText(
      IDC_GUARD_TEXT,
      on ? "Se está protegiendo el sistema según criterios del filtro. Presione el botón si desea "
           "detener."_ansi
         : "El sistema se encuentra desprotegido. Presione el botón si desea comenzar."_ansi);
  trayImage_ = on ? TrayIcon::Image::kGuardOn : TrayIcon::Image::kGuardOff;
  trayTip_ = caption;
  ports_.tray.Modify(trayImage_, trayTip_);
  if (!on) return guardian_.StopScan();
  window.SetTimer(TIMER_AUTOHIDE, kAutoHideMs);
  guardian_.RestartScan();
}

void CPanelDlg::ToggleGuardian() {
  GuardState& state = guardian_.state();
  state.m_bGuardActive = state.m_bGuardActive ? 0 : 1;
  gaps_.OnGuardianSwitched(state.m_bGuardActive != 0);
  RefreshGuardian();
}

void CPanelDlg::ShowPanel() {
  Window().Show(true);
  ports_.frame.BringToFront();
}

void CPanelDlg::HidePanel() {
  for (Dialog* editor : {m_pFilterDlg, m_pHistoryDlg, m_pSiteAdminDlg})
    if (editor != nullptr)
      editor->Post(Command{kCommandCloseUnsaved, ControlNotification::kClicked, true});
  Window().Show(false);
}

void CPanelDlg::OnCommand(const Command& command) {
  // Enter and Esc in the panel come without a control: dropped.
  if ((command.id == kIdOk || command.id == kIdCancel) && !command.fromControl) return;
  if (command.code != ControlNotification::kClicked) return;
  switch (command.id) {
    case IDC_GUARD_SWITCH:
      return ToggleGuardian();
    case IDC_PANEL_PASSWORDS:
      return ChangePassword();
    case IDC_PANEL_FILTER:
      OpenEditor(m_pFilterDlg, EditingDialog::kFilter);
      return;
    case IDC_PANEL_SITES:
      OpenEditor(m_pSiteAdminDlg, EditingDialog::kSiteAdmin);
      return;
    case IDC_PANEL_HISTORY:
      OpenEditor(m_pHistoryDlg, EditingDialog::kHistory);
      return;
    case IDC_PANEL_EXIT:
      return PostClosePanel();
    case IDC_PANEL_HELP:
      return OpenHelp();
    default:
      return;
  }
}

void CPanelDlg::ChangePassword() {
  if (m_dlgPassword.DoModal(this) == kIdOk) RunNewPasswordPrompt();
}

void CPanelDlg::OpenHelp() {
  if (ports_.shell.Open(kMakerHomePage)) return;
  Host().Beep();
  Dialog::ShowMessage("¡¡No es posible mostrar la ayuda!!\nContáctese con Orvelda."_ansi);
}

Dialog* CPanelDlg::OpenEditor(Dialog*& slot, EditingDialog which) {
  return OpenSingleFrom(slot, Host(), this, [&] { return ports_.editors.Make(which, *this); });
}

void CPanelDlg::OnTimer(unsigned id) {
  if (id == TIMER_LAST_SEEN) return gaps_.OnStillRunning();
  guardian_.OnTimer(id);
}

std::intptr_t CPanelDlg::OnPrivateMessage(PrivateMessage& message) {
  switch (message.number) {
    case WM_SITEEDIT:
      return guardian_.sites().OnSiteEdit(std::move(message.text).value_or(std::string()),
                                          static_cast<int>(message.value));
    case WM_TRAYNOTIFY:
      if (ports_.tray.IsButtonPress(message.value)) PostShowPanel();
      return 0;
    case WM_SHOWPANEL:
      OnShowPanelRequest();
      return 0;
    default:
      return 0;
  }
}

void CPanelDlg::OnShowPanelRequest() {
  if (Window().IsVisible()) return ports_.frame.BringToFront();
  if (m_dlgPassword.HasWindow()) return;
  ShowPanel();
  if (m_dlgPassword.DoModal(this) != kIdOk) HidePanel();
}

bool CPanelDlg::OnClose() {
  HidePanel();
  return true;
}

bool CPanelDlg::OnShowWindow(bool shown) {
  if (shown && m_bFirstShow) {
    // The first show shrinks the panel to nothing and hides it: only the tray icon is seen.
    m_bFirstShow = 0;
    m_rcSaved = ports_.frame.Rect();
    ports_.frame.MoveTo({m_rcSaved.left, m_rcSaved.top, m_rcSaved.left, m_rcSaved.top});
    PostClosePanel();
    return true;
  }
  if (shown) {
    ports_.frame.MoveTo(m_rcSaved);
    ports_.hotKey.Register();
  } else {
    ports_.hotKey.Unregister();
  }
  return false;
}

bool CPanelDlg::OnSysCommand(unsigned command) {
  if (command != IDM_ABOUTBOX) return false;
  CAboutDlg about(Host());
  about.DoModal(this);
  return true;
}

void CPanelDlg::OnHotKey(const HotKey& key) {
  if (key.modifiers != ExitHotKey::kModifiers || key.key != ExitHotKey::kKey) return;
  if (m_dlgPassword.HasWindow() || !Window().IsVisible()) return;
  if (Dialog::ShowMessage("¿Desea salir de la aplicación y terminar la protección?"_ansi,
                          MessageButtons::kYesNo) != kIdYes)
    return;
  gaps_.OnCleanEnd();
  Window().Destroy();
}

std::optional<std::intptr_t> CPanelDlg::OnControlColour(int controlId) {
  if (Contains(kBlackTexts, controlId)) return PackRgb(0, 0, 0);
  if (Contains(kGreyTexts, controlId)) return PackRgb(100, 100, 100);
  return std::nullopt;
}

void CPanelDlg::OnTaskbarCreated() {
  // A new taskbar has none of the old icons: ours comes back as it was.
  ports_.tray.Add(trayImage_, trayTip_);
}

void CPanelDlg::OnDestroy() {
  DialogWindow& window = Window();
  ports_.hotKey.Unregister();
  guardian_.StopScan();
  window.KillTimer(TIMER_AUTOHIDE);
  for (Dialog* editor : {m_pFilterDlg, m_pSiteAdminDlg, m_pHistoryDlg})
    if (editor != nullptr && editor->HasWindow()) editor->Window().Destroy();
  guardian_.ReleaseLists();
  ports_.tray.Delete();
}

void CPanelDlg::PostShowPanel() {
  Post(PrivateMessage{WM_SHOWPANEL, 0, std::nullopt});
}

void CPanelDlg::PostClosePanel() {
  Post(CloseRequest{});
}

bool CPanelDlg::MayAutoHide() {
  return !m_dlgPassword.HasWindow() && !AnyEditorOpen();
}

void CPanelDlg::CreateVersionNotice(const std::string& version, std::string_view address) {
  CWebNoticeDlg::Open(Host(), this, ports_.views, version, address);
}

void CPanelDlg::SetCaption(const std::string& caption) {
  Window().SetCaption(caption);
}

void CPanelDlg::PostHistoryReload() {
  if (m_pHistoryDlg != nullptr) m_pHistoryDlg->Post(PrivateMessage{WM_RELOADHISTORY, 0, {}});
}

void CPanelDlg::OpenBlockNotice(const BlockReport&) {
  CBlockNoticeDlg::Open(Host());
}

void CPanelDlg::AddSiteAndSave(std::string_view address, bool prohibited) {
  if (auto* admin =
          dynamic_cast<CSiteAdminDlg*>(OpenEditor(m_pSiteAdminDlg, EditingDialog::kSiteAdmin)))
    admin->AddSiteAndAccept(address, prohibited);
}

void CPanelDlg::PostRefill() {
  if (m_pSiteAdminDlg != nullptr) m_pSiteAdminDlg->Post(PrivateMessage{WM_REFILLSITES, 0, {}});
}

void CPanelDlg::ShowWelcome() {
  CWelcomeDlg welcome(Host());
  welcome.DoModal(this);
}

void CPanelDlg::ShowInformation(std::string_view text) {
  Dialog::ShowMessage(text);
}

void CPanelDlg::RunNewPasswordPrompt() {
  m_dlgPassword.m_bNewPassword = 1;
  m_dlgPassword.DoModal(this);
}

}  // namespace tevanor
