#include "ui/panel_editors.h"

#include "ui/filter_config_dlg.h"
#include "ui/history_dlg.h"
#include "ui/panel_dlg.h"
#include "ui/site_admin_dlg.h"

namespace tevanor {

std::unique_ptr<Dialog> PanelEditors::Make(EditingDialog which, CPanelDlg& panel) {
  Guardian& guardian = panel.guardian();
  GuardState& state = guardian.state();
  switch (which) {
    case EditingDialog::kFilter:
      return std::make_unique<CFilterConfigDlg>(
          panel.Host(), panel, FilterConfigData{state, guardian.phrases(), profile_});
    case EditingDialog::kSiteAdmin:
      return std::make_unique<CSiteAdminDlg>(
          panel.Host(), panel, SiteAdminData{state, guardian.sites(), profile_, shell_});
    case EditingDialog::kHistory:
      return std::make_unique<CHistoryDlg>(panel.Host(), panel, HistoryData{state, files_, shell_});
  }
  return nullptr;
}

}  // namespace tevanor
