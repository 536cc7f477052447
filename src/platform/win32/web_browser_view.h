#pragma once

#include <windows.h>

#include <memory>

#include "notice/page_view.h"

namespace tevanor::win32 {

// The system web-browser control as the page view, hosted by our own small OLE container in a
// child window of a framework dialog. Holds OLE initialised on this thread while it lives.
class WebBrowserViewFactory final : public PageViewFactory {
 public:
  // The control id of the browser's own window inside the view.
  static constexpr int kBrowserControlId = 59648;

  WebBrowserViewFactory();
  ~WebBrowserViewFactory() override;
  WebBrowserViewFactory(const WebBrowserViewFactory&) = delete;
  WebBrowserViewFactory& operator=(const WebBrowserViewFactory&) = delete;

  std::unique_ptr<PageView> CreateInPlaceOf(Dialog& container, int controlId,
                                            PageViewEvents& events) override;

 private:
  bool oleReady_ = false;
};

}  // namespace tevanor::win32
