#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/cp1252.h"
#include "text/look_alike.h"

namespace tevanor::win32 {

// The core's Windows-1252 texts for the wide APIs and back, whatever the system code page.
inline std::wstring Wide(std::string_view text) {
  const std::u16string utf16 = Cp1252ToUtf16(text);
  return {utf16.begin(), utf16.end()};
}

inline std::string Narrow(std::wstring_view text) {
  return Utf16ToCp1252({reinterpret_cast<const char16_t*>(text.data()), text.size()});
}

// A text read from another program, for the lists: characters of Windows-1252 stay, and one
// outside it becomes what it stands for (text/look_alike.h: "ｍＩＲＣ" → "mIRC", "ā" → "a", the
// Cyrillic "а" → "a", an invisible character the soft hyphen), so a disguised word still matches
// the lists. What has no reading becomes '?'. The table is the one the native tools use, so
// both builds read a text alike.
inline std::string NarrowBestFit(std::wstring_view text) {
  return Utf16ToCp1252Folded({reinterpret_cast<const char16_t*>(text.data()), text.size()});
}

}  // namespace tevanor::win32
