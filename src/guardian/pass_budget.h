#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "guardian/window_source.h"

namespace tevanor {

// The time one pass may spend waiting for other programs to answer (the texts of their edit
// controls, their browser pages), so that no program can make a pass last long:
// - a program that failed to answer in time is not asked again in the same pass;
// - once the pass's time is spent, the windows still to be asked wait for the next pass, which
//   asks first the first window left out (those before it had their turn), so that no window is
//   left out for good.
// The cheap tests (chat windows) are made for every window in every pass all the same.
class PassBudget {
 public:
  static constexpr std::uint64_t kWaitingPerPassMs = 3000;

  // `resumeExists`: whether the window the last pass ran out at is still there.
  void BeginPass(std::uint64_t nowMs, bool resumeExists) {
    resumeAt_ = resumeExists ? firstLeftOut_ : kNoWindow;
    firstLeftOut_ = kNoWindow;
    deadlineMs_ = nowMs + kWaitingPerPassMs;
    silent_.clear();
  }
  WindowHandle resumeAt() const { return firstLeftOut_; }

  // Whether the windows of `top`, owned by `process`, may be asked now.
  bool MayAsk(WindowHandle top, std::uint32_t process, std::uint64_t nowMs) {
    if (resumeAt_ != kNoWindow) {
      if (top != resumeAt_) return false;  // asked in the last pass
      resumeAt_ = kNoWindow;
    }
    if (std::find(silent_.begin(), silent_.end(), process) != silent_.end()) return false;
    if (nowMs < deadlineMs_) return true;
    if (firstLeftOut_ == kNoWindow) firstLeftOut_ = top;
    return false;
  }

  // `process` failed to answer in time.
  void Unanswered(std::uint32_t process) { silent_.push_back(process); }

 private:
  WindowHandle resumeAt_ = kNoWindow;
  WindowHandle firstLeftOut_ = kNoWindow;
  std::uint64_t deadlineMs_ = UINT64_MAX;  // no limit before the first pass
  std::vector<std::uint32_t> silent_;
};

}  // namespace tevanor
