#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/cp1252.h"

namespace tevanor::win32 {

// The core's Windows-1252 texts for the wide APIs and back, whatever the system code page.
inline std::wstring Wide(std::string_view text) {
  const std::u16string utf16 = Cp1252ToUtf16(text);
  return {utf16.begin(), utf16.end()};
}

inline std::string Narrow(std::wstring_view text) {
  return Utf16ToCp1252({reinterpret_cast<const char16_t*>(text.data()), text.size()});
}

}  // namespace tevanor::win32
