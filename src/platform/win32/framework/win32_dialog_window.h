#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <exception>
#include <map>
#include <memory>
#include <vector>

#include "framework/dialog.h"
#include "framework/list_items.h"
#include "platform/win32/framework/gdi_handles.h"

namespace tevanor::win32 {

class Win32DialogHost;

// A dialog's window on Win32: the DialogWindow port over the HWND made from its template.
class Win32DialogWindow final : public DialogWindow {
 public:
  Win32DialogWindow(Win32DialogHost& host, Dialog& dialog, bool modal)
      : host_(host), dialog_(dialog), modal_(modal) {}

  HWND hwnd() const { return hwnd_; }
  Dialog& dialog() const { return dialog_; }

  void SetCaption(std::string_view text) override;
  std::string Caption() const override;
  void Show(bool show) override;
  bool IsVisible() const override;
  void Resize(int widthPixels, int heightPixels) override;
  void AddSystemMenu() override;
  void EndDialog(int result) override;
  void Destroy() override;
  void SetTimer(unsigned id, unsigned milliseconds) override;
  void KillTimer(unsigned id) override;
  void Post(DialogEvent event) override;
  std::optional<std::intptr_t> Send(DialogEvent event) override;

  void ShowControl(int id, bool show) override;
  bool IsControlVisible(int id) const override;
  void SetControlText(int id, std::string_view text) override;
  std::string ControlText(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetButtonImage(int id, int bitmapId) override;
  void SetToolTip(int id, std::string_view text) override;

  void ListAddColumn(int list, std::string_view heading, int widthPixels) override;
  int ListClientWidth(int list) const override;
  void ListSetImages(int list, int bitmapId, int imageWidth, Rgb transparent) override;
  int ListInsert(int list, int index, std::string_view text, int image, ItemData data) override;
  void ListDelete(int list, int item) override;
  void ListDeleteAll(int list) override;
  int ListCount(int list) const override;
  std::string ListText(int list, int item, int column) const override;
  void ListSetText(int list, int item, int column, std::string_view text) override;
  ItemData ListData(int list, int item) const override;
  int ListNextSelected(int list, int after) const override;
  void ListSelect(int list, int item, bool selected) override;
  void ListSetSelectionMark(int list, int item) override;
  void ListShowRows(int list, const ListRows* rows) override;
  void ListSetRedraw(int list, bool redraw) override;

 private:
  friend class Win32DialogHost;
  // The control's window, remembered at creation: GetDlgItem asks the window server each time,
  // which a fill of thousands of list items would feel.
  HWND Item(int id) const {
    const auto it = controls_.find(id);
    return it != controls_.end() ? it->second : ::GetDlgItem(hwnd_, id);
  }
  // Remembers the controls' windows, and does what the template cannot say: the pictures' bitmaps,
  // which this window owns (a static control never deletes the bitmap it shows, so each notice
  // would otherwise leave its picture behind), and whole-row selection in report views.
  void SetUpControls();
  // Every list view is in owner-data mode: it keeps only the count and the selection, and asks
  // for the text and image of each row it draws. The rows are the list's own items, kept here,
  // or rows the dialog keeps itself.
  struct ListState {
    ListItems own;
    const ListRows* shown = nullptr;
    bool sorted = false;
    bool deferCount = false;  // painting stopped with nothing selected
    bool countStale = false;  // the view has not been told the count yet
    const ListRows& Rows() const { return shown != nullptr ? *shown : own; }
  };
  ListState& List(int list);
  const ListRows& RowsOf(int list) const;
  // Answers the view's request for a row's text or image.
  void DescribeRow(int list, LVITEMW& item) const;
  // The first row from `start` on, then from the top, whose text is `text` or, when `prefix`,
  // starts with it, without regard to case; -1 when there is none.
  int FindRow(int list, std::wstring_view text, int start, bool prefix) const;
  // Tells the view the new count after the rows changed at `at` by `delta` (+1 inserted, -1
  // deleted, 0 all replaced). The view keeps its selection by position, so the selection of
  // the rows after `at` moves with them.
  // While the list is not painted and nothing in it is selected, the count waits until painting
  // resumes or something is selected: a fill of many items then tells the view once.
  void RowsChanged(int list, int at, int delta);
  void TellCount(int list);
  void StopDeferring(int list);

  Win32DialogHost& host_;
  Dialog& dialog_;
  bool modal_;
  HWND hwnd_ = nullptr;  // from WM_INITDIALOG until WM_NCDESTROY
  bool ended_ = false;
  int result_ = -1;
  bool nested_ = false;                       // a modal run started inside another one
  std::exception_ptr error_;                  // what ended a nested run, for its caller
  std::unique_ptr<Dialog> owned_;             // a modeless dialog, released with its window
  std::map<int, UniqueBitmap> buttonImages_;  // deleted after the window and its buttons
  std::vector<UniqueBitmap> pictures_;        // likewise
  HWND toolTips_ = nullptr;
  std::map<int, ListState> lists_;
  std::map<int, HWND>
      controls_;  // by id  // owned by the dialog window, which destroys it with itself
};

}  // namespace tevanor::win32
