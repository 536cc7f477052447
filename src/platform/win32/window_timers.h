#pragma once

#include <windows.h>

#include "guardian/timer_service.h"

namespace tevanor::win32 {

// Timers of one window: each tick arrives as WM_TIMER with the timer's id.
class WindowTimers final : public TimerService {
 public:
  explicit WindowTimers(HWND window) : window_(window) {}
  void SetTimer(unsigned id, unsigned milliseconds) override {
    ::SetTimer(window_, id, milliseconds, nullptr);
  }
  void KillTimer(unsigned id) override { ::KillTimer(window_, id); }

 private:
  HWND window_;
};

}  // namespace tevanor::win32
