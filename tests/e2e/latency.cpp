// Measures the headless guardian on a real desktop; prints numbers, asserts nothing.
//   1. Block latency: a forbidden phrase is put into a running notepad's edit control
//      (WM_SETTEXT), and the time until the notepad's process is gone is taken, N times.
//   2. Pass lengths (tevanor-guard --timing): with nothing to inspect, with one browser page of
//      two frames (documents read from another process), and with a hung edit control and a
//      hung browser window on the desktop.
// Run it on a Wine virtual desktop:
//   explorer /desktop=tevanor-e2e,1024x768 e2e_latency.exe [N]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace {

using namespace std::chrono_literals;
using tevanor::e2e::Clock;
using tevanor::e2e::GuardRun;

void PrintSpread(const char* what, std::vector<double> values) {
  if (values.empty()) {
    std::printf("%s: no values\n", what);
    return;
  }
  std::sort(values.begin(), values.end());
  std::printf("%s: n=%zu median %.1f ms, best %.1f ms, worst %.1f ms\n", what, values.size(),
              values[values.size() / 2], values.front(), values.back());
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Pass lengths printed by the guardian since line `from`.
std::vector<double> PassTimes(const GuardRun& run, std::size_t from) {
  std::vector<double> times;
  const auto lines = run.Lines(/*errors=*/true);
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].text.rfind("pass ", 0) == 0) times.push_back(std::atof(lines[i].text.c_str() + 5));
  return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int blocks = argc > 1 ? std::max(1, _wtoi(argv[1])) : 25;
  GuardRun run({}, {}, L"--timing");

  std::vector<double> latencies;
  for (int i = 0; i < blocks; ++i) {
    const auto notepad = tevanor::e2e::StartNotepad(run.directory(), "nada que ver");
    const HWND top = notepad ? notepad->WaitForWindow(L".txt", 30s) : nullptr;
    const HWND edit = top ? ::FindWindowExW(top, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) {
      std::printf("block %d: notepad did not come up\n", i + 1);
      continue;
    }
    ::WaitForInputIdle(notepad->handle(), 5000);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"adults only"),
                          SMTO_ABORTIFHUNG, 5000, &result);
    const auto shown = Clock::now();
    if (!notepad->WaitForExit(30s)) {
      std::printf("block %d: not blocked within 30 s\n", i + 1);
      continue;
    }
    latencies.push_back(Milliseconds(Clock::now() - shown));
  }
  PrintSpread("block latency (phrase shown -> process gone)", latencies);

  const std::size_t calm = run.Lines(true).size();
  ::Sleep(5000);
  PrintSpread("pass length, nothing to inspect", PassTimes(run, calm));
  {
    const auto browser = tevanor::e2e::StartHelper({L"browser", L"IEFrame", L"Noticias",
                                                    L"http://www.noticias.example/", L"portada",
                                                    L"marco uno", L"marco dos"});
    browser->WaitForWindow(L"Noticias", 30s);
    ::Sleep(1000);
    const std::size_t from = run.Lines(true).size();
    ::Sleep(5000);
    PrintSpread("pass length, one browser page with two frames", PassTimes(run, from));
  }
  const auto hungEdit = tevanor::e2e::StartHelper({L"hung-edit", L"Editor colgado", L"texto"});
  const auto hungBrowser = tevanor::e2e::StartHelper({L"hung-browser", L"Navegador colgado"});
  hungEdit->WaitForWindow(L"Editor colgado", 30s);
  hungBrowser->WaitForWindow(L"Navegador colgado", 30s);
  const std::size_t hungFrom = run.Lines(true).size();
  ::Sleep(6000);
  const std::size_t hungLater = run.Lines(true).size();
  PrintSpread("pass length, first 6 s with a hung edit control and a hung browser",
              PassTimes(run, hungFrom));
  ::Sleep(6000);
  PrintSpread("pass length, the 6 s after that", PassTimes(run, hungLater));
  std::fflush(stdout);
  return 0;
}
