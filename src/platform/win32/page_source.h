#pragma once

#include "guardian/page_source.h"

namespace tevanor::win32 {

// Pages of the browser component in other programs' windows. A browser child window is asked
// for its document with the registered message "WM_HTML_GETOBJECT" (SendMessageTimeout,
// SMTO_ABORTIFHUNG, 1000 ms), and the answer becomes an IHTMLDocument2 through
// "OLEACC.DLL"'s ObjectFromLresult. Every call into the document is made on a thread of COM's
// multithreaded apartment and waited for at most 1000 ms, and all of one inspection's calls
// at most 2000 ms: a page that never answers costs one pass that much, then is skipped until
// the call it hangs in returns (the thread stuck in it cannot be ended, only left behind).
//
// The type library of the document interfaces is kept loaded for the life of the page source:
// it is not tied to COM, and without it Wine's marshaller reads the library again for every
// interface it hands out, which makes one inspection about five times slower.
class Win32PageSource final : public PageSource {
 public:
  Win32PageSource();
  ~Win32PageSource() override;
  Win32PageSource(const Win32PageSource&) = delete;
  Win32PageSource& operator=(const Win32PageSource&) = delete;

  std::unique_ptr<PageSession> BeginInspection() override;

 private:
  struct Resources;
  std::unique_ptr<Resources> resources_;
};

}  // namespace tevanor::win32
