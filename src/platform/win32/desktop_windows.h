#pragma once

#include "guardian/window_source.h"

namespace tevanor::win32 {

// The desktop's windows through EnumWindows and EnumChildWindows (which lists every
// descendant, not only direct children).
class DesktopWindows final : public WindowSource {
 public:
  void ForEachTopLevel(FunctionRef<void(WindowHandle)> visit) override;
  void ForEachDescendant(WindowHandle top, FunctionRef<bool(WindowHandle)> visit) override;
};

}  // namespace tevanor::win32
