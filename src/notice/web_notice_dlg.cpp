#include "notice/web_notice_dlg.h"

#include "base/product_name.h"
#include "notice/notice_rules.h"
#include "resource.h"

namespace tevanor {

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_WEB_NOTICE_VIEW, ControlKind::kText, "", {0, 0, 354, 53}},
};

}  // namespace

// Created hidden and without system menu: a notice that never shows has no frame to close.
const DialogTemplate CWebNoticeDlg::kTemplate{
    IDD_WEB_NOTICE, kProductName, 354, 54, "MS Sans Serif", 8, 0, kControls};

CWebNoticeDlg::CWebNoticeDlg(DialogHost& host, PageViewFactory& views, std::string version,
                             std::string_view address)
    : Dialog(host, kTemplate),
      m_views(views),
      m_strVersion(std::move(version)),
      m_strAddress(address) {}

bool CWebNoticeDlg::Open(DialogHost& host, Dialog* owner, PageViewFactory& views,
                         std::string version, std::string_view address) {
  return OpenModeless<CWebNoticeDlg>(host, owner, views, std::move(version), address) != nullptr;
}

bool CWebNoticeDlg::OnInitDialog() {
  Window().SetCaption(kProductName);
  // Without a browser there is nothing to load: the notice stays hidden until its timer.
  if (m_browser.CreateInPlaceOf(m_views, *this, IDC_WEB_NOTICE_VIEW, *this))
    m_browser.Navigate(m_strAddress);
  Window().SetTimer(TIMER_HIDDEN_END, kHiddenEndAfterMs);
  return true;
}

void CWebNoticeDlg::OnNavigateComplete() {
  if (!HasWindow()) return;
  const auto metas = m_browser.MetaElements(NoticeMarkers());
  if (!metas) return;
  const NoticeVerdict verdict = ApplyNoticeRules(*metas, m_strVersion);
  if (verdict.size) {
    const auto [width, height] = *verdict.size;
    Window().Resize(width, height);
    m_browser.Layout(0, 0, width, height);
  }
  if (verdict.show) Window().Show(true);
}

void CWebNoticeDlg::OnTimer(unsigned id) {
  if (id != TIMER_HIDDEN_END) return;
  DialogWindow& window = Window();
  if (!window.IsVisible()) {
    window.Destroy();
    return;
  }
  window.KillTimer(TIMER_HIDDEN_END);
  window.AddSystemMenu();
  // Hiding and showing once draws the new frame with its close box.
  window.Show(false);
  window.Show(true);
}

bool CWebNoticeDlg::OnClose() {
  Window().Destroy();
  return true;
}

void CWebNoticeDlg::OnOK() {
  Window().Destroy();
}

void CWebNoticeDlg::OnCancel() {
  Window().Destroy();
}

void CWebNoticeDlg::OnDestroy() {
  m_browser.Release();
}

}  // namespace tevanor
