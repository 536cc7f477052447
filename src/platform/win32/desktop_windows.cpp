#include "platform/win32/desktop_windows.h"

#include <windows.h>

#include "platform/win32/window_handle.h"

namespace tevanor::win32 {

void DesktopWindows::ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) {
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        (*reinterpret_cast<FunctionRef<void(WindowHandle)>*>(context))(ToHandle(window));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&visit));
}

void DesktopWindows::ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) {
  ::EnumChildWindows(
      ToHwnd(top),
      [](HWND window, LPARAM context) -> BOOL {
        return (*reinterpret_cast<FunctionRef<bool(WindowHandle)>*>(context))(ToHandle(window))
                   ? TRUE
                   : FALSE;
      },
      reinterpret_cast<LPARAM>(&visit));
}

}  // namespace tevanor::win32
