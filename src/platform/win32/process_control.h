#pragma once

#include "guardian/process_control.h"

namespace tevanor::win32 {

// Processes opened with all access rights (the handle inheritable) and ended with TerminateProcess.
class Win32ProcessControl final : public ProcessControl {
 public:
  std::unique_ptr<Process> Open(std::uint32_t processId) override;
};

}  // namespace tevanor::win32
