#pragma once

#include <string_view>

namespace tevanor {

// A window's place on the screen, in pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// What the panel does to its own frame beyond the dialog framework: its icon, its system menu,
// its place on the screen and its standing among the desktop's windows.
class PanelFrame {
 public:
  virtual ~PanelFrame() = default;
  // The program's icon as the window's large and small icon.
  virtual void SetMainIcon() = 0;
  // A separator, then `text` with `command` at the end of the system menu.
  virtual void AppendSystemMenuItem(unsigned command, std::string_view text) = 0;
  virtual ScreenRect Rect() = 0;
  virtual void MoveTo(const ScreenRect& rect) = 0;
  // Raises the window to the top, makes it the foreground and the active window.
  virtual void BringToFront() = 0;
};

}  // namespace tevanor
