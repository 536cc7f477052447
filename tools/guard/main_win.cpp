// tevanor-guard: the guardian on this desktop with the real ports and no panel. It reads the
// profile, builds the lists from the data files beside the program, scans every 500 ms and
// prints one line per block (site text, time, cause, action; tab-separated UTF-8) until it is
// stopped. With --timing it also prints the length of every pass to standard error.
#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/win32/registry_profile.h"
#include "platform/win32/system_ports.h"
#include "platform/win32/timer_window.h"
#include "tools/guard/headless_guard.h"

int wmain(int argc, wchar_t** argv) {
  bool timing = false;
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) != L"--timing") {
      std::fputs("usage: tevanor-guard [--timing]\n", stderr);
      return 2;
    }
    timing = true;
  }
  ::_setmode(::_fileno(stdout), _O_BINARY);

  tevanor::HeadlessGuard* guardian = nullptr;
  tevanor::win32::TimerWindow window([&](unsigned id) {
    const auto start = std::chrono::steady_clock::now();
    if (guardian) guardian->OnTimer(id);
    if (timing && id == tevanor::TIMER_SCAN) {
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      std::fprintf(stderr, "pass %.1f ms\n", took.count());
      std::fflush(stderr);
    }
  });
  if (!window.IsValid()) {
    std::fputs("tevanor-guard: cannot create its timer window\n", stderr);
    return 1;
  }

  tevanor::win32::RegistryProfile profile;
  tevanor::win32::Win32SystemPorts system(profile);
  tevanor::HeadlessGuard guard(system.Ports(), window.Timers(), [](const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  });
  guardian = &guard;
  guard.Start();
  tevanor::win32::TimerWindow::RunMessageLoop();
  return 0;
}
