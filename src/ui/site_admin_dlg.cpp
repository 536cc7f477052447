#include "ui/site_admin_dlg.h"

#include <string>
#include <vector>

#include "resource.h"
#include "rules/profile_values.h"
#include "text/cp1252.h"
#include "ui/dialog_messages.h"
#include "ui/editing_list.h"
#include "ui/examine_site.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_SITES_ALLOWED_GROUP, ControlKind::kGroupBox, "Sitios con acceso libre", {7, 7, 202, 98}},
    {IDC_SITES_ALLOWED, ControlKind::kListView, "", {9, 18, 196, 81}, kSorted},
    {IDC_SITES_BUILTIN,
     ControlKind::kCheckBox,
     "Utilizar lista interna de sitios",
     {110, 105, 99, 11}},
    {IDC_SITES_PROHIBITED_GROUP,
     ControlKind::kGroupBox,
     "Sitios con acceso prohibido",
     {7, 114, 202, 98}},
    {IDC_SITES_PROHIBITED, ControlKind::kListView, "", {9, 131, 196, 81}, kSorted},
    {IDC_SITES_EMPTY_ALLOWED,
     ControlKind::kPushButton,
     "Vacia",
     {211, 10, 54, 18},
     kImageButton | kHidden},
    {IDC_SITES_SHOW,
     ControlKind::kPushButton,
     "Borra Sitio",
     {211, 68, 54, 18},
     kImageButton | kHidden},
    {IDC_SITES_ADD, ControlKind::kPushButton, "Agr. Sitio", {211, 91, 54, 31}, kImageButton},
    {IDC_SITES_DELETE,
     ControlKind::kPushButton,
     "Borra Sitio",
     {211, 127, 54, 18},
     kImageButton | kHidden},
    {IDC_SITES_MOVE, ControlKind::kPushButton, "Pasar", {211, 148, 54, 18}, kImageButton | kHidden},
    {IDC_SITES_EMPTY_PROHIBITED,
     ControlKind::kPushButton,
     "Vacia",
     {211, 194, 54, 18},
     kImageButton | kHidden},
    {IDC_SITES_CANCEL, ControlKind::kPushButton, "Cancel", {211, 217, 54, 18}, kImageButton},
    {IDC_SITES_ACCEPT, ControlKind::kDefaultButton, "Acepta", {154, 217, 54, 18}, kImageButton},
    {IDC_SITES_OPTIMISE,
     ControlKind::kPushButton,
     "Optimización"_ansi,
     {7, 217, 54, 18},
     kImageButton},
};

constexpr ControlTemplate kEntryControls[] = {
    {IDC_SITE_EDIT, ControlKind::kEdit, "", {5, 6, 168, 14}},
    {IDC_SITE_ALLOW, ControlKind::kPushButton, "Agrega", {206, 5, 25, 16}, kImageButton | kHidden},
    {IDC_SITE_BLOCK, ControlKind::kPushButton, "Bloquea", {235, 5, 25, 16}, kImageButton | kHidden},
    {IDC_SITE_CANCEL, ControlKind::kPushButton, "Cancela", {177, 5, 25, 16}, kImageButton},
};

// WM_ADDSITE's lParam: the list the site goes into; any other value only removes it.
constexpr std::intptr_t kAddAllowed = 1;
constexpr std::intptr_t kAddProhibited = 2;
constexpr int kAllowedImage = 0;
constexpr int kProhibitedImage = 1;
constexpr int kRowButtons[] = {IDC_SITES_DELETE, IDC_SITES_MOVE, IDC_SITES_SHOW};

// "http://host/path" → "http://host"; texts without "//" or without a path stay.
void Shorten(DialogWindow& window, int list) {
  for (int item = 0; item < window.ListCount(list); ++item) {
    const std::string text = window.ListText(list, item, 0);
    const std::size_t scheme = text.find("//");
    if (scheme == std::string::npos) continue;
    const std::size_t slash = text.find('/', scheme + 2);
    if (slash != std::string::npos) window.ListSetText(list, item, 0, text.substr(0, slash));
  }
}

// Deletes every entry equal (case significant) to its kept neighbour above, and every empty
// entry (an empty prohibited entry would block every page). Of two equal entries a built-in
// row goes rather than the parent's, since only the parent's rows are saved.
void DropRepeats(DialogWindow& window, int list) {
  std::string kept;
  for (int item = 0; item < window.ListCount(list);) {
    std::string text = window.ListText(list, item, 0);
    if (text.empty()) {
      window.ListDelete(list, item);
    } else if (item > 0 && text == kept) {
      const bool keptBuiltIn = window.ListData(list, item - 1) == CSiteAdminDlg::kBuiltInRow;
      window.ListDelete(list, keptBuiltIn ? item - 1 : item);
    } else {
      kept = std::move(text);
      ++item;
    }
  }
}

}  // namespace

