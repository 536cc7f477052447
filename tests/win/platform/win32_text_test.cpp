// Other programs' UTF-16 texts as the lists see them: look-alike letters read as the letters
// they stand for, invisible characters as the soft hyphen the normal form removes.
#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/window_handle.h"
#include "platform/win32/window_inspector.h"

namespace tevanor::win32 {
namespace {

TEST(Win32Text, LookAlikeAndInvisibleCharactersOfAnEditControl) {
  const std::pair<std::wstring, std::string> cases[] = {
      {L"\u0430dults \u043Enly \u0101", "adults only a"},  // Cyrillic а, о; a with macron
      {L"\uFF50\uFF4F\uFF52\uFF4E\uFF4F \u24BC\u24C7\u24B6\u24C9\u24BE\u24C8", "porno GRATIS"},
      {L"\U0001D42F\U0001D422deos \u03A7\u03A7\u03A7", "videos XXX"},  // mathematical, Greek Χ
      {L"se\u200Bx\u2060o\u00AD po\u0301rno", "se\xADx\xADo\xAD po\xADrno"},
      {L"se\u00F1or \u20AC \u4E2D", "se\xF1or \x80 ?"},  // the code page's own stay
  };
  const HWND window =
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  const HWND edit =
      ::CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 50, 50, window, nullptr, nullptr, nullptr);
  Win32WindowInspector inspector;
  for (const auto& [wide, bytes] : cases) {
    ::SetWindowTextW(edit, wide.c_str());
    EXPECT_EQ(inspector.ControlText(ToHandle(edit)), bytes);
  }
  EXPECT_EQ(NarrowBestFit(L"x\xD800y"), "x?y");  // an unpaired surrogate
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace tevanor::win32
