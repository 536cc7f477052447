#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/dialog_window.h"
#include "framework/list_items.h"

namespace tevanor::testing {

class FakeDialogHost;

// One control of a fake window, built from its template.
struct FakeControl {
  const ControlTemplate* layout = nullptr;
  std::string text;
  bool visible = true;
  bool checked = false;
  // List views.
  ListItems items;
  const ListRows* shown = nullptr;  // rows the dialog keeps, in place of `items`
  std::vector<bool> selected;       // by row

  const ListRows& Rows() const { return shown != nullptr ? *shown : items; }
};

// A dialog window in memory. Using a control id that the template lacks, or a control in a way
// its kind does not allow, throws std::logic_error: a test then fails at the faulty call.
class FakeWindow final : public DialogWindow {
 public:
  FakeWindow(FakeDialogHost& host, Dialog& dialog, std::uint64_t serial, bool modal);

  Dialog& dialog() const { return dialog_; }
  std::uint64_t serial() const { return serial_; }
  bool modal() const { return modal_; }
  bool ended() const { return ended_; }
  int result() const { return result_; }
  const FakeControl& Control(int id) const;

  void SetCaption(std::string_view text) override { caption_ = text; }
  std::string Caption() const override { return caption_; }
  void Show(bool show) override;
  bool IsVisible() const override { return visible_; }
  void Resize(int, int) override {}
  void AddSystemMenu() override {}
  void EndDialog(int result) override;
  void Destroy() override;
  void SetTimer(unsigned id, unsigned milliseconds) override;
  void KillTimer(unsigned id) override;
  void Post(DialogEvent event) override;
  std::optional<std::intptr_t> Send(DialogEvent event) override;

  void ShowControl(int id, bool show) override { Mutable(id).visible = show; }
  bool IsControlVisible(int id) const override { return Control(id).visible; }
  void SetControlText(int id, std::string_view text) override;
  std::string ControlText(int id) const override { return Control(id).text; }
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetButtonImage(int id, int) override { Control(id); }
  void SetToolTip(int id, std::string_view) override { Control(id); }

  void ListAddColumn(int list, std::string_view, int) override { List(list); }
  int ListClientWidth(int list) const override;
  void ListSetImages(int list, int, int, Rgb) override { List(list); }
  int ListInsert(int list, int index, std::string_view text, int image, ItemData data) override;
  void ListDelete(int list, int item) override;
  void ListDeleteAll(int list) override;
  int ListCount(int list) const override;
  std::string ListText(int list, int item, int column) const override;
  void ListSetText(int list, int item, int column, std::string_view text) override;
  ItemData ListData(int list, int item) const override;
  int ListNextSelected(int list, int after) const override;
  void ListSelect(int list, int item, bool selected) override;
  void ListSetSelectionMark(int list, int) override { List(list); }
  void ListShowRows(int list, const ListRows* rows) override;
  void ListSetRedraw(int list, bool) override { List(list); }  // nothing is painted here

 private:
  friend class FakeDialogHost;
  FakeControl& Mutable(int id);
  const FakeControl& List(int id) const;
  FakeControl& MutableList(int id);
  void CheckRadio(FakeControl& control);
  void Notify(int list, ListNotification::Kind kind, int item);
  [[noreturn]] void Misuse(int id, const char* what) const;

  FakeDialogHost& host_;
  Dialog& dialog_;
  std::uint64_t serial_;
  bool modal_;
  std::string caption_;
  bool visible_ = false;
  bool ended_ = false;
  bool destroying_ = false;
  int result_ = -1;
  std::vector<FakeControl> controls_;
};

}  // namespace tevanor::testing
