// The real screen as a person meets it: acting on dialogs and capturing them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/framework/win32_dialog_host.h"
#include "window_capture.h"

namespace tevanor::testing {

// Copies the window as the screen shows it into NAME.png in the directory that the variable
// TEVANOR_SCREENSHOTS names, for a person to look at. A capture without a window fails.
inline void Capture(HWND window, const std::string& name) {
  wchar_t directory[MAX_PATH] = {};
  std::wstring path;
  if (::GetEnvironmentVariableW(L"TEVANOR_SCREENSHOTS", directory, MAX_PATH) != 0) {
    ::CreateDirectoryW(directory, nullptr);
    path = directory + (L"/" + std::wstring(name.begin(), name.end()) + L".png");
  }
  const std::optional<std::size_t> colours = CaptureWindow(window, path);
  ASSERT_TRUE(colours.has_value()) << name;
  // A window on screen has a frame, a caption, text and pictures: many colours.
  EXPECT_GT(*colours, 16u) << name;
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