const DialogTemplate CSiteAdminDlg::kTemplate{
    IDD_SITE_ADMIN, "Administración de sitios Web"_ansi, 268, 241, "MS Sans Serif", 8, 0,
    kControls};

const DialogTemplate CSiteEntryDlg::kTemplate{
    IDD_SITE_ENTRY, "Ingrese sitio Web....", 262, 25, "MS Sans Serif", 8, 0, kEntryControls};

bool CSiteAdminDlg::OnInitDialog() {
  DialogWindow& window = Window();
  window.Show(false);  // the panel shows it once it is filled
  window.SetButtonImage(IDC_SITES_CANCEL, IDB_CANCEL_BUTTON);
  window.SetButtonImage(IDC_SITES_ACCEPT, IDB_OK_BUTTON);
  window.SetButtonImage(IDC_SITES_EMPTY_ALLOWED, IDB_EMPTY_BUTTON);
  window.SetButtonImage(IDC_SITES_EMPTY_PROHIBITED, IDB_EMPTY_BUTTON);
  window.SetButtonImage(IDC_SITES_DELETE, IDB_DELETE_BUTTON);
  window.SetButtonImage(IDC_SITES_ADD, IDB_ADD_SITE_BUTTON);
  window.SetButtonImage(IDC_SITES_SHOW, IDB_SHOW_BUTTON);
  window.SetButtonImage(IDC_SITES_MOVE, IDB_MOVE_BUTTON);
  window.SetButtonImage(IDC_SITES_OPTIMISE, IDB_OPTIMISE_BUTTON);
  window.SetToolTip(IDC_SITES_CANCEL, "Cancela los cambios");
  window.SetToolTip(IDC_SITES_ACCEPT, "Acepta los cambios");
  window.SetToolTip(IDC_SITES_DELETE, "Borra el sitio de la lista");
  window.SetToolTip(IDC_SITES_SHOW, "Muestra este sitio");
  window.SetToolTip(IDC_SITES_ADD, "Permite o prohibe un sitio Web");
  window.SetToolTip(IDC_SITES_EMPTY_ALLOWED, "Vacia la lista de sitios con acceso libre");
  window.SetToolTip(IDC_SITES_EMPTY_PROHIBITED, "Vacia la lista de sitios con acceso prohibido");
  window.SetToolTip(IDC_SITES_OPTIMISE, "Optimiza las listas");
  window.SetToolTip(IDC_SITES_MOVE, "Pasa el sitio a la otra lista");
  for (const int list : {IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED})
    window.ListSetImages(list, IDB_SITE_ROWS, 10, Rgb{255, 255, 255});
  Refill(false);
  return true;
}

void CSiteAdminDlg::Refill(bool withBuiltIn) {
  DialogWindow& window = Window();
  for (const int list : {IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED})
    window.ListSetRedraw(list, false);
  window.ListDeleteAll(IDC_SITES_ALLOWED);
  window.ListDeleteAll(IDC_SITES_PROHIBITED);
  window.SetCheck(IDC_SITES_BUILTIN, data_.state.m_bBuiltInSites != 0);
  for (const SiteEntry* e = data_.state.sites.First(); e != nullptr; e = e->next) {
    if (e->builtIn && !withBuiltIn) continue;
    window.ListInsert(e->prohibited ? IDC_SITES_PROHIBITED : IDC_SITES_ALLOWED, 0, e->text,
                      e->prohibited ? kProhibitedImage : kAllowedImage,
                      e->builtIn ? kBuiltInRow : 0);
  }
  for (const int list : {IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED}) window.ListSetRedraw(list, true);
}

void CSiteAdminDlg::AddSite(std::string_view address, std::intptr_t list) {
  if (address.empty()) return;  // the site file has no place for an empty allowed entry
  DialogWindow& window = Window();
  const std::string key = UpperCopy(address);
  for (const int view : {IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED})
    for (int item = window.ListCount(view) - 1; item >= 0; --item)
      if (UpperCopy(window.ListText(view, item, 0)) == key) window.ListDelete(view, item);
  if (list == kAddAllowed) window.ListInsert(IDC_SITES_ALLOWED, 0, address, kAllowedImage, 0);
  if (list == kAddProhibited)
    window.ListInsert(IDC_SITES_PROHIBITED, 0, address, kProhibitedImage, 0);
}

