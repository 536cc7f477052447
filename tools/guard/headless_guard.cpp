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

HeadlessGuard::HeadlessGuard(SystemPorts system, TimerService& timers,
                             std::function<void(const std::string&)> print)
    : system_(system),
      timers_(timers),
      print_(std::move(print)),
      guardian_({system, timers, *this, *this}) {}

void HeadlessGuard::Start() {
  ReadGuardSettings(guardian_.state(), system_.profile);
  guardian_.LoadLists();
  timers_.SetTimer(TIMER_SCAN, kScanPauseMs);
}

}  // namespace tevanor
