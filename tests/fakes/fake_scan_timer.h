#pragma once

#include "rules/scan_pause.h"

namespace tevanor::testing {

// The scan timer as the list loaders see it: armed or not, with the guardian's switch.
class FakeScanTimer final : public ScanTimer {
 public:
  void Stop() override { armed = false; }
  void RestartIfActive() override {
    if (guardActive) armed = true;
  }

  bool guardActive = true;
  bool armed = true;
};

}  // namespace tevanor::testing
