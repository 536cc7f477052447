#pragma once

#include <memory>

#include "framework/dialog.h"
#include "rules/data_files.h"
#include "rules/profile_store.h"
#include "shell/shell_open.h"

namespace tevanor {

class CPanelDlg;

// The panel's three modeless editing dialogs, made when the parent opens one.
enum class EditingDialog { kFilter, kSiteAdmin, kHistory };

// The panel's editing dialogs as the program has them: filter configuration, site
// administration and history, over the panel's guardian.
class PanelEditors final {
 public:
  PanelEditors(ProfileStore& profile, DataDirectory& files, ShellOpen& shell)
      : profile_(profile), files_(files), shell_(shell) {}

  std::unique_ptr<Dialog> Make(EditingDialog which, CPanelDlg& panel);

 private:
  ProfileStore& profile_;
  DataDirectory& files_;
  ShellOpen& shell_;
};

}  // namespace tevanor
