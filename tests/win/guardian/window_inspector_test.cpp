#include "platform/win32/window_inspector.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/process_control.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_handle.h"
#include "window_thread.h"

namespace tevanor::win32 {
namespace {

HWND MakeWindow(const wchar_t* windowClass, const std::wstring& text, HWND parent = nullptr) {
  return ::CreateWindowExW(0, windowClass, text.c_str(), parent ? WS_CHILD | ES_MULTILINE : 0, 0, 0,
                           100, 100, parent, nullptr, nullptr, nullptr);
}

TEST(Win32WindowInspector, AnswersForAnotherThreadsWindowsUntilTheyAreGone) {
  Win32WindowInspector inspector;
  WindowHandle top{};
  WindowHandle edit{};
  {
    const WindowThread thread([&] {
      const HWND window = MakeWindow(L"STATIC", L"T\u00EDtulo \u20AC " + std::wstring(700, L'x'));
      top = ToHandle(window);
      edit = ToHandle(MakeWindow(L"Edit", L"adults only, se\u00F1or\r\n\u4E2D", window));
    });
    EXPECT_EQ(inspector.ClassName(top), "Static");
    EXPECT_EQ(inspector.ClassName(edit), "Edit");
    EXPECT_EQ(inspector.Title(top), "T\xEDtulo \x80 " + std::string(700, 'x'));
    const WindowOwner owner = inspector.Owner(edit);
    EXPECT_EQ(owner.processId, ::GetCurrentProcessId());
    EXPECT_EQ(owner.threadId, thread.id());
    EXPECT_TRUE(inspector.Exists(edit));
    const auto attachment = inspector.AttachInput(top);
    ASSERT_TRUE(attachment);
    EXPECT_EQ(inspector.ControlText(edit), "adults only, se\xF1or\r\n?");
  }
  EXPECT_FALSE(inspector.Exists(top));
  EXPECT_EQ(inspector.ClassName(top), std::nullopt);
  EXPECT_EQ(inspector.Title(top), "");
  EXPECT_FALSE(inspector.AttachInput(top));
  EXPECT_EQ(inspector.ControlText(edit), std::nullopt);
  // A gone window has no owner, and no process to act on.
  EXPECT_EQ(inspector.Owner(top).processId, 0u);
  EXPECT_FALSE(Win32ProcessControl().Open(0));
}

TEST(Win32WindowInspector, OurOwnThreadsInputIsNeverAttached) {
  const UniqueWindow own(MakeWindow(L"STATIC", L"propia"));
  EXPECT_FALSE(Win32WindowInspector().AttachInput(ToHandle(own.get())));
}

}  // namespace
}  // namespace tevanor::win32
