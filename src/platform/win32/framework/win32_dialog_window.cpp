#include "platform/win32/framework/win32_dialog_window.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/framework/win32_dialog_host.h"
#include "platform/win32/win32_text.h"

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

void Win32DialogWindow::LoadPictures() {
  // The children come in the template's order.
  HWND child = ::GetWindow(hwnd_, GW_CHILD);
  for (const ControlTemplate& control : dialog_.Layout().controls) {
    if (child == nullptr) return;
    if (control.kind == ControlKind::kPicture) {
      UniqueBitmap bitmap(
          static_cast<HBITMAP>(::LoadImageW(host_.resources(), MAKEINTRESOURCEW(control.image),
                                            IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
      if (bitmap) {
        ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
        pictures_.push_back(std::move(bitmap));
      }
    }
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

int Win32DialogWindow::ListInsert(int list, int index, std::string_view text, int image,
                                  ItemData data) {
  std::wstring wide = Wide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = index;
  item.pszText = wide.data();
  item.iImage = image;
  item.lParam = static_cast<LPARAM>(data);
  return static_cast<int>(
      ::SendMessageW(Item(list), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void Win32DialogWindow::ListDelete(int list, int item) {
  ListView_DeleteItem(Item(list), item);
}

void Win32DialogWindow::ListDeleteAll(int list) {
  ListView_DeleteAllItems(Item(list));
}

int Win32DialogWindow::ListCount(int list) const {
  return ListView_GetItemCount(Item(list));
}

std::string Win32DialogWindow::ListText(int list, int item, int column) const {
  std::vector<wchar_t> buffer(128);
  for (;;) {
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = buffer.data();
    request.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(
        ::SendMessageW(Item(list), LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request)));
    if (length + 1 < buffer.size()) return Narrow({buffer.data(), length});
    buffer.resize(buffer.size() * 2);
  }
}

void Win32DialogWindow::ListSetText(int list, int item, int column, std::string_view text) {
  std::wstring wide = Wide(text);
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = wide.data();
  ::SendMessageW(Item(list), LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
}

DialogWindow::ItemData Win32DialogWindow::ListData(int list, int item) const {
  LVITEMW request{};
  request.mask = LVIF_PARAM;
  request.iItem = item;
  if (!::SendMessageW(Item(list), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request))) return 0;
  return static_cast<ItemData>(request.lParam);
}

int Win32DialogWindow::ListNextSelected(int list, int after) const {
  return ListView_GetNextItem(Item(list), after, LVNI_SELECTED);
}

void Win32DialogWindow::ListSelect(int list, int item, bool selected) {
  ListView_SetItemState(Item(list), item, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void Win32DialogWindow::ListSetSelectionMark(int list, int item) {
  ListView_SetSelectionMark(Item(list), item);
}

void Win32DialogWindow::ListSetRedraw(int list, bool redraw) {
  HWND view = Item(list);
  ::SendMessageW(view, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
  if (redraw) ::InvalidateRect(view, nullptr, TRUE);
}

}  // namespace tevanor::win32
