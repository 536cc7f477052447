#pragma once

#include <functional>
#include <memory>

#include "guardian/timer_service.h"

namespace tevanor::win32 {

// A hidden message-only window for a program without a panel: its timers are the TimerService
// the scan cycle arms, and every tick goes to `onTimer` with the timer's id.
class TimerWindow {
 public:
  explicit TimerWindow(std::function<void(unsigned)> onTimer);
  ~TimerWindow();
  TimerWindow(const TimerWindow&) = delete;
  TimerWindow& operator=(const TimerWindow&) = delete;

  // False when the window could not be created; its timers then never tick.
  bool IsValid() const;
  TimerService& Timers();

  // Dispatches this thread's messages until the thread is asked to quit.
  static void RunMessageLoop();

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

}  // namespace tevanor::win32
