#pragma once

namespace tevanor {

// The guardian's scan timer as the list loaders see it: every load and save stops it so that
// no scan walks a half-built list, and re-arms it at the end only while the guardian is on.
class ScanTimer {
 public:
  virtual ~ScanTimer() = default;
  virtual void Stop() = 0;
  virtual void RestartIfActive() = 0;
};

// Stops the scan timer for the lifetime of the object.
class ScanPause {
 public:
  explicit ScanPause(ScanTimer& timer) : timer_(timer) { timer_.Stop(); }
  ~ScanPause() { timer_.RestartIfActive(); }
  ScanPause(const ScanPause&) = delete;
  ScanPause& operator=(const ScanPause&) = delete;

 private:
  ScanTimer& timer_;
};

}  // namespace tevanor
