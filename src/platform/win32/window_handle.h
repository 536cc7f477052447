#pragma once

#include <windows.h>

#include <cstdint>

#include "guardian/window_source.h"

namespace tevanor::win32 {

// The core's opaque window handle and the system's HWND, one for the other.
inline WindowHandle ToHandle(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

}  // namespace tevanor::win32