void CSiteAdminDlg::AddSiteAndAccept(std::string_view address, bool prohibited) {
  m_bModified = 1;
  AddSite(address, prohibited ? kAddProhibited : kAddAllowed);
  OnAccept();
}

std::intptr_t CSiteAdminDlg::OnPrivateMessage(PrivateMessage& message) {
  if (message.number == WM_ADDSITE) AddSite(message.text.value_or(""), message.value);
  if (message.number == WM_REFILLSITES) Refill(message.value == 1);
  return 0;
}

void CSiteAdminDlg::OnCommand(const Command& command) {
  if (command.code != ControlNotification::kClicked) return;
  DialogWindow& window = Window();
  switch (command.id) {
    case IDC_SITES_ADD:
      return OnAddButton();
    case IDC_SITES_DELETE:
      return OnDelete();
    case IDC_SITES_SHOW:
      return OnShow();
    case IDC_SITES_MOVE:
      return OnMove();
    case IDC_SITES_OPTIMISE:
      return OnOptimise();
    case IDC_SITES_ACCEPT:
      return OnAccept();
    case IDC_SITES_CANCEL:
      return window.Destroy();
    case IDC_SITES_EMPTY_ALLOWED:
      window.ListDeleteAll(IDC_SITES_ALLOWED);
      break;
    case IDC_SITES_EMPTY_PROHIBITED:
      window.ListDeleteAll(IDC_SITES_PROHIBITED);
      break;
    case IDC_SITES_BUILTIN:
      break;  // the box is read at "Acepta"
    default:
      return;  // Esc (kIdCancel) does nothing
  }
  m_bModified = 1;
}

void CSiteAdminDlg::OnAddButton() {
  CSiteEntryDlg entry(Host(), *this);
  entry.DoModal(this);
  m_bModified = 1;  // whatever the box's result
}

void CSiteAdminDlg::OnDelete() {
  DialogWindow& window = Window();
  for (const int list : {IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED})
    if (DeleteSelected(window, list, [](int) { return true; })) m_bModified = 1;
  window.ShowControl(IDC_SITES_DELETE, false);
}

void CSiteAdminDlg::OnShow() {
  DialogWindow& window = Window();
  const int allowed = window.ListNextSelected(IDC_SITES_ALLOWED, -1);
  const int prohibited = window.ListNextSelected(IDC_SITES_PROHIBITED, -1);
  if (allowed < 0 && prohibited < 0) return;
  const std::string site = prohibited >= 0 ? window.ListText(IDC_SITES_PROHIBITED, prohibited, 0)
                                           : window.ListText(IDC_SITES_ALLOWED, allowed, 0);
  if (site.empty()) return;
  // Stopping the guardian is offered only for a prohibited site.
  ExamineSite(*this, panel_, data_.state, data_.shell, site, prohibited >= 0);
}

void CSiteAdminDlg::OnMove() {
  DialogWindow& window = Window();
  const auto move = [&](int from, int to, int image) {
    const bool moved = DeleteSelected(window, from, [&](int item) {
      // A moved site is the parent's own choice, whichever row it came from.
      window.ListInsert(to, 0, window.ListText(from, item, 0), image, 0);
      return true;
    });
    if (moved) m_bModified = 1;
  };
  // Entries arrive unselected, so none moves back.
  move(IDC_SITES_ALLOWED, IDC_SITES_PROHIBITED, kProhibitedImage);
  move(IDC_SITES_PROHIBITED, IDC_SITES_ALLOWED, kAllowedImage);
}

void CSiteAdminDlg::OnOptimise() {
  DialogWindow& window = Window();
  m_bModified = 1;
  window.ShowControl(IDC_SITES_OPTIMISE, false);
  const std::string caption = window.Caption();
  window.SetCaption("Optimizando 0%");
  Shorten(window, IDC_SITES_PROHIBITED);
  window.SetCaption("Optimizando 25%");
  DropRepeats(window, IDC_SITES_PROHIBITED);
  window.SetCaption("Optimizando 50%");
  Shorten(window, IDC_SITES_ALLOWED);
  window.SetCaption("Optimizando 75%");
  DropRepeats(window, IDC_SITES_ALLOWED);
  window.SetCaption(caption);
  window.ShowControl(IDC_SITES_OPTIMISE, true);
}

void CSiteAdminDlg::OnAccept() {
  // A failed save leaves the site file and the switch as they were.
  AcceptOrComplain(
      *this, m_bModified != 0, [this] { return SaveSites(); },
      "No se pudo guardar la lista de sitios."_ansi);
}

