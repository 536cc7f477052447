#pragma once

#include <windows.h>

#include "framework/dialog.h"
#include "platform/win32/framework/win32_dialog_host.h"

namespace tevanor::win32 {

// The window that the shell adapters act for: bound to the panel once the panel exists, and
// resolved at each call, since the window comes and goes with the dialog.
class PanelWindow {
 public:
  void Bind(const Dialog& panel) { panel_ = &panel; }
  HWND hwnd() const { return panel_ != nullptr ? Win32DialogHost::WindowOf(*panel_) : nullptr; }

 private:
  const Dialog* panel_ = nullptr;
};

}  // namespace tevanor::win32
