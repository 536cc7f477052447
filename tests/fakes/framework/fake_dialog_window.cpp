#include "fakes/framework/fake_dialog_window.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "fakes/framework/fake_dialog_host.h"
#include "text/cp1252.h"

namespace tevanor::testing {

FakeWindow::FakeWindow(FakeDialogHost& host, Dialog& dialog, std::uint64_t serial, bool modal)
    : host_(host), dialog_(dialog), serial_(serial), modal_(modal) {
  const DialogTemplate& layout = dialog.Layout();
  caption_ = layout.caption;
  for (const ControlTemplate& c : layout.controls) {
    FakeControl control;
    control.layout = &c;
    control.text = c.text;
    control.visible = (c.style & kHidden) == 0;
    controls_.push_back(std::move(control));
  }
}

void FakeWindow::Misuse(int id, const char* what) const {
  throw std::logic_error("dialog " + std::to_string(dialog_.Layout().id) + ", control " +
                         std::to_string(id) + ": " + what);
}

const FakeControl& FakeWindow::Control(int id) const {
  for (const FakeControl& c : controls_)
    if (c.layout->id == id && id != kNoControlId) return c;
  Misuse(id, "no such control in the template");
}

FakeControl& FakeWindow::Mutable(int id) {
  return const_cast<FakeControl&>(Control(id));
}

void FakeWindow::Show(bool show) {
  if (visible_ == show) return;
  host_.Dispatch(*this, ShowChange{show});
  visible_ = show;
}

void FakeWindow::EndDialog(int result) {
  if (!modal_) return Show(false);
  ended_ = true;
  result_ = result;
}

void FakeWindow::Destroy() {
  host_.DestroyWindow(*this);
}

void FakeWindow::SetTimer(unsigned id, unsigned milliseconds) {
  host_.SetTimer(*this, id, milliseconds);
}

void FakeWindow::KillTimer(unsigned id) {
  host_.KillTimer(serial_, id);
}

void FakeWindow::Post(DialogEvent event) {
  host_.posted_.push_back({serial_, std::move(event)});
}

std::optional<std::intptr_t> FakeWindow::Send(DialogEvent event) {
  return host_.Dispatch(*this, std::move(event));
}

void FakeWindow::SetControlText(int id, std::string_view text) {
  FakeControl& control = Mutable(id);
  if (control.text == text) return;
  control.text = text;
  if (control.layout->kind == ControlKind::kEdit)
    host_.Dispatch(*this, Command{id, ControlNotification::kEditChanged, true});
}

void FakeWindow::SetCheck(int id, bool checked) {
  FakeControl& control = Mutable(id);
  if (control.layout->kind == ControlKind::kRadioButton && checked) return CheckRadio(control);
  control.checked = checked;
}

void FakeWindow::CheckRadio(FakeControl& control) {
  // An automatic radio button unchecks the others of its group: the run of radio buttons
  // around it, each group beginning at a kGroupStart.
  const auto self = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const FakeControl& c) { return &c == &control; });
  auto first = self;
  while (first != controls_.begin() && (first->layout->style & kGroupStart) == 0 &&
         std::prev(first)->layout->kind == ControlKind::kRadioButton)
    --first;
  for (auto it = first; it != controls_.end() && it->layout->kind == ControlKind::kRadioButton;
       ++it) {
    if (it != first && (it->layout->style & kGroupStart) != 0) break;
    it->checked = false;
  }
  control.checked = true;
}

bool FakeWindow::IsChecked(int id) const {
  return Control(id).checked;
}

const FakeControl& FakeWindow::List(int id) const {
  const FakeControl& control = Control(id);
  if (control.layout->kind != ControlKind::kListView) Misuse(id, "not a list view");
  return control;
}

FakeControl& FakeWindow::MutableList(int id) {
  return const_cast<FakeControl&>(List(id));
}

void FakeWindow::Notify(int list, ListNotification::Kind kind, int item) {
  host_.Dispatch(*this, ListNotification{list, kind, item, 0});
}

int FakeWindow::ListClientWidth(int list) const {
  // Dialog units as pixels with an 8-point MS Sans Serif at 96 dpi, less the 3-D border.
  return List(list).layout->rect.width * 3 / 2 - 4;
}

int FakeWindow::ListInsert(int list, int index, std::string_view text, int image, ItemData data) {
  auto& control = MutableList(list);
  const int at =
      control.items.Insert(index, text, image, data, (control.layout->style & kSorted) != 0);
  control.selected.insert(control.selected.begin() + at, false);
  Notify(list, ListNotification::Kind::kItemInserted, at);
  return at;
}

void FakeWindow::ListDelete(int list, int item) {
  if (!MutableList(list).items.Contains(item)) return;
  Notify(list, ListNotification::Kind::kItemDeleting, item);
  auto& control = MutableList(list);
  if (!control.items.Contains(item)) return;  // the handler deleted it
  control.items.Erase(item);
  control.selected.erase(control.selected.begin() + item);
}

void FakeWindow::ListDeleteAll(int list) {
  for (int item = ListCount(list) - 1; item >= 0; --item) ListDelete(list, item);
}

int FakeWindow::ListCount(int list) const {
  return List(list).Rows().RowCount();
}

std::string FakeWindow::ListText(int list, int item, int column) const {
  const ListRows& rows = List(list).Rows();
  return item >= 0 && item < rows.RowCount() ? rows.RowText(item, column) : std::string();
}

void FakeWindow::ListSetText(int list, int item, int column, std::string_view text) {
  MutableList(list).items.SetText(item, column, text);
}

DialogWindow::ItemData FakeWindow::ListData(int list, int item) const {
  return List(list).items.Data(item);
}

int FakeWindow::ListNextSelected(int list, int after) const {
  const auto& selected = List(list).selected;
  for (int i = std::max(after + 1, 0); i < static_cast<int>(selected.size()); ++i)
    if (selected[i]) return i;
  return -1;
}

void FakeWindow::ListSelect(int list, int item, bool selected) {
  auto& control = MutableList(list);
  if (item < 0 || item >= control.Rows().RowCount()) return;
  if (selected && (control.layout->style & kSingleSelection) != 0)
    control.selected.assign(control.selected.size(), false);
  control.selected[item] = selected;
}

void FakeWindow::ListShowRows(int list, const ListRows* rows) {
  auto& control = MutableList(list);
  control.shown = rows;
  control.selected.assign(static_cast<std::size_t>(control.Rows().RowCount()), false);
}

}  // namespace tevanor::testing
