#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/dialog.h"
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
  void ListSetRedraw(int list, bool redraw) override;

 private:
  friend class Win32DialogHost;
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  // Gives the template's pictures their bitmaps, which this window owns: a static control never
  // deletes the bitmap it shows, so each notice would otherwise leave its picture behind.
  void LoadPictures();

  Win32DialogHost& host_;
  Dialog& dialog_;
  bool modal_;
  HWND hwnd_ = nullptr;  // from WM_INITDIALOG until WM_NCDESTROY
  bool ended_ = false;
  int result_ = -1;
  std::unique_ptr<Dialog> owned_;             // a modeless dialog, released with its window
  std::map<int, UniqueBitmap> buttonImages_;  // deleted after the window and its buttons
  std::vector<UniqueBitmap> pictures_;        // likewise
  HWND toolTips_ = nullptr;  // owned by the dialog window, which destroys it with itself
};

}  // namespace tevanor::win32
