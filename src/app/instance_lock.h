#pragma once

namespace tevanor {

// One running copy per desktop: the first start takes the lock and holds it until its process
// ends; a later start finds it taken.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when this process now holds the lock; false when another copy holds it. A failure
  // of any other kind counts as holding it.
  virtual bool Acquire() = 0;
};

}  // namespace tevanor
