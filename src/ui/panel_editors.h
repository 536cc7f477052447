#pragma once

#include "ui/editing_dialogs.h"

namespace tevanor {

// The panel's editing dialogs as the program has them. The filter, site administration and
// history dialogs are not part of the program yet: their buttons open nothing.
class PanelEditors final : public EditingDialogs {
 public:
  std::unique_ptr<Dialog> Make(EditingDialog, CPanelDlg&) override { return nullptr; }
};

}  // namespace tevanor
