#pragma once

namespace tevanor {

// Window timers of the panel, by id. Setting a timer that is armed restarts it.
class TimerService {
 public:
  virtual ~TimerService() = default;
  virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
  virtual void KillTimer(unsigned id) = 0;
};

inline constexpr unsigned TIMER_SCAN = 1;
inline constexpr unsigned TIMER_AUTOHIDE = 3;
inline constexpr unsigned TIMER_VERSION = 10;
inline constexpr unsigned TIMER_LAST_SEEN = 11;  // the running program marks itself seen

inline constexpr unsigned kScanPauseMs = 500;
inline constexpr unsigned kAutoHideMs = 10'000;
inline constexpr unsigned kVersionRetryMs = 3'000;
inline constexpr unsigned kVersionAfterNoticeMs = 7'200'000;
inline constexpr unsigned kLastSeenMs = 60'000;

}  // namespace tevanor
