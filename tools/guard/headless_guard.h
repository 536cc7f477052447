#pragma once

#include <functional>
#include <string>

#include "base/clock.h"
#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "guardian/network.h"
#include "guardian/page_source.h"
#include "guardian/process_control.h"
#include "guardian/scan_cycle.h"
#include "guardian/timer_service.h"
#include "guardian/window_guard.h"
#include "guardian/window_inspector.h"
#include "guardian/window_source.h"
#include "rules/data_files.h"
#include "rules/phrase_store.h"
#include "rules/profile_store.h"
#include "rules/site_store.h"

namespace tevanor {

// One block as tevanor-guard prints it: site text, time, cause and action, separated by tabs,
// in UTF-8, without the line break.
std::string BlockLine(const BlockReport& block);

// The guardian without a panel: the profile's settings (no prompt), the lists from the data
// files, and the scan every 500 ms. Each block goes to `print` as one BlockLine; nothing else
// of the panel exists (no caption, no notice, no dialog, no second-start answer, no version
// notice).
class HeadlessGuard final : private GuardHost, private SiteAdminRequests {
 public:
  struct Ports {
    ProfileStore& profile;
    DataDirectory& files;
    TimerService& timers;
    WindowSource& windows;
    WindowInspector& inspector;
    ProcessControl& processes;
    PageSource& pages;
    Network& network;
    Clock& clock;
  };

  HeadlessGuard(Ports ports, std::function<void(const std::string&)> print);

  // Reads the settings, builds the lists and arms the scan.
  void Start();
  // The hosting window's WM_TIMER.
  bool OnTimer(unsigned id);
  const GuardState& state() const { return state_; }

 private:
  // GuardHost
  void PostShowPanel() override {}
  void PostClosePanel() override {}
  bool IsPasswordPromptShowing() override { return false; }
  void CreateVersionNotice(const std::string&, std::string_view) override {}
  void SetCaption(const std::string&) override {}
  void PostHistoryReload() override {}
  void OpenBlockNotice(const BlockReport& block) override { print_(BlockLine(block)); }
  // SiteAdminRequests: there is no site administration dialog.
  void AddSiteAndSave(std::string_view, bool) override {}
  void PostRefill() override {}

  Ports ports_;
  std::function<void(const std::string&)> print_;
  GuardState state_;
  WindowGuard guard_;
  ScanCycle cycle_;
  PhraseStore phrases_;
  SiteStore sites_;
};

}  // namespace tevanor
