#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace tevanor::win32 {

// Windows of another thread of this process: `make` creates them on a thread of their own,
// which then pumps messages, or, when `hang` is set, stops answering until the object goes.
// The thread's windows are destroyed with it.
class WindowThread {
 public:
  explicit WindowThread(std::function<void()> make, bool hang = false)
      : make_(std::move(make)), hang_(hang) {
    ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    release_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = ::CreateThread(nullptr, 0, &WindowThread::Run, this, 0, &id_);
    ::WaitForSingleObject(ready_, INFINITE);
  }
  ~WindowThread() {
    ::SetEvent(release_);
    ::PostThreadMessageW(id_, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    ::CloseHandle(ready_);
    ::CloseHandle(release_);
  }
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  DWORD id() const { return id_; }

 private:
  static DWORD WINAPI Run(void* context) {
    auto* self = static_cast<WindowThread*>(context);
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
    self->make_();
    ::SetEvent(self->ready_);
    if (self->hang_) {
      ::WaitForSingleObject(self->release_, INFINITE);
      return 0;
    }
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    return 0;
  }

  std::function<void()> make_;
  bool hang_;
  HANDLE ready_ = nullptr;
  HANDLE release_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD id_ = 0;
};

// Handles this thread's messages for `milliseconds`, or until `done` says so.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  MSG msg;
  while (!done()) {
    if (::GetTickCount64() > end) return false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(5);
  }
  return true;
}

}  // namespace tevanor::win32
