#include "tools/guard/headless_guard.h"

#include "guardian/panel_settings.h"
#include "text/cp1252.h"

namespace tevanor {

std::string BlockLine(const BlockReport& block) {
  const char* action = block.action == BlockAction::kEndProgram     ? "end"
                       : block.action == BlockAction::kCloseRequest ? "close"
                                                                    : "none";
  return Cp1252ToUtf8(block.siteText) + "\t" + Cp1252ToUtf8(block.time) + "\t" +
         Cp1252ToUtf8(block.cause) + "\t" + action;
}

HeadlessGuard::HeadlessGuard(Ports ports, std::function<void(const std::string&)> print)
    : ports_(ports),
      print_(std::move(print)),
      guard_(state_, {ports.inspector, ports.processes, ports.pages, *this, ports.files,
                      ports.profile, ports.clock}),
      cycle_(state_, {ports.profile, ports.timers, ports.windows, ports.network, *this}, guard_),
      phrases_(state_.phrases, ports.files, ports.profile, cycle_),
      sites_(state_.sites, ports.files, ports.profile, cycle_, *this) {}

bool HeadlessGuard::OnTimer(unsigned id) {
  // Data files another program held at the start are loaded once they are free.
  if (id == TIMER_SCAN) {
    phrases_.RetryHeldLoad();
    sites_.RetryHeldLoad();
  }
  return cycle_.OnTimer(id);
}

void HeadlessGuard::Start() {
  ReadGuardSettings(state_, ports_.profile);
  phrases_.RebuildPhraseList(true, true, true, state_.m_nProtLevel);
  sites_.LoadSiteList(state_.m_bBuiltInSites != 0);
  ports_.timers.SetTimer(TIMER_SCAN, kScanPauseMs);
}

}  // namespace tevanor
