#pragma once

#include <cstdint>
#include <memory>

namespace tevanor {

// An open process; the handle is closed when the object goes.
class Process {
 public:
  virtual ~Process() = default;
  // Ends the process at once with exit code 0; false when the system refuses.
  virtual bool Terminate() = 0;
};

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  // The process with all access rights, or nullptr when it cannot be opened.
  virtual std::unique_ptr<Process> Open(std::uint32_t processId) = 0;
};

}  // namespace tevanor
