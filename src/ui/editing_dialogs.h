#pragma once

#include <memory>

#include "framework/dialog.h"

namespace tevanor {

class CPanelDlg;

// The panel's three modeless editing dialogs, made when the parent opens one.
enum class EditingDialog { kFilter, kSiteAdmin, kHistory };

class EditingDialogs {
 public:
  virtual ~EditingDialogs() = default;
  virtual std::unique_ptr<Dialog> Make(EditingDialog which, CPanelDlg& panel) = 0;
};

}  // namespace tevanor