bool CSiteAdminDlg::SaveSites() {
  if (!SendSites()) return false;
  GuardState& state = data_.state;
  state.m_bBuiltInSites = Window().IsChecked(IDC_SITES_BUILTIN) ? 1 : 0;
  data_.profile.WriteInt(profile::kBuiltInSites, state.m_bBuiltInSites);
  data_.sites.FreeSiteList();
  data_.sites.LoadSiteList(state.m_bBuiltInSites != 0);
  return true;
}

bool CSiteAdminDlg::SendSites() {
  DialogWindow& window = Window();
  const auto send = [this](std::string text, int code) {
    return panel_.Send(PrivateMessage{WM_SITEEDIT, code, std::move(text)});
  };
  for (const auto& [list, code] : {std::pair{IDC_SITES_PROHIBITED, kSiteEditProhibited},
                                   std::pair{IDC_SITES_ALLOWED, kSiteEditAllowed}}) {
    for (int item = 0; item < window.ListCount(list); ++item) {
      // Built-in rows belong to the table, not to the parent; an empty allowed text would
      // end the batch early.
      if (window.ListData(list, item) == kBuiltInRow) continue;
      std::string text = window.ListText(list, item, 0);
      if (code == kSiteEditAllowed && text.empty()) continue;
      send(std::move(text), code);
    }
  }
  return send({}, kSiteEditAllowed) == kSiteEditSaved;
}

void CSiteAdminDlg::OnListNotify(const ListNotification& note) {
  DialogWindow& window = Window();
  const bool allowed = note.listId == IDC_SITES_ALLOWED;
  if (!allowed && note.listId != IDC_SITES_PROHIBITED) return;
  FollowRows(window, note, allowed ? IDC_SITES_EMPTY_ALLOWED : IDC_SITES_EMPTY_PROHIBITED,
             IDC_SITES_DELETE);
  if (note.kind == ListNotification::Kind::kClick) {
    const bool any = window.ListNextSelected(IDC_SITES_ALLOWED, -1) >= 0 ||
                     window.ListNextSelected(IDC_SITES_PROHIBITED, -1) >= 0;
    for (const int id : kRowButtons) window.ShowControl(id, any);
  }
  // Only keys in the prohibited list count towards the reveal.
  if (note.kind == ListNotification::Kind::kKeyDown && !allowed && m_nRevealCount.Press(note.key))
    window.Post(PrivateMessage{WM_REFILLSITES, 1, std::nullopt});
}

bool CSiteEntryDlg::OnInitDialog() {
  DialogWindow& window = Window();
  window.SetButtonImage(IDC_SITE_CANCEL, IDB_CANCEL_BUTTON);
  window.SetButtonImage(IDC_SITE_ALLOW, IDB_ALLOW_BUTTON);
  window.SetButtonImage(IDC_SITE_BLOCK, IDB_BLOCK_BUTTON);
  window.SetToolTip(IDC_SITE_ALLOW, "Permite este sitio Web");
  window.SetToolTip(IDC_SITE_BLOCK, "Prohibe este sitio Web");
  window.SetToolTip(IDC_SITE_CANCEL, "Cancela");
  window.SetControlText(IDC_SITE_EDIT, "http://");
  OnTextChanged();
  return true;
}

void CSiteEntryDlg::OnTextChanged() {
  const bool any = !Window().ControlText(IDC_SITE_EDIT).empty();
  Window().ShowControl(IDC_SITE_ALLOW, any);
  Window().ShowControl(IDC_SITE_BLOCK, any);
}

void CSiteEntryDlg::OnCommand(const Command& command) {
  if (command.id == IDC_SITE_EDIT && command.code == ControlNotification::kEditChanged)
    return OnTextChanged();
  if (command.code != ControlNotification::kClicked) return;
  switch (command.id) {
    case IDC_SITE_ALLOW:
      return Hand(kAddAllowed);  // the button, or Enter
    case IDC_SITE_BLOCK:
      return Hand(kAddProhibited);
    case IDC_SITE_CANCEL:
    case kIdCancel:  // Esc closes the box like "Cancela": it never prohibits what is typed
      return Window().EndDialog(kResultCancel);
    default:
      return;
  }
}

void CSiteEntryDlg::Hand(int list) {
  admin_.Send(PrivateMessage{WM_ADDSITE, list, Window().ControlText(IDC_SITE_EDIT)});
  Window().EndDialog(list);
}

}  // namespace tevanor
