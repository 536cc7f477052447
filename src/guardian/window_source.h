#pragma once

#include <cstdint>

#include "base/function_ref.h"

namespace tevanor {

// A window of any program on the desktop, as an opaque value; 0 is no window.
enum class WindowHandle : std::uintptr_t {};
inline constexpr WindowHandle kNoWindow{};

// The desktop's windows in the order the system lists them.
class WindowSource {
 public:
  virtual ~WindowSource() = default;
  virtual void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) = 0;
  // Every descendant of `top` (children, grandchildren, ...) until `visit` returns false.
  virtual void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) = 0;
};

}  // namespace tevanor
