#include "ui/filter_config_dlg.h"

#include <exception>
#include <string>
#include <vector>

#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/dialog_messages.h"
#include "ui/editing_list.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_FILTER_LIST, ControlKind::kListView, "", {7, 7, 101, 161}},
    {IDC_FILTER_ADD, ControlKind::kPushButton, "Agregar", {113, 10, 54, 18}, kImageButton},
    {IDC_FILTER_EMPTY,
     ControlKind::kPushButton,
     "Vaciar",
     {113, 31, 54, 18},
     kImageButton | kHidden},
    {IDC_FILTER_DELETE,
     ControlKind::kPushButton,
     "Borrar",
     {168, 31, 54, 18},
     kImageButton | kHidden},
    {IDC_FILTER_LIBRARY_GROUP, ControlKind::kGroupBox, "", {114, 51, 108, 42}},
    {IDC_LEVEL_OFF, ControlKind::kRadioButton, "", {117, 61, 99, 10}, kGroupStart},
    {IDC_LEVEL_MEDIUM, ControlKind::kRadioButton, "", {117, 71, 99, 10}},
    {IDC_LEVEL_TOTAL, ControlKind::kRadioButton, "", {117, 81, 99, 10}},
    {IDC_CHAT_GROUP, ControlKind::kGroupBox, "Canales de Chat", {114, 95, 108, 51}},
    {IDC_JAVA_CHAT, ControlKind::kCheckBox, "", {117, 102, 12, 15}},
    // Without an id its text cannot be set at initialisation: the template carries it.
    {kNoControlId,
     ControlKind::kText,
     "Detecta componentes de Java característicos de los canales de chat."_ansi,
     {131, 105, 84, 24}},
    {IDC_MIRC_CHAT, ControlKind::kCheckBox, "", {117, 134, 12, 8}},
    {IDC_MIRC_TEXT, ControlKind::kText, "", {131, 134, 84, 9}},
    {IDC_FILTER_ACCEPT, ControlKind::kPushButton, "Aceptar", {113, 150, 54, 18}, kImageButton},
    {IDC_FILTER_CANCEL, ControlKind::kPushButton, "Cancela", {168, 150, 54, 18}, kImageButton},
};

constexpr ControlTemplate kWordControls[] = {
    {IDC_WORD_EDIT, ControlKind::kEdit, "", {7, 8, 168, 13}},
    {kIdOk, ControlKind::kPushButton, "Agrega", {207, 6, 28, 18}, kImageButton | kHidden},
    {IDC_WORD_CANCEL, ControlKind::kPushButton, "Cancela", {178, 6, 28, 18}, kImageButton},
};

// A row's item data: 0 for a word added here, else the two flags of the phrase it was filled
// from. The flags are copied rather than pointed to, so a row never refers to a list entry
// that a reload of the phrase list has released.
constexpr DialogWindow::ItemData kListed = 1;
constexpr DialogWindow::ItemData kBuiltIn = 2;
constexpr DialogWindow::ItemData kIgnoreCase = 4;

DialogWindow::ItemData RowData(const PhraseEntry& entry) {
  return kListed | (entry.builtIn ? kBuiltIn : 0) | (entry.ignoreCase ? kIgnoreCase : 0);
}

// Row images: 1 << ignoreCase | builtIn for listed phrases, 5 for words added here.
int RowImage(const PhraseEntry& entry) {
  return (1 << (entry.ignoreCase ? 1 : 0)) | (entry.builtIn ? 1 : 0);
}

}  // namespace

const DialogTemplate CFilterConfigDlg::kTemplate{
    IDD_FILTER_CONFIG, "Configuración filtro"_ansi, 229, 175, "MS Sans Serif", 8, 0, kControls};

const DialogTemplate CWordEntryDlg::kTemplate{
    IDD_WORD_ENTRY, "Escriba la palabra que desea filtrar"_ansi, 240, 31, "MS Sans Serif", 8, 0,
    kWordControls};

