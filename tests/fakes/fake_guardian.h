#pragma once

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"
#include "guardian/guard_state.h"
#include "guardian/scan_cycle.h"
#include "guardian/window_guard.h"

namespace tevanor::testing {

// The guardian's window test and scan cycle with their state, over a fake of every port.
struct FakeGuardian {
  GuardState state;
  FakeDesktop desktop;
  FakePageSource pages;
  FakeGuardHost host;
  FakeDataDirectory files;
  FakeProfile profile;
  FakeClock clock;
  FakeTimers timers;
  FakeNetwork network;
  WindowGuard guard{state, {desktop, desktop, pages, host, files, profile, clock}};
  ScanCycle cycle{state, {profile, timers, desktop, network, host}, guard};
};

}  // namespace tevanor::testing
