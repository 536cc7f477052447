#pragma once

#include <functional>
#include <string>

#include "guardian/guardian.h"

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
  HeadlessGuard(SystemPorts system, TimerService& timers,
                std::function<void(const std::string&)> print);

  // Reads the settings, builds the lists and arms the scan.
  void Start();
  // The hosting window's WM_TIMER.
  bool OnTimer(unsigned id) { return guardian_.OnTimer(id); }
  const GuardState& state() const { return guardian_.state(); }

 private:
  // GuardHost
  void PostShowPanel() override {}
  void PostClosePanel() override {}
  bool MayAutoHide() override { return true; }
  void CreateVersionNotice(const std::string&, std::string_view) override {}
  void SetCaption(const std::string&) override {}
  void PostHistoryReload() override {}
  void OpenBlockNotice(const BlockReport& block) override { print_(BlockLine(block)); }
  // SiteAdminRequests: there is no site administration dialog.
  void AddSiteAndSave(std::string_view, bool) override {}
  void PostRefill() override {}

  SystemPorts system_;
  TimerService& timers_;
  std::function<void(const std::string&)> print_;
  Guardian guardian_;
};

}  // namespace tevanor
