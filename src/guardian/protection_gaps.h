#pragma once

#include <functional>

#include "base/clock.h"
#include "rules/history_file.h"
#include "rules/profile_store.h"

namespace tevanor {

// The times when nothing guarded the desktop, written to the history as ordinary records so
// that the parent who reads it sees them: the guardian switched off and on from the panel, the
// end through Ctrl+S, and an end without it (the program ended from outside, a crash, a power
// cut), found at the next start from the "last seen" time the running program keeps in the
// profile. Gap records are not blocks: they count nowhere and open no notice.
class ProtectionGaps {
 public:
  static constexpr const char* kSiteText = "Tevanor";

  using Append = std::function<void(const BlockRecord&)>;

  ProtectionGaps(ProfileStore& profile, Clock& clock, Append append)
      : profile_(profile), clock_(clock), append_(std::move(append)) {}

  // At the start: records the gap since the previous run was last seen, if it did not end
  // cleanly, and marks this run as seen.
  void OnStart();
  // Every TIMER_LAST_SEEN tick: this run is still going.
  void OnStillRunning();
  void OnGuardianSwitched(bool active);
  // The end through Ctrl+S: recorded, and the run is no longer seen.
  void OnCleanEnd();

 private:
  void Record(std::string time, std::string cause);

  ProfileStore& profile_;
  Clock& clock_;
  Append append_;
};

}  // namespace tevanor
