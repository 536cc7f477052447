#include "notice/web_notice_wnd.h"

namespace tevanor {

bool CWebNoticeWnd::CreateInPlaceOf(PageViewFactory& factory, Dialog& container, int controlId,
                                    PageViewEvents& events) {
  view_ = factory.CreateInPlaceOf(container, controlId, events);
  return view_ != nullptr;
}

void CWebNoticeWnd::Navigate(std::string_view address) {
  if (view_) view_->Navigate(address);
}

void CWebNoticeWnd::Layout(int x, int y, int width, int height) {
  if (view_) view_->Layout(x, y, width, height);
}

std::optional<std::vector<MetaAttributes>> CWebNoticeWnd::MetaElements(
    std::span<const std::string_view> names) {
  if (!view_) return std::nullopt;
  return view_->MetaElements(names);
}

}  // namespace tevanor
