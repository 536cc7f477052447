#pragma once

#include <memory>

#include "framework/dialog_host.h"

namespace tevanor::testing {

// The host contract tests run natively on the fake host and under Wine on the Win32 host, so
// that what unit tests see on the fake is what the product sees on the real system.
class ContractHost {
 public:
  virtual ~ContractHost() = default;
  virtual DialogHost& host() = 0;
  // Handles the messages posted so far, and those they post in turn.
  virtual void RunPending() = 0;
};

std::unique_ptr<ContractHost> MakeContractHost();

}  // namespace tevanor::testing
