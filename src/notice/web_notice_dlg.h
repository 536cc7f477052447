#pragma once

#include <string>
#include <string_view>

#include "framework/dialog_host.h"
#include "notice/page_view.h"
#include "notice/web_notice_wnd.h"

namespace tevanor {

// The version notice: a hidden window that loads the maker's version page into a browser view
// and shows itself when the page announces another version or gives a size. A notice still
// hidden 6 s after it was created destroys itself; a shown one then gets its close box and
// stays until the parent closes it. Each notice is independent and released with its window.
class CWebNoticeDlg final : public Dialog, private PageViewEvents {
 public:
  static const DialogTemplate kTemplate;
  static constexpr unsigned TIMER_HIDDEN_END = 1;
  static constexpr unsigned kHiddenEndAfterMs = 6'000;

  CWebNoticeDlg(DialogHost& host, PageViewFactory& views, std::string version,
                std::string_view address);

  // Creates a modeless notice owned by `owner` (the control panel), which keeps no reference
  // to it. `version` is the program's own version string; `address` the version page. False
  // when the window cannot be created.
  static bool Open(DialogHost& host, Dialog* owner, PageViewFactory& views, std::string version,
                   std::string_view address);

 protected:
  bool OnInitDialog() override;
  void OnTimer(unsigned id) override;
  bool OnClose() override;
  // Enter and Esc close the notice like its close box: the dialog manager's default would
  // only hide it, and a hidden notice past its timer would stay hidden for good.
  void OnOK() override;
  void OnCancel() override;
  void OnDestroy() override;

 private:
  void OnNavigateComplete() override;

  PageViewFactory& m_views;
  std::string m_strVersion;
  std::string m_strAddress;
  CWebNoticeWnd m_browser;
};

}  // namespace tevanor
