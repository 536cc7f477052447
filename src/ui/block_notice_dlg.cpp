#include "ui/block_notice_dlg.h"

#include "base/product_name.h"
#include "resource.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {kIdOk, ControlKind::kDefaultButton, "OK", {66, 88, 54, 18}, kImageButton},
    {IDC_NOTICE_TEXT, ControlKind::kCentredText, "", {7, 72, 164, 9}},
    {kNoControlId, ControlKind::kIcon, "", {150, 86, 21, 20}, 0, IDI_MAIN},
    {kNoControlId, ControlKind::kIcon, "", {7, 86, 21, 20}, 0, IDI_MAIN},
    {kNoControlId, ControlKind::kPicture, "", {23, 7, 133, 62}, 0, IDB_NOTICE_PICTURE},
};

}  // namespace

const DialogTemplate CBlockNoticeDlg::kTemplate{
    IDD_BLOCK_NOTICE, "", 178, 113, "MS Sans Serif", 8, kVisibleAtCreation, kControls};

bool CBlockNoticeDlg::Open(DialogHost& host) {
  return OpenModeless<CBlockNoticeDlg>(host, nullptr) != nullptr;
}

bool CBlockNoticeDlg::OnInitDialog() {
  DialogWindow& window = Window();
  window.SetCaption(kProductName);
  window.SetControlText(IDC_NOTICE_TEXT, "Protegiendo......");
  window.SetButtonImage(kIdOk, IDB_OK_BUTTON);
  window.SetTimer(TIMER_CLOSE, kCloseAfterMs);
  return true;
}

void CBlockNoticeDlg::OnTimer(unsigned id) {
  if (id != TIMER_CLOSE) return;
  Window().KillTimer(TIMER_CLOSE);
  Window().Destroy();
}

void CBlockNoticeDlg::OnOK() {
  Window().Destroy();
}

}  // namespace tevanor
