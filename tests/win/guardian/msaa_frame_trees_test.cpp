#include "platform/win32/msaa_frame_trees.h"

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <future>
#include <thread>

#include "accessible_tree.h"
#include "guardian/browser_frames.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/window_inspector.h"

namespace tevanor::win32 {
namespace {

using helpers::AccessibleNode;

// A browser's frame window on a thread of its own (a single-threaded apartment, as a browser's
// window thread), serving `tree` (none when null) until the program ends. Its calls reach the
// tree through COM's marshalling, as those of another program do.
HWND ServeOnThread(std::optional<AccessibleNode> tree, bool hang) {
  std::promise<HWND> made;
  std::thread([&made, tree = std::move(tree), hang]() mutable {
    ::CoInitialize(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.lpszClassName = L"Chrome_WidgetWin_1";
    ::RegisterClassW(&windowClass);  // fails harmlessly once the class is there
    HWND frame = ::CreateWindowExW(0, windowClass.lpszClassName, L"Marco", WS_OVERLAPPEDWINDOW, 0,
                                   0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    if (tree) helpers::ServeAccessibleTree(frame, std::move(*tree), hang);
    made.set_value(frame);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  }).detach();
  return made.get_future().get();
}

std::string Describe(const FrameContent* content) {
  return content ? content->address + " | " + content->pageText : "overran";
}

TEST(MsaaFrameTrees, ReadsAnotherApartmentsTreeAndGivesUpOnAHungOne) {
  MsaaFrameTrees trees;
  Win32WindowInspector windows;
  BrowserFrames frames(trees, windows);
  const HWND page = ServeOnThread(helpers::BrowserTree(L"V\u00EDdeos", L"https://es.x.example/v",
                                                       {L"videos ", L"porno", L" gratis \u20AC"}),
                                  false);
  const HWND bare = ServeOnThread(std::nullopt, false);
  const HWND hung =
      ServeOnThread(helpers::BrowserTree(L"Colgado", L"https://h.example/", {}), true);
  const std::string read = "https://es.x.example/v | videos porno gratis \x80\nInicio\n";

  EXPECT_EQ(Describe(frames.Read(ToHandle(page), "V")), read);
  EXPECT_EQ(Describe(frames.Read(ToHandle(bare), "V")), " | ");
  EXPECT_EQ(Describe(frames.Read(ToHandle(hung), "V")), "overran");
  EXPECT_TRUE(trees.Hangs(ToHandle(hung)));
  EXPECT_EQ(Describe(frames.Read(ToHandle(hung), "V")), "overran");  // not asked: it hangs
  // The other frames are still read, on threads of their own.
  EXPECT_EQ(Describe(frames.Read(ToHandle(page), "Otro")), read);
  EXPECT_FALSE(trees.Hangs(ToHandle(page)));
}

}  // namespace
}  // namespace tevanor::win32
