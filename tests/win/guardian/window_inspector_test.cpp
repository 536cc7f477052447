#include "platform/win32/window_inspector.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/process_control.h"
#include "platform/win32/window_handle.h"

namespace tevanor::win32 {
namespace {

// The windows of this thread; those of other programs are read by the end-to-end tests.
TEST(Win32WindowInspector, AnswersForWindowsUntilTheyAreGone) {
  Win32WindowInspector inspector;
  const HWND window = ::CreateWindowExW(
      0, L"STATIC", (L"T\u00EDtulo \u20AC \uFF4D " + std::wstring(700, L'x')).c_str(), 0, 0, 0, 100,
      100, nullptr, nullptr, nullptr, nullptr);
  const WindowHandle top = ToHandle(window);
  const WindowHandle edit = ToHandle(
      ::CreateWindowExW(0, L"Edit", L"adults only, se\u00F1or\r\n\u4E2D", WS_CHILD | ES_MULTILINE,
                        0, 0, 50, 50, window, nullptr, nullptr, nullptr));
  EXPECT_EQ(inspector.ClassName(top), "Static");
  EXPECT_EQ(inspector.ClassName(edit), "Edit");
  EXPECT_EQ(inspector.Title(top), "T\xEDtulo \x80 m " + std::string(700, 'x'));  // a look-alike m
  EXPECT_EQ(inspector.ControlText(edit), "adults only, se\xF1or\r\n?");
  EXPECT_EQ(inspector.Owner(edit).processId, ::GetCurrentProcessId());
  EXPECT_EQ(inspector.Owner(edit).threadId, ::GetCurrentThreadId());
  EXPECT_TRUE(inspector.Exists(edit));
  // The guardian never attaches to its own input, so it never reads its own controls.
  EXPECT_FALSE(inspector.AttachInput(top));

  ::DestroyWindow(window);
  EXPECT_FALSE(inspector.Exists(edit));
  EXPECT_EQ(inspector.ClassName(top), std::nullopt);
  EXPECT_EQ(inspector.Title(top), "");
  EXPECT_EQ(inspector.ControlText(edit), std::nullopt);
  // A gone window has no owner, and so no process to act on.
  EXPECT_EQ(inspector.Owner(top).processId, 0u);
  EXPECT_FALSE(Win32ProcessControl().Open(0));
}

}  // namespace
}  // namespace tevanor::win32
