#pragma once

#include "rules/data_files.h"
#include "rules/profile_store.h"
#include "shell/shell_open.h"
#include "ui/editing_dialogs.h"

namespace tevanor {

// The panel's editing dialogs as the program has them: filter configuration, site
// administration and history, over the panel's guardian.
class PanelEditors final : public EditingDialogs {
 public:
  PanelEditors(ProfileStore& profile, DataDirectory& files, ShellOpen& shell)
      : profile_(profile), files_(files), shell_(shell) {}

  std::unique_ptr<Dialog> Make(EditingDialog which, CPanelDlg& panel) override;

 private:
  ProfileStore& profile_;
  DataDirectory& files_;
  ShellOpen& shell_;
};

}  // namespace tevanor
