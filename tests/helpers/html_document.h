#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tevanor::helpers {

// A page as the test browser shows it.
struct HtmlPage {
  std::wstring url;
  std::wstring readyState = L"complete";
  std::wstring bodyText;
  std::vector<HtmlPage> frames;
  bool denied = false;  // as a frame: its document cannot be had (a frame of another site)
};

// What a browser child window answers to "WM_HTML_GETOBJECT": a document object that shows
// `page`, made ready for another thread or process by LresultFromObject. `page` must outlive
// every client; the calling thread must have COM initialised and keep pumping messages while
// clients use the document.
LRESULT AnswerDocumentRequest(const HtmlPage& page, WPARAM wParam);

}  // namespace tevanor::helpers
