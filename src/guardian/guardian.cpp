#include "guardian/guardian.h"

namespace tevanor {

Guardian::Guardian(GuardianPorts ports)
    : history_(state_, {ports.host, ports.system.files, ports.system.profile}),
      guard_(state_, {ports.system.inspector, ports.system.processes, ports.system.pages,
                      ports.system.frames, ports.host, history_, ports.system.clock}),
      cycle_(state_,
             {ports.system.profile, ports.timers, ports.system.windows, ports.system.network,
              ports.host},
             guard_),
      phrases_(state_.phrases, ports.system.files, ports.system.profile, cycle_),
      sites_(state_.sites, ports.system.files, ports.system.profile, cycle_, ports.siteAdmin) {}

bool Guardian::OnTimer(unsigned id) {
  // Not while a pass runs (in a nested message loop): the lists must stay as the pass found them.
  if (id == TIMER_SCAN && !state_.m_bScanBusy) {
    phrases_.RetryHeldLoad();
    sites_.RetryHeldLoad();
  }
  return cycle_.OnTimer(id);
}

void Guardian::LoadLists() {
  phrases_.RebuildPhraseList(state_.m_nProtLevel);
  sites_.LoadSiteList(state_.m_bBuiltInSites != 0);
}

void Guardian::ReleaseLists() {
  phrases_.ReleaseBuiltInPhrases();
  sites_.FreeSiteList();
}

}  // namespace tevanor
