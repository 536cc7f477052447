#pragma once

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_site_admin.h"
#include "fakes/fake_timers.h"
#include "guardian/guardian.h"

namespace tevanor::testing {

// The guardian over a fake of every port, with names for the parts tests reach.
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
  FakeSiteAdmin siteAdmin;
  Guardian guardian{{{profile, files, desktop, desktop, desktop, pages, frames, network, clock},
                     timers,
                     host,
                     siteAdmin}};
  GuardState& state = guardian.state();
  WindowGuard& guard = guardian.windowGuard();
  ScanCycle& cycle = guardian.cycle();
};

}  // namespace tevanor::testing
