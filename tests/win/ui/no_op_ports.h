// Ports that do nothing, for the editing dialogs on the real host when only the dialogs count.
#pragma once

#include <string_view>

#include "rules/scan_pause.h"
#include "rules/site_store.h"
#include "shell/shell_open.h"

namespace tevanor::testing {

class NoScanTimer final : public ScanTimer {
 public:
  void Stop() override {}
  void RestartIfActive() override {}
};

class NoShell final : public ShellOpen {
 public:
  bool Open(std::string_view, std::string_view) override { return true; }
};

class NoSiteAdmin final : public SiteAdminRequests {
 public:
  void AddSiteAndSave(std::string_view, bool) override {}
  void PostRefill() override {}
};

}  // namespace tevanor::testing
