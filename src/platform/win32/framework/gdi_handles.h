#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {

struct BitmapTraits {
  using Handle = HBITMAP;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::DeleteObject(h) != 0; }
};

using UniqueBitmap = UniqueHandle<BitmapTraits>;

}  // namespace tevanor::win32
