// Measures the headless guardian on a real desktop; prints numbers, asserts nothing.
//   1. Block latency: a forbidden phrase is put into a running notepad's edit control
//      (WM_SETTEXT), and the time until the notepad's process is gone is taken, N times; and
//      the time from a Chrome-like frame with a forbidden title being ready to its close.
//   2. Pass lengths (tevanor-guard --timing): with nothing to inspect, with ten browser frames
//      that do not change (the test helper's Chrome-like frames), and with a hung edit control
//      and a hung browser window on the desktop.
// Run it on a Wine virtual desktop:
//   explorer /desktop=tevanor-e2e,1024x768 e2e_latency.exe [N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "e2e_support.h"

namespace {

using namespace tevanor::e2e;
using Clock = std::chrono::steady_clock;

void PrintSpread(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  if (values.empty())
    std::printf("%s: no values\n", what);
  else
    std::printf("%s: n=%zu median %.1f ms, best %.1f ms, worst %.1f ms\n", what, values.size(),
                values[values.size() / 2], values.front(), values.back());
}

// A hung edit control holding `text` and a hung browser window. A hung program never waits
// for input: Ready() looks for their windows instead.
struct HungPrograms {
  explicit HungPrograms(const std::wstring& text)
      : edit(HelperCommand({L"hung-edit", L"Editor colgado", text})),
        browser(HelperCommand({L"hung-browser", L"Navegador colgado"})) {}
  bool Ready(DWORD ms) const {
    return WaitUntil(
        [] {
          return ::FindWindowW(nullptr, L"Editor colgado") &&
                 ::FindWindowW(nullptr, L"Navegador colgado");
        },
        ms);
  }
  Program edit, browser;
};

// The lengths of the passes the guardian reports during the next `ms` milliseconds.
std::vector<double> PassTimes(const GuardRun& run, DWORD ms) {
  const std::size_t from = run.Output().size();
  ::Sleep(ms);
  const std::vector<std::string> lines = run.Output();
  std::vector<double> times;
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind("pass ", 0) == 0) times.push_back(std::atof(lines[i].c_str() + 5));
  return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int blocks = argc > 1 ? std::max(1, _wtoi(argv[1])) : 25;
  const GuardRun run({}, L"--timing");

  std::vector<double> latencies;
  for (int i = 0; i < blocks; ++i) {
    const Program notepad(NotepadCommand("nada que ver"));
    const HWND top = notepad.Ready(kDeadline) ? ::FindWindowW(L"Notepad", nullptr) : nullptr;
    const HWND edit = top ? ::FindWindowExW(top, nullptr, L"Edit", nullptr) : nullptr;
    DWORD_PTR result = 0;
    const bool shown =
        edit && ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"adults only"),
                                      SMTO_ABORTIFHUNG, 5000, &result);
    const auto start = Clock::now();
    if (shown && notepad.WaitForExit(kDeadline))
      latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    else
      std::printf("block %d: %s\n", i + 1, shown ? "not blocked in 30 s" : "no notepad to type in");
  }
  PrintSpread("block latency (phrase shown -> process gone)", latencies);

  // A browser frame that opens on a forbidden title, from its window being ready to its close.
  std::vector<double> frameLatencies;
  for (int i = 0; i < blocks; ++i) {
    const Program frame(HelperCommand({L"chrome-frame", L"Videos porno gratis - Google Chrome",
                                       L"https://www.noticias.example/", L"hoy"}));
    const bool ready = frame.Ready(kDeadline);
    const auto start = Clock::now();
    if (ready && frame.WaitForExit(kDeadline))
      frameLatencies.push_back(
          std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    else
      std::printf("frame %d: %s\n", i + 1, ready ? "not closed in 30 s" : "no frame");
  }
  PrintSpread("frame latency (frame with a forbidden title ready -> closed)", frameLatencies);

  PrintSpread("pass length, nothing to inspect", PassTimes(run, 5000));
  {
    std::vector<std::unique_ptr<Program>> frames;
    for (int i = 0; i < 10; ++i)
      frames.push_back(std::make_unique<Program>(
          HelperCommand({L"chrome-frame", L"Noticias " + std::to_wstring(i),
                         L"https://www.noticias.example/", L"hoy", L"llueve"})));
    for (const auto& frame : frames) frame->Ready(kDeadline);
    ::Sleep(4000);  // their first reads
    // A page's text is read again every few seconds: most passes only read the addresses.
    PrintSpread("pass length, 10 unchanged browser frames", PassTimes(run, 9000));
  }
  const HungPrograms hung(L"texto");
  hung.Ready(kDeadline);
  PrintSpread("pass length, first 6 s with a hung edit control and a hung browser",
              PassTimes(run, 6000));
  PrintSpread("pass length, the 6 s after that", PassTimes(run, 6000));
  std::fflush(stdout);
  return 0;
}
