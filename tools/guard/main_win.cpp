// tevanor-guard: the guardian on this desktop with the real ports and no panel. It reads the
// profile, builds the lists from the data files beside the program, scans every 500 ms and
// prints one line per block (site text, time, cause, action; tab-separated UTF-8) until it is
// stopped. With --timing it also prints the length of every pass to standard error.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32/data_directory.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/page_source.h"
#include "platform/win32/process_control.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_inspector.h"
#include "platform/win32/window_timers.h"
#include "platform/win32/winsock_network.h"
#include "tools/guard/headless_guard.h"

namespace {

struct TimerTarget {
  tevanor::HeadlessGuard* guard = nullptr;
  bool timing = false;
};

LRESULT CALLBACK TimerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* target = reinterpret_cast<TimerTarget*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message != WM_TIMER || !target || !target->guard)
    return ::DefWindowProcW(window, message, wParam, lParam);
  const auto start = std::chrono::steady_clock::now();
  target->guard->OnTimer(static_cast<unsigned>(wParam));
  if (target->timing && wParam == tevanor::TIMER_SCAN) {
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "pass %.1f ms\n", took.count());
    std::fflush(stderr);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TimerTarget target;
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) != L"--timing") {
      std::fputs("usage: tevanor-guard [--timing]\n", stderr);
      return 2;
    }
    target.timing = true;
  }
  ::_setmode(::_fileno(stdout), _O_BINARY);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TimerWindow;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TevanorGuardTimers";
  ::RegisterClassW(&windowClass);
  const tevanor::win32::UniqueWindow window(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0,
                                                              0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                              windowClass.hInstance, nullptr));
  if (!window) {
    std::fputs("tevanor-guard: cannot create its timer window\n", stderr);
    return 1;
  }

  tevanor::win32::RegistryProfile profile;
  tevanor::win32::Win32DataDirectory files(tevanor::win32::Win32DataDirectory::ProgramDirectory());
  tevanor::win32::WindowTimers timers(window.get());
  tevanor::win32::DesktopWindows windows;
  tevanor::win32::Win32WindowInspector inspector;
  tevanor::win32::Win32ProcessControl processes;
  tevanor::win32::Win32PageSource pages;
  tevanor::win32::WinsockNetwork network;
  tevanor::win32::SystemClock clock;
  tevanor::HeadlessGuard guard(
      {profile, files, timers, windows, inspector, processes, pages, network, clock},
      [](const std::string& line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
      });
  target.guard = &guard;
  ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&target));
  guard.Start();

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
