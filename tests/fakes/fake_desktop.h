#pragma once

#include <cstdint>
#include <vector>

#include "guardian/window_source.h"

namespace tevanor::testing {

// A desktop of windows in memory. Top-level windows and each window's children are listed in
// creation order; descendants are visited depth first, a window before its children, as
// EnumChildWindows does.
class FakeDesktop final : public WindowSource {
 public:
  WindowHandle AddTopLevel() {
    const WindowHandle window = NewWindow(kNoWindow);
    tops_.push_back(window);
    return window;
  }
  WindowHandle AddChild(WindowHandle parent) {
    const WindowHandle window = NewWindow(parent);
    windows_[Index(parent)].children.push_back(window);
    return window;
  }
  // A null entry in the list of top-level windows (the scan must skip it).
  void AddNullTopLevel() { tops_.push_back(kNoWindow); }
  WindowHandle Parent(WindowHandle window) const { return windows_[Index(window)].parent; }

  void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) override {
    for (std::size_t i = 0; i < tops_.size(); ++i) visit(tops_[i]);
  }
  void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) override {
    Walk(top, visit);
  }

 private:
  struct Node {
    WindowHandle parent;
    std::vector<WindowHandle> children;
  };
  // Handles start at 0x100 so that no window is ever the null handle.
  static std::size_t Index(WindowHandle w) { return static_cast<std::uintptr_t>(w) - 0x100; }
  WindowHandle NewWindow(WindowHandle parent) {
    windows_.push_back({parent, {}});
    return static_cast<WindowHandle>(windows_.size() - 1 + 0x100);
  }
  bool Walk(WindowHandle parent, FunctionRef<bool(WindowHandle)> visit) {
    for (const WindowHandle child : windows_[Index(parent)].children)
      if (!visit(child) || !Walk(child, visit)) return false;
    return true;
  }

  std::vector<Node> windows_;
  std::vector<WindowHandle> tops_;
};

}  // namespace tevanor::testing
