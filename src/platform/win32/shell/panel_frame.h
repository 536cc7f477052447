#pragma once

#include <windows.h>

#include "platform/win32/shell/panel_window.h"
#include "shell/panel_frame.h"

namespace tevanor::win32 {

// The panel's frame on Win32: icons from the module's resources, the system menu, the window
// rectangle in screen pixels, and the activation calls.
class Win32PanelFrame final : public PanelFrame {
 public:
  Win32PanelFrame(const PanelWindow& window, HINSTANCE resources, int iconId)
      : window_(window), resources_(resources), iconId_(iconId) {}

  void SetMainIcon() override;
  void AppendSystemMenuItem(unsigned command, std::string_view text) override;
  ScreenRect Rect() override;
  void MoveTo(const ScreenRect& rect) override;
  void BringToFront() override;

 private:
  const PanelWindow& window_;
  HINSTANCE resources_;
  int iconId_;
};

}  // namespace tevanor::win32
