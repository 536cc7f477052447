#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "guardian/window_source.h"

namespace tevanor {

// The program and thread that created a window; both 0 when the window is gone.
struct WindowOwner {
  std::uint32_t processId = 0;
  std::uint32_t threadId = 0;
};

// Our thread's input attached to another thread's; detached when the object goes.
class InputAttachment {
 public:
  virtual ~InputAttachment() = default;
};

// What the guardian may learn about, and do to, any window on the desktop. Every query of a
// window that is gone answers "nothing": no class, an empty title, no owner. No query waits
// for the window's program, except ControlText, which waits a bounded time.
class WindowInspector {
 public:
  static constexpr std::size_t kClassNameCapacity = 500;  // a longer class name is cut to 499
  static constexpr unsigned kAnswerLimitMs = 1000;

  virtual ~WindowInspector() = default;
  // nullopt when the class name cannot be read.
  virtual std::optional<std::string> ClassName(WindowHandle window) = 0;
  virtual std::string Title(WindowHandle window) = 0;
  virtual WindowOwner Owner(WindowHandle window) = 0;
  virtual bool Exists(WindowHandle window) = 0;
  // Attaches our thread's input to the thread that created `window`; nullptr when that fails,
  // which it always does for our own thread's windows.
  virtual std::unique_ptr<InputAttachment> AttachInput(WindowHandle window) = 0;
  // The text of a control of another program, asked of the control itself. nullopt when it
  // does not answer within kAnswerLimitMs, or at once when its program is hung.
  virtual std::optional<std::string> ControlText(WindowHandle control) = 0;
  // The guardian's own process: its windows are never inspected.
  virtual std::uint32_t OwnProcessId() = 0;
  // Posts the system menu's "close" command; nothing waits for the program to obey.
  virtual void PostCloseCommand(WindowHandle window) = 0;
  // A steady count of milliseconds, to measure how long the answers take.
  virtual std::uint64_t MonotonicMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  }
};

}  // namespace tevanor
