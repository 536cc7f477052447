#include "platform/win32/framework/win32_dialog_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/win32_text.h"
#include "text/cp1252.h"

namespace tevanor::win32 {

namespace {

std::string WindowText(HWND hwnd) {
  if (hwnd == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

}  // namespace

void Win32DialogWindow::SetCaption(std::string_view text) {
  ::SetWindowTextW(hwnd_, Wide(text).c_str());
}

std::string Win32DialogWindow::Caption() const {
  return WindowText(hwnd_);
}

void Win32DialogWindow::Show(bool show) {
  ::ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE);
}

bool Win32DialogWindow::IsVisible() const {
  return ::IsWindowVisible(hwnd_) != 0;
}

void Win32DialogWindow::Resize(int widthPixels, int heightPixels) {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, widthPixels, heightPixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32DialogWindow::AddSystemMenu() {
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style | WS_SYSMENU);
  // The frame is cached: the system redraws it with the close box only when told.
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32DialogWindow::EndDialog(int result) {
  if (!modal_) {
    ::ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  ended_ = true;
  result_ = result;
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
}

void Win32DialogWindow::Destroy() {
  ::DestroyWindow(hwnd_);
}

void Win32DialogWindow::SetTimer(unsigned id, unsigned milliseconds) {
  ::SetTimer(hwnd_, id, milliseconds, nullptr);
}

void Win32DialogWindow::KillTimer(unsigned id) {
  ::KillTimer(hwnd_, id);
}

void Win32DialogWindow::Post(DialogEvent event) {
  host_.Post(*this, std::move(event));
}

std::optional<std::intptr_t> Win32DialogWindow::Send(DialogEvent event) {
  return host_.Send(*this, std::move(event));
}

void Win32DialogWindow::ShowControl(int id, bool show) {
  // Every item inserted shows a button again: asking first keeps a long fill fast.
  if (IsControlVisible(id) == show) return;
  ::ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

bool Win32DialogWindow::IsControlVisible(int id) const {
  return (::GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32DialogWindow::SetControlText(int id, std::string_view text) {
  if (ControlText(id) != text) ::SetWindowTextW(Item(id), Wide(text).c_str());
}

std::string Win32DialogWindow::ControlText(int id) const {
  return WindowText(Item(id));
}

void Win32DialogWindow::SetCheck(int id, bool checked) {
  ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogWindow::IsChecked(int id) const {
  return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void Win32DialogWindow::SetButtonImage(int id, int bitmapId) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(
      host_.resources(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!bitmap) return;
  ::SendMessageW(Item(id), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
  // The button draws our bitmap from now on; the one it showed before may go.
  buttonImages_[id] = std::move(bitmap);
}

void Win32DialogWindow::SetUpControls() {
  // The children come in the template's order.
  HWND child = ::GetWindow(hwnd_, GW_CHILD);
  for (const ControlTemplate& control : dialog_.Layout().controls) {
    if (child == nullptr) return;
    if (control.id != kNoControlId) controls_.emplace(control.id, child);
    if (control.kind == ControlKind::kPicture) {
      UniqueBitmap bitmap(
          static_cast<HBITMAP>(::LoadImageW(host_.resources(), MAKEINTRESOURCEW(control.image),
                                            IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
      if (bitmap) {
        ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
        pictures_.push_back(std::move(bitmap));
      }
    }
    if (control.kind == ControlKind::kListView && (control.style & kReportView) != 0)
      ListView_SetExtendedListViewStyleEx(child, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    child = ::GetWindow(child, GW_HWNDNEXT);
  }
}

void Win32DialogWindow::SetToolTip(int id, std::string_view text) {
  HWND control = Item(id);
  if (control == nullptr) return;
  if (toolTips_ == nullptr) {
    toolTips_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, host_.resources(), nullptr);
    if (toolTips_ == nullptr) return;
  }
  std::wstring tip = Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = tip.data();
  ::SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32DialogWindow::ListAddColumn(int list, std::string_view heading, int widthPixels) {
  HWND view = Item(list);
  HWND header = ListView_GetHeader(view);
  const int index = header != nullptr ? Header_GetItemCount(header) : 0;
  std::wstring text = Wide(heading);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = widthPixels;
  column.pszText = text.data();
  column.iSubItem = index;
  ::SendMessageW(view, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

int Win32DialogWindow::ListClientWidth(int list) const {
  RECT client{};
  ::GetClientRect(Item(list), &client);
  return client.right - client.left;
}

void Win32DialogWindow::ListSetImages(int list, int bitmapId, int imageWidth, Rgb transparent) {
  HIMAGELIST images = ::ImageList_LoadImageW(
      host_.resources(), MAKEINTRESOURCEW(bitmapId), imageWidth, imageWidth,
      RGB(transparent.red, transparent.green, transparent.blue), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  // The list view owns its image list and destroys it with itself.
  if (images != nullptr) ListView_SetImageList(Item(list), images, LVSIL_SMALL);
}

Win32DialogWindow::ListState& Win32DialogWindow::List(int list) {
  const auto [it, added] = lists_.try_emplace(list);
  if (added)
    for (const ControlTemplate& control : dialog_.Layout().controls)
      if (control.id == list) it->second.sorted = (control.style & kSorted) != 0;
  return it->second;
}

const ListRows& Win32DialogWindow::RowsOf(int list) const {
  static const ListItems kNone;
  const auto it = lists_.find(list);
  return it != lists_.end() ? it->second.Rows() : kNone;
}

void Win32DialogWindow::DescribeRow(int list, LVITEMW& item) const {
  const ListRows& rows = RowsOf(list);
  if (item.iItem < 0 || item.iItem >= rows.RowCount()) return;
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    const std::wstring text = Wide(rows.RowText(item.iItem, item.iSubItem));
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
  }
  if ((item.mask & LVIF_IMAGE) != 0) item.iImage = rows.RowImage(item.iItem);
}

void Win32DialogWindow::TellCount(int list) {
  ListState& state = List(list);
  ListView_SetItemCountEx(Item(list), state.Rows().RowCount(),
                          LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  state.countStale = false;
}

void Win32DialogWindow::StopDeferring(int list) {
  ListState& state = List(list);
  state.deferCount = false;
  if (state.countStale) TellCount(list);
}

int Win32DialogWindow::FindRow(int list, std::wstring_view text, int start, bool prefix) const {
  const ListRows& rows = RowsOf(list);
  const std::string key = UpperCopy(Narrow(text));
  const int count = rows.RowCount();
  for (int i = 0; i < count; ++i) {
    const int row = (std::clamp(start, 0, count) + i) % count;
    const std::string candidate = UpperCopy(rows.RowText(row, 0));
    if (prefix ? candidate.starts_with(key) : candidate == key) return row;
  }
  return -1;
}

void Win32DialogWindow::RowsChanged(int list, int at, int delta) {
  HWND view = Item(list);
  ListState& state = List(list);
  if (state.deferCount) {
    state.countStale = true;
    return;
  }
  std::vector<int> selected;
  for (int i = ListView_GetNextItem(view, -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(view, i, LVNI_SELECTED))
    selected.push_back(i);
  const int mark = ListView_GetSelectionMark(view);
  const auto moved = [&](int i) { return delta < 0 && i == at ? -1 : i >= at ? i + delta : i; };
  const bool moves =
      delta == 0 ? !selected.empty()
                 : std::any_of(selected.begin(), selected.end(), [&](int i) { return i >= at; });
  if (moves) ListView_SetItemState(view, -1, 0, LVIS_SELECTED);
  TellCount(list);
  if (moves && delta != 0)
    for (const int i : selected)
      if (moved(i) >= 0) ListView_SetItemState(view, moved(i), LVIS_SELECTED, LVIS_SELECTED);
  if (mark >= 0) ListView_SetSelectionMark(view, delta == 0 ? -1 : moved(mark));
  ::InvalidateRect(view, nullptr, FALSE);
}

int Win32DialogWindow::ListInsert(int list, int index, std::string_view text, int image,
                                  ItemData data) {
  ListState& state = List(list);
  const int at = state.own.Insert(index, text, image, data, state.sorted);
  RowsChanged(list, at, +1);
  host_.Notify(*this, ListNotification{list, ListNotification::Kind::kItemInserted, at});
  return at;
}

void Win32DialogWindow::ListDelete(int list, int item) {
  if (!List(list).own.Contains(item)) return;
  host_.Notify(*this, ListNotification{list, ListNotification::Kind::kItemDeleting, item});
  ListState& state = List(list);
  if (!state.own.Contains(item)) return;  // the handler deleted it
  state.own.Erase(item);
  RowsChanged(list, item, -1);
}

void Win32DialogWindow::ListDeleteAll(int list) {
  // Nothing stays to be selected, so the view is told the count once, at the end.
  ListView_SetItemState(Item(list), -1, 0, LVIS_SELECTED);
  ListView_SetSelectionMark(Item(list), -1);
  const bool deferred = std::exchange(List(list).deferCount, true);
  for (int item = ListCount(list) - 1; item >= 0; --item) ListDelete(list, item);
  if (!deferred) StopDeferring(list);
}

int Win32DialogWindow::ListCount(int list) const {
  return RowsOf(list).RowCount();
}

std::string Win32DialogWindow::ListText(int list, int item, int column) const {
  const ListRows& rows = RowsOf(list);
  return item >= 0 && item < rows.RowCount() ? rows.RowText(item, column) : std::string();
}

void Win32DialogWindow::ListSetText(int list, int item, int column, std::string_view text) {
  List(list).own.SetText(item, column, text);
  ListView_RedrawItems(Item(list), item, item);
}

DialogWindow::ItemData Win32DialogWindow::ListData(int list, int item) const {
  const auto it = lists_.find(list);
  return it != lists_.end() ? it->second.own.Data(item) : 0;
}

int Win32DialogWindow::ListNextSelected(int list, int after) const {
  return ListView_GetNextItem(Item(list), after, LVNI_SELECTED);
}

void Win32DialogWindow::ListSelect(int list, int item, bool selected) {
  if (item < 0 || item >= ListCount(list)) return;
  StopDeferring(list);
  ListView_SetItemState(Item(list), item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void Win32DialogWindow::ListSetSelectionMark(int list, int item) {
  StopDeferring(list);
  ListView_SetSelectionMark(Item(list), item);
}

void Win32DialogWindow::ListShowRows(int list, const ListRows* rows) {
  ListState& state = List(list);
  state.own.Clear();
  state.shown = rows;
  RowsChanged(list, 0, 0);
}

void Win32DialogWindow::ListSetRedraw(int list, bool redraw) {
  HWND view = Item(list);
  // Only the dialog changes the list while it is not painted; with nothing selected then, no
  // selection can move, and the count can wait.
  StopDeferring(list);
  List(list).deferCount = !redraw && ListView_GetNextItem(view, -1, LVNI_SELECTED) < 0 &&
                          ListView_GetSelectionMark(view) < 0;
  ::SendMessageW(view, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
  if (redraw) ::InvalidateRect(view, nullptr, TRUE);
}

}  // namespace tevanor::win32