bool CFilterConfigDlg::OnInitDialog() {
  if (!FillList(false)) return false;
  DialogWindow& window = Window();
  window.SetButtonImage(IDC_FILTER_CANCEL, IDB_CANCEL_BUTTON);
  window.SetButtonImage(IDC_FILTER_ADD, IDB_ADD_WORD_BUTTON);
  window.SetButtonImage(IDC_FILTER_ACCEPT, IDB_OK_BUTTON);
  window.SetButtonImage(IDC_FILTER_EMPTY, IDB_EMPTY_BUTTON);
  window.SetButtonImage(IDC_FILTER_DELETE, IDB_DELETE_BUTTON);
  window.ListSetImages(IDC_FILTER_LIST, IDB_FILTER_ROWS, 10, Rgb{255, 255, 255});
  window.SetToolTip(IDC_FILTER_CANCEL, "Cancela los cambios");
  window.SetToolTip(IDC_FILTER_ACCEPT, "Acepta los cambios");
  window.SetToolTip(IDC_FILTER_ADD, "Agrega una nueva palabra");
  window.SetToolTip(IDC_FILTER_EMPTY, "Vacia la lista");
  window.SetToolTip(IDC_FILTER_DELETE, "Elimina lo seleccionado");
  return true;
}

bool CFilterConfigDlg::FillList(bool withBuiltIn) {
  DialogWindow& window = Window();
  window.SetControlText(IDC_FILTER_LIBRARY_GROUP, "Biblioteca interna");
  window.SetControlText(IDC_LEVEL_OFF, "Desactivada");
  window.SetControlText(IDC_LEVEL_MEDIUM, "Protección media"_ansi);
  window.SetControlText(IDC_LEVEL_TOTAL, "Protección total"_ansi);
  window.SetControlText(IDC_CHAT_GROUP, "Canales de chat");
  window.SetControlText(IDC_MIRC_TEXT, "Detecta uso de Mirc.");
  window.SetCheck(IDC_JAVA_CHAT, data_.state.m_bJavaChat != 0);
  window.SetCheck(IDC_MIRC_CHAT, data_.state.m_bMircChat != 0);

  // A second fill (the reveal) starts from empty rows and a fresh radio, so no word is listed
  // twice and "Aceptar" never writes a word twice.
  window.ListDeleteAll(IDC_FILTER_LIST);
  for (const int radio : {IDC_LEVEL_OFF, IDC_LEVEL_MEDIUM, IDC_LEVEL_TOTAL})
    window.SetCheck(radio, false);
  m_nLevel = data_.state.m_nProtLevel;
  window.SetCheck(m_nLevel == kLevelMedium ? IDC_LEVEL_MEDIUM
                  : m_nLevel == kLevelOff  ? IDC_LEVEL_OFF
                                           : IDC_LEVEL_TOTAL,
                  true);

  // Shown newest first: the walk's last entry heads the list.
  std::vector<const PhraseEntry*> shown;
  for (const PhraseEntry* e = data_.state.phrases.First(); e != nullptr; e = e->next)
    if (withBuiltIn || !e->builtIn) shown.push_back(e);
  window.ListSetRedraw(IDC_FILTER_LIST, false);
  for (auto it = shown.rbegin(); it != shown.rend(); ++it)
    window.ListInsert(IDC_FILTER_LIST, window.ListCount(IDC_FILTER_LIST), (*it)->text,
                      RowImage(**it), RowData(**it));
  window.ListSetRedraw(IDC_FILTER_LIST, true);
  return true;
}

bool CFilterConfigDlg::IsUserRow(int item) const {
  return (Window().ListData(IDC_FILTER_LIST, item) & kBuiltIn) == 0;
}

void CFilterConfigDlg::OnCommand(const Command& command) {
  if (command.code != ControlNotification::kClicked) return;
  switch (command.id) {
    case IDC_FILTER_ADD:
      return OnAdd();
    case IDC_FILTER_EMPTY:
      return OnEmpty();
    case IDC_FILTER_DELETE:
      return OnDelete();
    case IDC_FILTER_ACCEPT:
      return OnAccept();
    case IDC_FILTER_CANCEL:
      return Window().Destroy();
    case IDC_LEVEL_OFF:
      m_nLevel = kLevelOff;
      break;
    case IDC_LEVEL_MEDIUM:
      m_nLevel = kLevelMedium;
      break;
    case IDC_LEVEL_TOTAL:
      m_nLevel = kLevelTotal;
      break;
    default:
      return;  // Esc (kIdCancel) included: the dialog closes only by its buttons
  }
  m_bModified = 1;
}

void CFilterConfigDlg::OnAdd() {
  try {
    CWordEntryDlg entry(Host(), *this);
    entry.DoModal(&panel_);
  } catch (const std::exception&) {
    ShowMessage("¡¡Hubo un error con el filtro!!"_ansi);
  }
}

void CFilterConfigDlg::OnEmpty() {
  DialogWindow& window = Window();
  window.ListSetRedraw(IDC_FILTER_LIST, false);
  for (int item = window.ListCount(IDC_FILTER_LIST) - 1; item >= 0; --item)
    if (IsUserRow(item)) window.ListDelete(IDC_FILTER_LIST, item);
  window.ListSetRedraw(IDC_FILTER_LIST, true);
  m_bModified = 1;
}

