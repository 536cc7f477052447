// The real screen as a person meets it: acting on dialogs and capturing them.
#pragma once

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <objidl.h>  // for gdiplus.h, which the lean windows.h leaves without it
#include <gdiplus.h>
// clang-format on

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/framework/gdi_handles.h"
#include "platform/win32/framework/win32_dialog_host.h"

namespace tevanor::testing {

// Puts the window above every other and repaints it. Wine shows what was painted only once
// the message loop has run for a moment, so capture it later.
inline void BringForward(HWND window) {
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(window);
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Copies the window as the screen shows it into NAME.png in the directory that the variable
// TEVANOR_SCREENSHOTS names, for a person to look at. A capture without a window fails.
inline void Capture(HWND window, const std::string& name) {
  RECT frame{};
  ASSERT_TRUE(::GetWindowRect(window, &frame)) << name;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win32::UniqueBitmap picture(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(picture) << name;
  const auto release = [](HDC dc) { ::ReleaseDC(nullptr, dc); };
  std::unique_ptr<HDC__, decltype(release)> screen(::GetDC(nullptr), release);
  std::unique_ptr<HDC__, decltype(&::DeleteDC)> memory(::CreateCompatibleDC(screen.get()),
                                                       ::DeleteDC);
  HGDIOBJ before = ::SelectObject(memory.get(), picture.get());
  ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
  ::SelectObject(memory.get(), before);
  ::GdiFlush();
  // A window on screen has a frame, a caption, text and pictures: many colours.
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  EXPECT_GT(std::set<std::uint32_t>(pixels, pixels + width * height).size(), 16u) << name;

  wchar_t directory[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"TEVANOR_SCREENSHOTS", directory, MAX_PATH) == 0) return;
  ::CreateDirectoryW(directory, nullptr);
  const std::wstring path = directory + (L"/" + std::wstring(name.begin(), name.end()) + L".png");
  const CLSID kPngEncoder = {
      0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  EXPECT_EQ(Gdiplus::Bitmap(picture.get(), nullptr).Save(path.c_str(), &kPngEncoder, nullptr),
            Gdiplus::Ok)
      << name;
  Gdiplus::GdiplusShutdown(token);
}

// Acts on a modal dialog while its loop runs, as a person does: the steps run one at a time on
// the dialog's window, from a timer that every message loop of the thread dispatches, message
// boxes' included. Steps post what they do, so that a message box they open does not hold up
// the next step. The dialog is first brought forward.
class DialogDriver {
 public:
  using Step = std::function<void(HWND)>;

  DialogDriver(const Dialog& dialog, std::vector<Step> steps)
      : dialog_(dialog),
        steps_(std::move(steps)),
        window_(::CreateWindowW(L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {
    steps_.insert(steps_.begin(), BringForward);
    ::SetTimer(window_.get(), reinterpret_cast<UINT_PTR>(this), 150, Tick);
  }
  bool done() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR self, DWORD) {
    auto& driver = *reinterpret_cast<DialogDriver*>(self);
    if (!driver.done())
      driver.steps_[driver.next_++](win32::Win32DialogHost::WindowOf(driver.dialog_));
  }

  const Dialog& dialog_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  win32::UniqueWindow window_;  // the timer goes with it
};

inline DialogDriver::Step Type(int id, std::wstring text) {
  return [=](HWND dialog) { ::SetDlgItemTextW(dialog, id, text.c_str()); };
}
inline DialogDriver::Step Click(int id) {
  return [=](HWND dialog) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
}
// Into the control that has the focus, through the message loop, as typed.
inline DialogDriver::Step Key(UINT virtualKey) {
  return [=](HWND) { ::PostMessageW(::GetFocus(), WM_KEYDOWN, virtualKey, 1); };
}
inline DialogDriver::Step Shoot(std::string name) {
  return [=](HWND dialog) { Capture(dialog, name); };
}

}  // namespace tevanor::testing
