#include "ui/history_dlg.h"

#include <string>

#include "resource.h"
#include "rules/history_file.h"
#include "rules/site_store.h"
#include "text/cp1252.h"
#include "ui/dialog_messages.h"
#include "ui/examine_site.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_HISTORY_LIST,
     ControlKind::kListView,
     "",
     {7, 7, 340, 127},
     kReportView | kSingleSelection},
    {IDC_HISTORY_SHOW,
     ControlKind::kPushButton,
     "Examina",
     {7, 137, 54, 18},
     kImageButton | kHidden},
    {IDC_HISTORY_ALLOW,
     ControlKind::kPushButton,
     "Lista permitidos",
     {78, 137, 54, 18},
     kImageButton | kHidden},
    {IDC_HISTORY_PROHIBIT,
     ControlKind::kPushButton,
     "Lista prohibidos",
     {149, 137, 54, 18},
     kImageButton | kHidden},
    {IDC_HISTORY_CLEAR,
     ControlKind::kPushButton,
     "Vacia",
     {220, 137, 54, 18},
     kImageButton | kHidden},
    {IDC_HISTORY_CLOSE, ControlKind::kDefaultButton, "OK", {291, 137, 54, 18}, kImageButton},
};

constexpr int kRowButtons[] = {IDC_HISTORY_SHOW, IDC_HISTORY_ALLOW, IDC_HISTORY_PROHIBIT};

// Only web and file-transfer addresses can be opened or put into a site list.
bool IsAddress(std::string_view subject) {
  return subject.starts_with("http:") || subject.starts_with("ftp:");
}

}  // namespace

const DialogTemplate CHistoryDlg::kTemplate{
    IDD_HISTORY, "Últimos bloqueos"_ansi, 354, 162, "MS Sans Serif", 8, 0, kControls};

bool CHistoryDlg::OnInitDialog() {
  DialogWindow& window = Window();
  const int width = window.ListClientWidth(IDC_HISTORY_LIST);
  window.ListAddColumn(IDC_HISTORY_LIST, "URL", static_cast<int>(width * 0.38));
  window.ListAddColumn(IDC_HISTORY_LIST, "HORA", static_cast<int>(width * 0.2));
  window.ListAddColumn(IDC_HISTORY_LIST, "CAUSA", static_cast<int>(width * 0.42));
  window.SetButtonImage(IDC_HISTORY_SHOW, IDB_SHOW_BUTTON);
  window.SetButtonImage(IDC_HISTORY_ALLOW, IDB_ALLOWED_LIST_BUTTON);
  window.SetButtonImage(IDC_HISTORY_PROHIBIT, IDB_PROHIBITED_LIST_BUTTON);
  window.SetButtonImage(IDC_HISTORY_CLOSE, IDB_CANCEL_BUTTON);
  window.SetButtonImage(IDC_HISTORY_CLEAR, IDB_EMPTY_BUTTON);
  LoadHistoryList();
  window.SetToolTip(IDC_HISTORY_CLOSE, "Sale");
  window.SetToolTip(IDC_HISTORY_SHOW, "Muestra este sitio");
  window.SetToolTip(IDC_HISTORY_CLEAR, "Vacia la lista");
  window.SetToolTip(IDC_HISTORY_PROHIBIT, "Da acceso prohibido a este sitio");
  window.SetToolTip(IDC_HISTORY_ALLOW, "Da acceso libre a este sitio");
  return true;
}

int CHistoryDlg::Rows::RowCount() const {
  return static_cast<int>(records.size());
}

std::string CHistoryDlg::Rows::RowText(int row, int column) const {
  if (column < HistoryRecords::kSiteText || column > HistoryRecords::kCause) return {};
  return std::string(
      records.FieldOf(static_cast<std::size_t>(row), static_cast<HistoryRecords::Field>(column)));
}

void CHistoryDlg::LoadHistoryList() {
  auto records = tevanor::LoadHistoryList(data_.files);
  if (!records) return;  // no file, or an empty one: the rows stay
  // The list reads the rows straight from the loaded history, newest first.
  rows_.records = std::move(*records);
  ShowRows();
}

void CHistoryDlg::ShowRows() {
  // The row buttons keep their state: only a click in the list updates them.
  DialogWindow& window = Window();
  window.ListShowRows(IDC_HISTORY_LIST, &rows_);
  if (!rows_.records.empty()) window.ShowControl(IDC_HISTORY_CLEAR, true);
}

void CHistoryDlg::OnCommand(const Command& command) {
  if (command.code != ControlNotification::kClicked) return;
  switch (command.id) {
    case IDC_HISTORY_SHOW:
      return OnShow();
    case IDC_HISTORY_ALLOW:
      return OnGiveAccess(false);
    case IDC_HISTORY_PROHIBIT:
      return OnGiveAccess(true);
    case IDC_HISTORY_CLEAR:
      return OnClear();
    case IDC_HISTORY_CLOSE:
      return Window().Destroy();
    default:
      return;  // Esc (kIdCancel) does nothing
  }
}

void CHistoryDlg::OnListNotify(const ListNotification& note) {
  if (note.listId != IDC_HISTORY_LIST) return;
  if (note.kind == ListNotification::Kind::kClick) UpdateRowButtons();
}

void CHistoryDlg::UpdateRowButtons() {
  DialogWindow& window = Window();
  const int row = window.ListNextSelected(IDC_HISTORY_LIST, -1);
  const bool show = row >= 0 && IsAddress(window.ListText(IDC_HISTORY_LIST, row, 0));
  for (const int id : kRowButtons) window.ShowControl(id, show);
}

void CHistoryDlg::OnShow() {
  DialogWindow& window = Window();
  const int row = window.ListNextSelected(IDC_HISTORY_LIST, -1);
  if (row < 0) return;
  const std::string subject = window.ListText(IDC_HISTORY_LIST, row, 0);
  if (subject.empty()) return;
  ExamineSite(*this, panel_, data_.state, data_.shell, subject, true);
}

void CHistoryDlg::OnGiveAccess(bool prohibited) {
  DialogWindow& window = Window();
  const int row = window.ListNextSelected(IDC_HISTORY_LIST, -1);
  if (row < 0) return;
  const std::string subject = window.ListText(IDC_HISTORY_LIST, row, 0);
  const std::string confirmation =
      std::string(prohibited ? "¡¡¡Acceso prohibido para "_ansi : "¡¡¡Acceso libre para "_ansi) +
      subject + "!!!";
  panel_.Send(PrivateMessage{WM_SITEEDIT, prohibited ? kSiteEditAddProhibited : kSiteEditAddAllowed,
                             subject});
  // Only the view loses the row: the file is unchanged and the next reload shows it again.
  if (HasWindow() && static_cast<std::size_t>(row) < rows_.records.size()) {
    rows_.records.Erase(static_cast<std::size_t>(row));
    ShowRows();
  }
  ShowMessage(confirmation);
}

void CHistoryDlg::OnClear() {
  if (ShowMessage("Se borrará toda la lista.\n¿Desea continuar?"_ansi, MessageButtons::kYesNo) !=
      kIdYes)
    return;
  if (!ClearHistory(data_.files)) return;
  DialogWindow& window = Window();
  window.ShowControl(IDC_HISTORY_CLEAR, false);
  window.ShowControl(IDC_HISTORY_SHOW, false);
  rows_.records = {};
  ShowRows();
}

std::intptr_t CHistoryDlg::OnPrivateMessage(PrivateMessage& message) {
  if (message.number == WM_RELOADHISTORY) LoadHistoryList();
  return 0;
}

}  // namespace tevanor
