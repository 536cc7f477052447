#pragma once

#include <windows.h>

#include <functional>
#include <future>
#include <thread>

namespace tevanor::win32 {

// Windows of another thread of this process: `make` creates them on a thread of its own, which
// handles their messages until the object goes, and its windows with it.
class WindowThread {
 public:
  explicit WindowThread(const std::function<void()>& make) {
    std::promise<DWORD> started;
    thread_ = std::thread([&] {
      MSG msg;
      ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the id is known
      make();
      started.set_value(::GetCurrentThreadId());
      while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    });
    id_ = started.get_future().get();
  }
  ~WindowThread() {
    ::PostThreadMessageW(id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  DWORD id() const { return id_; }

 private:
  std::thread thread_;
  DWORD id_ = 0;
};

}  // namespace tevanor::win32
