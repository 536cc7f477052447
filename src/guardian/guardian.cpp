#include "guardian/guardian.h"

namespace tevanor {

Guardian::Guardian(GuardianPorts ports)
    : guard_(state_, {ports.inspector, ports.processes, ports.pages, ports.host, ports.files,
                      ports.profile, ports.clock}),
      cycle_(state_, {ports.profile, ports.timers, ports.windows, ports.network, ports.host},
             guard_),
      phrases_(state_.phrases, ports.files, ports.profile, cycle_),
      sites_(state_.sites, ports.files, ports.profile, cycle_, ports.siteAdmin) {}

void Guardian::LoadLists() {
  phrases_.RebuildPhraseList(true, true, true, state_.m_nProtLevel);
  sites_.LoadSiteList(state_.m_bBuiltInSites != 0);
}

void Guardian::ReleaseLists() {
  phrases_.RebuildPhraseList(true, false, false, state_.m_nProtLevel);
  sites_.FreeSiteList();
}

}  // namespace tevanor
