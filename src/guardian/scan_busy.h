#pragma once

#include "guardian/guard_state.h"

namespace tevanor {

// m_bScanBusy is 1 while a window's lists are walked, and back to 0 on every way out.
class ScanBusy {
 public:
  explicit ScanBusy(GuardState& state) : state_(state) { state_.m_bScanBusy = 1; }
  ~ScanBusy() { state_.m_bScanBusy = 0; }
  ScanBusy(const ScanBusy&) = delete;
  ScanBusy& operator=(const ScanBusy&) = delete;

 private:
  GuardState& state_;
};

}  // namespace tevanor
