#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "guardian/process_control.h"
#include "guardian/window_inspector.h"
#include "guardian/window_source.h"

namespace tevanor::testing {

// A desktop of windows and their programs in memory: it lists the windows, answers every
// question the guardian asks about them, and carries out close requests and ended programs.
// Top-level windows and each window's children are listed in creation order; descendants are
// visited depth first, a window before its children, as EnumChildWindows does. Like the
// system, a walk lists the windows that existed when it began, so a window that vanishes
// during a pass is still visited, and every question about it then finds it gone.
class FakeDesktop final : public WindowSource, public WindowInspector, public ProcessControl {
 public:
  // The guardian's own process and thread: their input cannot be attached.
  static constexpr std::uint32_t kOwnProcess = 1;
  static constexpr std::uint32_t kOwnThread = 10;

  struct Window {
    WindowHandle parent = kNoWindow;
    std::vector<WindowHandle> children;
    std::string className;
    std::string title;  // a top-level window's title, or a control's text
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    bool exists = true;
    bool hung = false;  // its thread never answers a message
    // When set, the window answers this many more questions and is gone at the next one.
    int questionsLeft = -1;
  };

  // A top-level window of a new program (one thread), unless `processId` names one.
  WindowHandle AddTopLevel(std::string className = "", std::string title = "",
                           std::uint32_t processId = 0);
  // A child in its parent's program and thread; `text` is its title or control text.
  WindowHandle AddChild(WindowHandle parent, std::string className = "", std::string text = "");
  // A null entry in the list of top-level windows (the scan must skip it).
  void AddNullTopLevel() { tops_.push_back(kNoWindow); }
  Window& At(WindowHandle window) { return windows_[Index(window)]; }
  // Destroys a window and its descendants.
  void Destroy(WindowHandle window);

  // WindowSource
  void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) override;
  void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) override;

  // WindowInspector
  std::optional<std::string> ClassName(WindowHandle window) override;
  std::string Title(WindowHandle window) override;
  WindowOwner Owner(WindowHandle window) override;
  bool Exists(WindowHandle window) override;
  std::unique_ptr<InputAttachment> AttachInput(WindowHandle window) override;
  std::optional<std::string> ControlText(WindowHandle control) override;
  std::uint32_t OwnProcessId() override { return kOwnProcess; }
  void PostCloseCommand(WindowHandle window) override;
  std::uint64_t MonotonicMs() override { return nowMs; }

  // ProcessControl: ending a program destroys all its windows.
  std::unique_ptr<Process> Open(std::uint32_t processId) override;

  std::set<std::uint32_t> unopenable;       // processes that cannot be opened
  std::vector<std::uint32_t> ended;         // programs ended, in order
  std::vector<WindowHandle> closeRequests;  // windows asked to close, in order
  bool closeRequestsObeyed = false;         // a window asked to close goes at once
  // The steady clock: only a control that does not answer moves it, by the answer limit.
  std::uint64_t nowMs = 0;
  std::vector<WindowHandle> textsAsked;  // the controls asked for their text, in order

 private:
  friend class FakeProcess;
  // Handles start at 0x100 so that no window is ever the null handle.
  static std::size_t Index(WindowHandle w) { return static_cast<std::uintptr_t>(w) - 0x100; }
  WindowHandle NewWindow(Window window);
  // The window asked about, or nullptr when it is gone (counting down questionsLeft).
  Window* Ask(WindowHandle window);
  bool Walk(const std::vector<WindowHandle>& children, FunctionRef<bool(WindowHandle)> visit);

  std::vector<Window> windows_;
  std::vector<WindowHandle> tops_;
  std::uint32_t nextProcess_ = 100;
};

}  // namespace tevanor::testing
