#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "notice/page_view.h"

namespace tevanor {

// The browser view of a web notice: the page view that replaces the notice's placeholder, or
// nothing when the browser could not be created, in which case every operation does nothing.
class CWebNoticeWnd {
 public:
  bool CreateInPlaceOf(PageViewFactory& factory, Dialog& container, int controlId,
                       PageViewEvents& events);
  void Navigate(std::string_view address);
  void Layout(int x, int y, int width, int height);
  std::optional<std::vector<MetaAttributes>> MetaElements(std::span<const std::string_view> names);
  // Releases the browser and destroys the view's window.
  void Release() { view_.reset(); }

 private:
  std::unique_ptr<PageView> view_;
};

}  // namespace tevanor
