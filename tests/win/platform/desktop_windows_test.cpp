#include "platform/win32/desktop_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {
namespace {

WindowHandle ToHandle(HWND w) {
  return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(w));
}

class DesktopWindowsTest : public ::testing::Test {
 protected:
  static HWND Create(HWND parent) {
    return ::CreateWindowExW(0, L"STATIC", L"tevanor test", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0,
                             10, 10, parent, nullptr, nullptr, nullptr);
  }
  // Children are destroyed with their parent.
  UniqueWindow top{Create(nullptr)};
  HWND first = Create(top.get());
  HWND firstChild = Create(first);
  HWND firstGrandchild = Create(firstChild);
  HWND second = Create(top.get());
  DesktopWindows desktop;
};

TEST_F(DesktopWindowsTest, ListsTheTestWindowAmongTheTopLevelWindows) {
  std::vector<WindowHandle> tops;
  desktop.ForEachTopLevel([&](WindowHandle w) { tops.push_back(w); });
  EXPECT_NE(std::find(tops.begin(), tops.end(), ToHandle(top.get())), tops.end());
  EXPECT_EQ(std::find(tops.begin(), tops.end(), ToHandle(first)), tops.end());
}

TEST_F(DesktopWindowsTest, ListsEveryDescendantDepthFirstInCreationOrder) {
  std::vector<WindowHandle> found;
  desktop.ForEachDescendant(ToHandle(top.get()), [&](WindowHandle w) {
    found.push_back(w);
    return true;
  });
  EXPECT_EQ(found, (std::vector<WindowHandle>{ToHandle(first), ToHandle(firstChild),
                                              ToHandle(firstGrandchild), ToHandle(second)}));
}

TEST_F(DesktopWindowsTest, StopsWhenTheVisitorSaysSo) {
  std::vector<WindowHandle> found;
  desktop.ForEachDescendant(ToHandle(top.get()), [&](WindowHandle w) {
    found.push_back(w);
    return w != ToHandle(firstChild);
  });
  EXPECT_EQ(found, (std::vector<WindowHandle>{ToHandle(first), ToHandle(firstChild)}));
}

}  // namespace
}  // namespace tevanor::win32
