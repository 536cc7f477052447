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

// A text read from another program, as the system's own ANSI conversion gives it: characters
// of Windows-1252 stay, and a look-alike outside it becomes its letter ("ｍＩＲＣ" → "MIRC",
// "ā" → "a"), so a disguised word still matches the lists. What has no look-alike becomes '?'.
inline std::string NarrowBestFit(std::wstring_view text) {
  if (text.empty()) return {};
  const int wide = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(1252, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return Narrow(text);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(1252, 0, text.data(), wide, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

}  // namespace tevanor::win32
