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
  // A hostile page: the call that never returns ("URL" or "item"), while the program goes on
  // answering messages.
  std::wstring neverAnswers;
  mutable void* document = nullptr;  // the page's one IHTMLDocument2 object, once made
};

// A browser child window (class "Internet Explorer_Server") that answers "WM_HTML_GETOBJECT"
// with a document object that shows `page`, made ready for another thread or process by
// LresultFromObject; without a page it answers nothing. `page` must outlive every client; the
// window's thread must have COM initialised and keep pumping messages while clients use the
// document.
HWND CreateBrowserWindow(HWND parent, const HtmlPage* page);

}  // namespace tevanor::helpers
