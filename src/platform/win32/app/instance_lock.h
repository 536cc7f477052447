#pragma once

#include "app/instance_lock.h"
#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {

// The named mutex "Tevanor", created owned. This process keeps it to its end; the system
// frees it with the process.
class NamedMutexLock final : public InstanceLock {
 public:
  bool Acquire() override;

 private:
  UniqueKernelHandle mutex_;
};

}  // namespace tevanor::win32
