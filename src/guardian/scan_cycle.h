#pragma once

#include <string_view>

#include "guardian/guard_host.h"
#include "guardian/guard_state.h"
#include "guardian/network.h"
#include "guardian/timer_service.h"
#include "guardian/window_source.h"
#include "rules/profile_store.h"
#include "rules/scan_pause.h"

namespace tevanor {

enum class ScanStep { kContinue, kStop };

// The per-window test the scan applies to every descendant of every top-level window.
class ChildWindowTest {
 public:
  virtual ~ChildWindowTest() = default;
  // Called before the first window of every pass.
  virtual void BeginPass() {}
  // Called with every top-level window before its descendants; kStop skips them.
  virtual ScanStep TestTopLevel(WindowHandle /*top*/) { return ScanStep::kContinue; }
  // kStop ends the walk through the descendants of `top`.
  virtual ScanStep TestChildWindow(WindowHandle child, WindowHandle top) = 0;
};

// The maker's page that announces new versions.
inline constexpr std::string_view kVersionPageAddress = "http://www.orvelda.example/version";

// The panel's three timers: the scan, the auto-hide and the version notice.
class ScanCycle : public ScanTimer {
 public:
  struct Ports {
    ProfileStore& profile;
    TimerService& timers;
    WindowSource& windows;
    Network& network;
    GuardHost& host;
  };

  ScanCycle(GuardState& state, Ports ports, ChildWindowTest& test)
      : state_(state), ports_(ports), test_(test) {}

  // Handles the panel's WM_TIMER; false for an id that is not one of the three.
  bool OnTimer(unsigned id);
  // One pass over every top-level window and all its descendants: lists them, then tests them.
  void ScanDesktop();

  // ScanTimer: what the list loaders use to keep the scan out of a rebuild.
  void Stop() override;
  void RestartIfActive() override;

 private:
  void OnScanTick();
  void OnAutoHideTick();
  void OnVersionTick();

  GuardState& state_;
  Ports ports_;
  ChildWindowTest& test_;
};

}  // namespace tevanor
