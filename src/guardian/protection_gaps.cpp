#include "guardian/protection_gaps.h"

#include "rules/profile_values.h"

namespace tevanor {

void ProtectionGaps::OnStart() {
  const std::string now = FormatBlockTime(clock_.Now());
  const std::string lastSeen = profile_.GetString(profile::kLastSeen, "");
  if (!lastSeen.empty()) Record(lastSeen, "Tevanor no estuvo activo hasta " + now);
  profile_.WriteString(profile::kLastSeen, now);
}

void ProtectionGaps::OnStillRunning() {
  profile_.WriteString(profile::kLastSeen, FormatBlockTime(clock_.Now()));
}

void ProtectionGaps::OnGuardianSwitched(bool active) {
  Record(FormatBlockTime(clock_.Now()),
         active ? "Vigilancia reanudada" : "Vigilancia detenida desde el panel");
}

void ProtectionGaps::OnCleanEnd() {
  Record(FormatBlockTime(clock_.Now()), "Tevanor cerrado con Ctrl+S");
  profile_.WriteString(profile::kLastSeen, "");
}

void ProtectionGaps::Record(std::string time, std::string cause) {
  append_({kSiteText, std::move(time), std::move(cause)});
}

}  // namespace tevanor
