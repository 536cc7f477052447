#pragma once

#include <string_view>

#include "framework/dialog.h"
#include "framework/dialog_events.h"
#include "framework/dialog_window.h"

namespace tevanor {

// The steps the two editing dialogs (sites and words) share around their lists.

// Keeps a list's buttons in step with its rows: `empty` shows once the list has a row, and when
// the last row goes both `empty` and `remove` hide.
inline void FollowRows(DialogWindow& window, const ListNotification& note, int empty, int remove) {
  if (note.kind == ListNotification::Kind::kItemInserted) window.ShowControl(empty, true);
  if (note.kind == ListNotification::Kind::kItemDeleting && window.ListCount(note.listId) == 1) {
    window.ShowControl(empty, false);
    window.ShowControl(remove, false);
  }
}

// Deletes the selected rows of `list` for which `take(item)` returns true (it runs just before
// the row goes) and clears the list's selection mark. Returns whether any row went.
template <typename Take>
bool DeleteSelected(DialogWindow& window, int list, Take take) {
  bool deleted = false;
  for (int item = window.ListNextSelected(list, -1); item >= 0;) {
    if (!take(item)) {
      item = window.ListNextSelected(list, item);
      continue;
    }
    window.ListDelete(list, item);
    deleted = true;
    item = window.ListNextSelected(list, item - 1);
  }
  window.ListSetSelectionMark(list, -1);
  return deleted;
}

// "Accept": when something changed, `save` runs; if it fails the parent is told `complaint` and
// the dialog stays open with the parent's rows, to try again. Otherwise the dialog closes.
template <typename Save>
void AcceptOrComplain(Dialog& dialog, bool modified, Save save, std::string_view complaint) {
  if (modified && !save()) {
    dialog.ShowMessage(complaint);
    return;
  }
  dialog.Window().Destroy();
}

}  // namespace tevanor
