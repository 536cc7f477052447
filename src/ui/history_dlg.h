#pragma once

#include "framework/dialog_host.h"
#include "guardian/guard_state.h"
#include "rules/data_files.h"
#include "rules/history_file.h"
#include "shell/shell_open.h"

namespace tevanor {

// What the history dialog reads and acts on: the guardian's state (m_bGuardActive), the
// data files and the shell that opens an address.
struct HistoryData {
  GuardState& state;
  DataDirectory& files;
  ShellOpen& shell;
};

// "Últimos bloqueos": the block history, newest first. A web or file-transfer address can be
// opened, or given free or prohibited access through the panel's site batch; the whole history
// can be emptied. Reloads on WM_RELOADHISTORY. Esc does nothing; "OK" (Enter) closes it.
class CHistoryDlg final : public Dialog {
 public:
  static const DialogTemplate kTemplate;

  CHistoryDlg(DialogHost& host, Dialog& panel, HistoryData data)
      : Dialog(host, kTemplate), panel_(panel), data_(data) {}

  void LoadHistoryList();

 protected:
  bool OnInitDialog() override;
  void OnCommand(const Command& command) override;
  void OnListNotify(const ListNotification& note) override;
  std::intptr_t OnPrivateMessage(PrivateMessage& message) override;

 private:
  // What the list shows: the loaded history itself.
  struct Rows final : ListRows {
    int RowCount() const override;
    std::string RowText(int row, int column) const override;
    HistoryRecords records;
  };

  void ShowRows();
  void UpdateRowButtons();
  void OnShow();
  void OnGiveAccess(bool prohibited);
  void OnClear();

  Dialog& panel_;
  HistoryData data_;
  Rows rows_;
};

}  // namespace tevanor
