#include "platform/win32/shell/panel_frame.h"

#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

void Win32PanelFrame::SetMainIcon() {
  HWND window = window_.hwnd();
  // Shared icons belong to the system's cache: nothing to release.
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
    const int size = ::GetSystemMetrics(metric);
    HANDLE icon =
        ::LoadImageW(resources_, MAKEINTRESOURCEW(iconId_), IMAGE_ICON, size, size, LR_SHARED);
    if (icon != nullptr) ::SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

void Win32PanelFrame::AppendSystemMenuItem(unsigned command, std::string_view text) {
  HMENU menu = ::GetSystemMenu(window_.hwnd(), FALSE);
  if (menu == nullptr || text.empty()) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, command, Wide(text).c_str());
}

ScreenRect Win32PanelFrame::Rect() {
  RECT rect{};
  ::GetWindowRect(window_.hwnd(), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

void Win32PanelFrame::MoveTo(const ScreenRect& rect) {
  ::MoveWindow(window_.hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
}

void Win32PanelFrame::BringToFront() {
  HWND window = window_.hwnd();
  ::BringWindowToTop(window);
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
}

}  // namespace tevanor::win32
