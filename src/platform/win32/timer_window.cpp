#include "platform/win32/timer_window.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_timers.h"

namespace tevanor::win32 {

namespace {

constexpr const wchar_t* kClassName = L"TevanorTimerWindow";

}  // namespace

struct TimerWindow::Window {
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_TIMER || !self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    self->onTimer(static_cast<unsigned>(wParam));
    return 0;
  }

  explicit Window(std::function<void(unsigned)> callback) : onTimer(std::move(callback)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);  // fails harmlessly when the class exists already
    handle.reset(::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   windowClass.hInstance, nullptr));
    if (handle) ::SetWindowLongPtrW(handle.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    timers = WindowTimers(handle.get());
  }

  std::function<void(unsigned)> onTimer;
  UniqueWindow handle;
  WindowTimers timers{nullptr};
};

TimerWindow::TimerWindow(std::function<void(unsigned)> onTimer)
    : window_(std::make_unique<Window>(std::move(onTimer))) {}

TimerWindow::~TimerWindow() = default;

bool TimerWindow::IsValid() const {
  return static_cast<bool>(window_->handle);
}

TimerService& TimerWindow::Timers() {
  return window_->timers;
}

void TimerWindow::RunMessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
}

}  // namespace tevanor::win32
