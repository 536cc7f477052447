#include "platform/win32/window_inspector.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_handle.h"
#include "window_thread.h"

namespace tevanor::win32 {
namespace {

HWND MakeTop(const wchar_t* title) {
  return ::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, nullptr);
}

HWND MakeEdit(HWND parent, const wchar_t* text) {
  return ::CreateWindowExW(0, L"Edit", text, WS_CHILD | ES_MULTILINE, 0, 0, 50, 50, parent, nullptr,
                           nullptr, nullptr);
}

class WindowInspectorTest : public ::testing::Test {
 protected:
  Win32WindowInspector inspector;
  HWND top = nullptr;
  HWND edit = nullptr;
};

TEST_F(WindowInspectorTest, AnswersForAnotherThreadsWindowsUntilTheyAreGone) {
  const std::wstring longTitle(700, L'x');
  {
    WindowThread thread([&] {
      top = MakeTop((L"T\u00EDtulo \u20AC " + longTitle).c_str());
      edit = MakeEdit(top, L"adults only, se\u00F1or\r\n\u4E2D");
    });
    EXPECT_EQ(inspector.ClassName(ToHandle(top)), "Static");
    EXPECT_EQ(inspector.ClassName(ToHandle(edit)), "Edit");
    EXPECT_EQ(inspector.Title(ToHandle(top)), "T\xEDtulo \x80 " + std::string(700, 'x'));
    const WindowOwner owner = inspector.Owner(ToHandle(edit));
    EXPECT_EQ(owner.processId, ::GetCurrentProcessId());
    EXPECT_EQ(owner.threadId, thread.id());
    EXPECT_TRUE(inspector.Exists(ToHandle(edit)));
    {
      const auto attachment = inspector.AttachInput(ToHandle(top));
      ASSERT_TRUE(attachment);
      EXPECT_EQ(inspector.ControlText(ToHandle(edit)), "adults only, se\xF1or\r\n?");
    }
  }
  EXPECT_FALSE(inspector.Exists(ToHandle(top)));
  EXPECT_EQ(inspector.ClassName(ToHandle(top)), std::nullopt);
  EXPECT_EQ(inspector.Title(ToHandle(top)), "");
  EXPECT_EQ(inspector.Owner(ToHandle(top)).processId, 0u);
  EXPECT_FALSE(inspector.AttachInput(ToHandle(top)));
  EXPECT_EQ(inspector.ControlText(ToHandle(edit)), std::nullopt);
}

TEST_F(WindowInspectorTest, OurOwnThreadsInputIsNeverAttached) {
  const UniqueWindow own(MakeTop(L"propia"));
  EXPECT_FALSE(inspector.AttachInput(ToHandle(own.get())));
}

TEST_F(WindowInspectorTest, AHungControlIsGivenUpWhileItsTopStillAnswers) {
  const WindowThread hung(
      [&] {
        top = MakeTop(L"colgada");
        edit = MakeEdit(top, L"adults only");
      },
      /*hang=*/true);
  EXPECT_EQ(inspector.ControlText(ToHandle(edit)), std::nullopt);
  EXPECT_EQ(inspector.Title(ToHandle(top)), "colgada");
  EXPECT_EQ(inspector.ClassName(ToHandle(edit)), "Edit");
}

TEST_F(WindowInspectorTest, TheCloseCommandClosesTheWindow) {
  const WindowThread thread([&] {
    top = ::CreateWindowExW(0, L"Edit", L"cerrar", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                            nullptr, nullptr, nullptr);
  });
  ASSERT_TRUE(inspector.Exists(ToHandle(top)));
  inspector.PostCloseCommand(ToHandle(top));
  EXPECT_TRUE(PumpUntil([&] { return !inspector.Exists(ToHandle(top)); }));
}

}  // namespace
}  // namespace tevanor::win32