void CFilterConfigDlg::OnDelete() {
  DialogWindow& window = Window();
  if (DeleteSelected(window, IDC_FILTER_LIST, [this](int item) { return IsUserRow(item); }))
    m_bModified = 1;
  window.ShowControl(IDC_FILTER_DELETE, false);
}

void CFilterConfigDlg::OnListNotify(const ListNotification& note) {
  if (note.listId != IDC_FILTER_LIST) return;
  DialogWindow& window = Window();
  FollowRows(window, note, IDC_FILTER_EMPTY, IDC_FILTER_DELETE);
  if (note.kind == ListNotification::Kind::kClick)
    window.ShowControl(IDC_FILTER_DELETE, window.ListNextSelected(IDC_FILTER_LIST, -1) >= 0);
  if (note.kind == ListNotification::Kind::kKeyDown && m_nRevealCount.Press(note.key))
    FillList(true);
}

std::intptr_t CFilterConfigDlg::OnPrivateMessage(PrivateMessage& message) {
  if (message.number != WM_ADDPHRASE) return 0;
  if (!message.text) return 0;
  if (!message.text->empty()) {
    DialogWindow& window = Window();
    window.ListInsert(IDC_FILTER_LIST, window.ListCount(IDC_FILTER_LIST), *message.text,
                      static_cast<int>(message.value) + 4, 0);
    m_bModified = 1;
  }
  return 1;
}

void CFilterConfigDlg::OnAccept() {
  DialogWindow& window = Window();
  GuardState& state = data_.state;
  state.m_bMircChat = window.IsChecked(IDC_MIRC_CHAT) ? 1 : 0;
  data_.profile.WriteInt(profile::kMircChat, state.m_bMircChat);
  state.m_bJavaChat = window.IsChecked(IDC_JAVA_CHAT) ? 1 : 0;
  data_.profile.WriteInt(profile::kJavaChat, state.m_bJavaChat);
  state.m_nProtLevel = m_nLevel;
  data_.profile.WriteInt(profile::kProtectionLevel, static_cast<std::int8_t>(m_nLevel));
  // A failed save leaves the word file as it was.
  AcceptOrComplain(
      *this, m_bModified != 0, [this] { return SaveWords(); },
      "No se pudo guardar la lista de palabras."_ansi);
}

bool CFilterConfigDlg::SaveWords() {
  DialogWindow& window = Window();
  bool written = data_.words.OpenWordFile(OpenMode::kCreateWrite);
  const int count = window.ListCount(IDC_FILTER_LIST);
  for (int item = 0; written && item < count; ++item) {
    const DialogWindow::ItemData row = window.ListData(IDC_FILTER_LIST, item);
    if ((row & kBuiltIn) != 0) continue;  // built-in phrases are not the parent's
    // A word added here is compared without regard to case.
    written = data_.words.WriteWordRecord(window.ListText(IDC_FILTER_LIST, item, 0),
                                          row == 0 || (row & kIgnoreCase) != 0);
  }
  // Closing puts the new content in place only when every record was written.
  const bool committed = data_.words.CloseWordFile();
  return written && committed;
}

void CFilterConfigDlg::OnDestroy() {
  if (data_.words.IsWordFileOpen()) data_.words.CloseWordFile();
  if (!m_bModified) return;
  // One rebuild replaces both parts: releasing the built-in part first would only build the
  // matcher once more for nothing.
  data_.words.RebuildPhraseList(data_.state.m_nProtLevel);
}

bool CWordEntryDlg::OnInitDialog() {
  Window().SetButtonImage(IDC_WORD_CANCEL, IDB_CANCEL_BUTTON);
  Window().SetButtonImage(kIdOk, IDB_OK_BUTTON);
  return true;
}

void CWordEntryDlg::OnCommand(const Command& command) {
  if (command.id == IDC_WORD_EDIT && command.code == ControlNotification::kEditChanged)
    return Window().ShowControl(kIdOk, !Window().ControlText(IDC_WORD_EDIT).empty());
  if (command.id == IDC_WORD_CANCEL && command.code == ControlNotification::kClicked)
    return Window().EndDialog(kIdCancel);
  Dialog::OnCommand(command);
}

void CWordEntryDlg::OnOK() {
  filter_.Send(PrivateMessage{WM_ADDPHRASE, 1, Window().ControlText(IDC_WORD_EDIT)});
  Window().EndDialog(kIdOk);
}

}  // namespace tevanor
