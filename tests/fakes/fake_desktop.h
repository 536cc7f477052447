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
                           std::uint32_t processId = 0) {
    const std::uint32_t pid = processId ? processId : nextProcess_++;
    tops_.push_back(New({kNoWindow,
                         {},
                         std::move(className),
                         std::move(title),
                         pid,
                         pid == kOwnProcess ? kOwnThread : pid * 10}));
    return tops_.back();
  }
  // A child in its parent's program and thread; `text` is its title or control text.
  WindowHandle AddChild(WindowHandle parent, std::string className = "", std::string text = "") {
    const WindowHandle child = New({parent,
                                    {},
                                    std::move(className),
                                    std::move(text),
                                    At(parent).processId,
                                    At(parent).threadId});
    At(parent).children.push_back(child);
    return child;
  }
  // A null entry in the list of top-level windows (the scan must skip it).
  void AddNullTopLevel() { tops_.push_back(kNoWindow); }
  Window& At(WindowHandle window) { return windows_[static_cast<std::uintptr_t>(window) - 0x100]; }
  // Destroys a window and its descendants.
  void Destroy(WindowHandle window) {
    At(window).exists = false;
    for (const WindowHandle child : At(window).children) Destroy(child);
  }

  // WindowSource
  void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) override {
    for (const WindowHandle top : std::vector<WindowHandle>(tops_))
      if (top == kNoWindow || At(top).exists) visit(top);
  }
  void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) override {
    if (At(top).exists) Walk(At(top).children, visit);
  }

  // WindowInspector
  std::optional<std::string> ClassName(WindowHandle window) override {
    const Window* w = Ask(window);
    if (!w) return std::nullopt;
    return w->className.substr(0, kClassNameCapacity - 1);
  }
  std::string Title(WindowHandle window) override {
    const Window* w = Ask(window);
    return w ? w->title : std::string();
  }
  WindowOwner Owner(WindowHandle window) override {
    const Window* w = Ask(window);
    return w ? WindowOwner{w->processId, w->threadId} : WindowOwner{};
  }
  bool Exists(WindowHandle window) override { return Ask(window) != nullptr; }
  std::unique_ptr<InputAttachment> AttachInput(WindowHandle window) override {
    const Window* w = Ask(window);
    if (!w || w->threadId == kOwnThread) return nullptr;
    return std::make_unique<InputAttachment>();
  }
  std::optional<std::string> ControlText(WindowHandle control) override {
    textsAsked.push_back(control);
    const Window* w = Ask(control);
    if (w && w->hung) nowMs += kAnswerLimitMs;
    if (!w || w->hung) return std::nullopt;
    return w->title;
  }
  std::uint32_t OwnProcessId() override { return kOwnProcess; }
  void PostCloseCommand(WindowHandle window) override {
    closeRequests.push_back(window);
    if (closeRequestsObeyed) Destroy(window);
  }
  std::uint64_t MonotonicMs() override { return nowMs; }

  // ProcessControl: ending a program destroys all its windows.
  std::unique_ptr<Process> Open(std::uint32_t processId) override {
    bool running = false;
    for (Window& w : windows_) {
      running = running || (w.processId == processId && w.exists);
      if (w.processId == processId && windowsGoWhenOpened) w.exists = false;
    }
    if (processId == 0 || unopenable.count(processId) || !running) return nullptr;
    return std::make_unique<FakeProcess>(*this, processId);
  }

  std::set<std::uint32_t> unopenable;       // processes that cannot be opened
  std::vector<std::uint32_t> ended;         // programs ended, in order
  std::vector<WindowHandle> closeRequests;  // windows asked to close, in order
  bool closeRequestsObeyed = false;         // a window asked to close goes at once
  bool windowsGoWhenOpened = false;         // a program's windows go as it is opened
  // The steady clock: only a control that does not answer moves it, by the answer limit.
  std::uint64_t nowMs = 0;
  std::vector<WindowHandle> textsAsked;  // the controls asked for their text, in order

 private:
  class FakeProcess final : public Process {
   public:
    FakeProcess(FakeDesktop& desktop, std::uint32_t id) : desktop_(desktop), id_(id) {}
    bool Terminate() override {
      desktop_.ended.push_back(id_);
      for (Window& w : desktop_.windows_)
        if (w.processId == id_) w.exists = false;
      return true;
    }

   private:
    FakeDesktop& desktop_;
    std::uint32_t id_;
  };

  // Handles start at 0x100 so that no window is ever the null handle.
  WindowHandle New(Window window) {
    windows_.push_back(std::move(window));
    return static_cast<WindowHandle>(windows_.size() - 1 + 0x100);
  }
  // The window asked about, or nullptr when it is gone (counting down questionsLeft).
  Window* Ask(WindowHandle window) {
    if (window == kNoWindow) return nullptr;
    Window& w = At(window);
    if (w.exists && w.questionsLeft >= 0 && w.questionsLeft-- == 0) Destroy(window);
    return w.exists ? &w : nullptr;
  }
  bool Walk(const std::vector<WindowHandle>& children, FunctionRef<bool(WindowHandle)> visit) {
    std::vector<WindowHandle> listed;  // the list as it stands when this level is reached
    for (const WindowHandle child : children)
      if (At(child).exists) listed.push_back(child);
    for (const WindowHandle child : listed)
      if (!visit(child) || !Walk(At(child).children, visit)) return false;
    return true;
  }

  std::vector<Window> windows_;
  std::vector<WindowHandle> tops_;
  std::uint32_t nextProcess_ = 100;
};

}  // namespace tevanor::testing
