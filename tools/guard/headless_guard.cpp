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
      guardian_({ports.profile, ports.files, ports.timers, ports.windows, ports.inspector,
                 ports.processes, ports.pages, ports.network, ports.clock, *this, *this}) {}

void HeadlessGuard::Start() {
  ReadGuardSettings(guardian_.state(), ports_.profile);
  guardian_.LoadLists();
  ports_.timers.SetTimer(TIMER_SCAN, kScanPauseMs);
}

}  // namespace tevanor
