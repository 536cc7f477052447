#include "ui/password_dlg.h"

#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/password_form.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_PASSWORD_LABEL, ControlKind::kText, "Contraseña:"_ansi, {7, 12, 42, 12}},
    {IDC_PASSWORD_EDIT, ControlKind::kEdit, "", {50, 10, 108, 13}, kPasswordEdit},
    {IDC_CONFIRM_LABEL, ControlKind::kText, "Confirma contraseña:"_ansi, {7, 25, 42, 19}, kHidden},
    {IDC_CONFIRM_EDIT, ControlKind::kEdit, "", {50, 28, 108, 13}, kPasswordEdit | kHidden},
    {kIdOk, ControlKind::kDefaultButton, "OK", {49, 47, 54, 18}, kImageButton | kHidden},
    {IDC_PASSWORD_CANCEL, ControlKind::kPushButton, "Cancela", {104, 47, 54, 18}, kImageButton},
};

std::string TooShortMessage() {
  constexpr std::string_view kFormat =
      "¡¡¡Utilice una contraseña mayor o igual a %d caracteres!!!"_ansi;
  const std::size_t at = kFormat.find("%d");
  return std::string(kFormat.substr(0, at)) + std::to_string(CPasswordDlg::kMinimumLength) +
         std::string(kFormat.substr(at + 2));
}

}  // namespace

const DialogTemplate CPasswordDlg::kTemplate{
    IDD_PASSWORD, "Ingrese su contraseña, por favor..."_ansi, 164, 70, "MS Sans Serif", 8, kCentred,
    kControls};

bool CPasswordDlg::OnInitDialog() {
  DialogWindow& window = Window();
  m_strPassword.clear();
  m_strConfirm.clear();
  window.SetControlText(IDC_PASSWORD_EDIT, m_strPassword);
  window.SetControlText(IDC_CONFIRM_EDIT, m_strConfirm);
  window.SetButtonImage(IDC_PASSWORD_CANCEL, IDB_CANCEL_BUTTON);
  window.SetButtonImage(kIdOk, IDB_OK_BUTTON);

  if (m_bNewPassword) {
    window.ShowControl(IDC_CONFIRM_LABEL, true);
    window.ShowControl(IDC_CONFIRM_EDIT, true);
    window.ShowControl(IDC_PASSWORD_CANCEL, false);
    window.SetCaption("Ingrese la nueva contraseña"_ansi);
    return true;
  }

  m_strStored = StoredPassword(stores_);
  if (!m_strStored.empty()) {
    window.SetTimer(TIMER_TIMEOUT, kTimeoutMs);
    return true;
  }
  // The stored password has been removed: demand a new one at once, then verify against it,
  // so the parent who has just set it can get in. The timer starts with the first typing.
  ShowMessage("¡¡¡Alguien intento cambiar la contraseña!!!"_ansi);
  CPasswordDlg replacement(Host(), stores_);
  replacement.m_bNewPassword = 1;
  replacement.DoModal(this);
  m_strStored = StoredPassword(stores_);
  return true;
}

void CPasswordDlg::OnCommand(const Command& command) {
  // Esc and Alt+F4 arrive as a cancel command without notification code: never close.
  if (command.id == kIdCancel && command.code == ControlNotification::kClicked) return;
  if (command.id == IDC_PASSWORD_EDIT && command.code == ControlNotification::kEditChanged)
    return OnTextChanged(true);
  if (command.id == IDC_CONFIRM_EDIT && command.code == ControlNotification::kEditChanged)
    return OnTextChanged(false);
  if (command.id == IDC_PASSWORD_CANCEL && command.code == ControlNotification::kClicked)
    return OnCancelButton();
  Dialog::OnCommand(command);
}

void CPasswordDlg::OnTextChanged(bool restartTimer) {
  DialogWindow& window = Window();
  m_strPassword = window.ControlText(IDC_PASSWORD_EDIT);
  m_strConfirm = window.ControlText(IDC_CONFIRM_EDIT);
  if (m_bNewPassword) {
    window.ShowControl(kIdOk, !m_strPassword.empty() && !m_strConfirm.empty());
    return;
  }
  if (restartTimer) window.SetTimer(TIMER_TIMEOUT, kTimeoutMs);
  window.ShowControl(kIdOk, !m_strPassword.empty());
}

void CPasswordDlg::OnOK() {
  if (m_bNewPassword) {
    m_strPassword = Window().ControlText(IDC_PASSWORD_EDIT);
    m_strConfirm = Window().ControlText(IDC_CONFIRM_EDIT);
    if (m_strPassword != m_strConfirm) {
      ShowMessage("¡¡¡La contraseña y su confirmación no coinciden!!!"_ansi);
      return;
    }
    if (m_strPassword.size() < kMinimumLength) {
      ShowMessage(TooShortMessage());
      return;
    }
    const auto stored = HashPassword(stores_.keys, m_strPassword);
    if (!stored) {
      ShowMessage("No se pudo guardar la contraseña."_ansi);
      return;
    }
    stores_.account.WriteString(profile::kPassword, *stored);
    return Finish(kIdOk);
  }
  // An empty stored form (a profile that could not be written) matches nothing, not even an
  // empty field.
  if (!PasswordMatches(stores_.keys, m_strPassword, m_strStored)) return;
  // The reversible form of earlier versions is replaced as soon as the password is known.
  if (IsLegacyPasswordForm(m_strStored))
    if (const auto stored = HashPassword(stores_.keys, m_strPassword))
      stores_.account.WriteString(profile::kPassword, *stored);
  Finish(kIdOk);
}

void CPasswordDlg::OnTimer(unsigned id) {
  // A timed-out prompt ends the way "Cancela" does.
  if (id == TIMER_TIMEOUT)
    Window().Post(Command{IDC_PASSWORD_CANCEL, ControlNotification::kClicked, false});
}

void CPasswordDlg::OnCancelButton() {
  Window().KillTimer(TIMER_TIMEOUT);
  Finish(kIdCancel);
}

void CPasswordDlg::Finish(int result) {
  m_bNewPassword = 0;
  Window().EndDialog(result);
}

void CPasswordDlg::OnDestroy() {
  // However the window goes, the next prompt asks for the stored password unless told otherwise.
  m_bNewPassword = 0;
}

}  // namespace tevanor
