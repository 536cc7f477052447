#include "guardian/scan_cycle.h"

#include <vector>

#include "rules/profile_values.h"

namespace tevanor {

bool ScanCycle::OnTimer(unsigned id) {
  switch (id) {
    case TIMER_SCAN:
      OnScanTick();
      return true;
    case TIMER_AUTOHIDE:
      OnAutoHideTick();
      return true;
    case TIMER_VERSION:
      OnVersionTick();
      return true;
    default:
      return false;
  }
}

void ScanCycle::OnScanTick() {
  // A tick that arrives while a window's lists are walked (a nested message loop) does
  // nothing; the timer stays armed.
  if (state_.m_bScanBusy) return;
  ports_.timers.KillTimer(TIMER_SCAN);
  if (ports_.profile.GetInt(profile::kSecondStart, 0) != 0) {
    ports_.profile.WriteInt(profile::kSecondStart, 0);
    ports_.host.PostShowPanel();
  }
  ScanDesktop();
  // The pause counts from the end of the pass, so slow passes never run back to back.
  ports_.timers.SetTimer(TIMER_SCAN, kScanPauseMs);
}

void ScanCycle::ScanDesktop() {
  test_.BeginPass();
  // The windows are listed first and tested afterwards, so that no test (which may end a
  // program) runs inside the system's enumeration of windows. The lists are the pass's own: a
  // nested message loop may run another pass meanwhile.
  std::vector<WindowHandle> tops;
  ports_.windows.ForEachTopLevel([&tops](WindowHandle top) {
    if (top != kNoWindow) tops.push_back(top);
  });
  std::vector<WindowHandle> descendants;
  for (const WindowHandle top : tops) {
    if (test_.TestTopLevel(top) == ScanStep::kStop) continue;
    descendants.clear();
    ports_.windows.ForEachDescendant(top, [&descendants](WindowHandle child) {
      descendants.push_back(child);
      return true;
    });
    for (const WindowHandle child : descendants)
      if (test_.TestChildWindow(child, top) == ScanStep::kStop) break;
  }
}

void ScanCycle::OnAutoHideTick() {
  if (!ports_.host.MayAutoHide()) return;
  ports_.timers.KillTimer(TIMER_AUTOHIDE);
  ports_.host.PostClosePanel();
}

void ScanCycle::OnVersionTick() {
  unsigned next = kVersionRetryMs;
  if (IsOnline(ports_.network)) {
    ports_.host.CreateVersionNotice(state_.m_strVersion, kVersionPageAddress);
    next = kVersionAfterNoticeMs;
  }
  ports_.timers.KillTimer(TIMER_VERSION);
  ports_.timers.SetTimer(TIMER_VERSION, next);
}

void ScanCycle::Stop() {
  ports_.timers.KillTimer(TIMER_SCAN);
}

void ScanCycle::RestartIfActive() {
  if (state_.m_bGuardActive) ports_.timers.SetTimer(TIMER_SCAN, kScanPauseMs);
}

}  // namespace tevanor
