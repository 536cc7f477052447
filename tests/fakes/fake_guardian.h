#pragma once

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"
#include "guardian/history_queue.h"
#include "guardian/scan_cycle.h"
#include "guardian/window_guard.h"

namespace tevanor::testing {

// The guardian's window test and its scan over a fake of every port.
struct FakeGuardian {
  FakeDesktop desktop;
  FakePageSource pages;
  FakeFrameTrees frames{desktop.nowMs};
  FakeGuardHost host;
  FakeDataDirectory files;
  FakeProfile profile;
  FakeClock clock;
  FakeTimers timers;
  FakeNetwork network;
  GuardState state;
  HistoryQueue history{state, {host, files, profile}};
  WindowGuard guard{state, {desktop, desktop, pages, frames, host, history, clock}};
  ScanCycle cycle{state, {profile, timers, desktop, network, host}, guard};
};

}  // namespace tevanor::testing
