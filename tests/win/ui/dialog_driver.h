#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tevanor::testing {

// Acts on dialogs the way a user does, through window messages, while a modal loop runs: the
// steps run one at a time from a timer of a hidden window, which every message loop of the
// thread dispatches, message boxes' included.
class DialogDriver {
 public:
  using Step = std::function<void()>;

  explicit DialogDriver(std::vector<Step> steps, UINT intervalMs = 150);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool done() const { return next_ == steps_.size(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Tick();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool running_ = false;
  win32::UniqueWindow window_;
};

// What a user does to a dialog window.
void TypeInto(HWND dialog, int editId, const std::wstring& text);
void ClickButton(HWND dialog, int buttonId);
void PressKey(HWND dialog, UINT virtualKey);  // through the message loop, as typed
void CloseFromSystemMenu(HWND dialog);        // the close box or Alt+F4
// The dialog or message box that `owner` has up, or nullptr; a message box's text; answering it.
HWND MessageBoxOf(HWND owner);
std::wstring MessageBoxText(HWND box);
void AnswerMessageBox(HWND box, int button);
std::wstring TextOf(HWND window);

}  // namespace tevanor::testing
