// Measures what Tevanor.exe costs a desktop; prints numbers, asserts nothing.
//   1. Memory (private bytes and working set) after the start, and after 100 blocks.
//   2. An idle minute with about 30 ordinary windows open and nothing to block, between the
//      lines "idle: begin" and "idle: end". Wine reports no processor time for another
//      process: scripts/measure-footprint.sh reads the program's time from the system between
//      those two lines.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>
#include <memory>
#include <vector>

#include "tevanor_run.h"

namespace {

using namespace tevanor::e2e;

void PrintMemory(HANDLE process, const char* when) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
    std::printf("memory %s: cannot be read\n", when);
    return;
  }
  // Wine leaves PrivateUsage at 0; the commit charge (PagefileUsage) is the same figure on Windows.
  std::printf("memory %s: private bytes %.1f MiB (commit %.1f MiB), working set %.1f MiB\n", when,
              counters.PrivateUsage / 1048576.0, counters.PagefileUsage / 1048576.0,
              counters.WorkingSetSize / 1048576.0);
}

}  // namespace

int wmain() {
  ResetProfile(Profile::kPasswordStored);
  const TevanorRun run;
  HWND panel = nullptr;
  if (!WaitUntil([&] { return (panel = Panel()) != nullptr; }, kDeadline)) {
    std::puts("Tevanor did not start");
    return 1;
  }
  DWORD pid = 0;
  ::GetWindowThreadProcessId(panel, &pid);
  const tevanor::win32::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  ::Sleep(3'000);
  PrintMemory(process.get(), "after the start");

  for (int i = 1; i <= 100; ++i) {
    const Program chat(
        HelperCommand({L"window", L"#sala" + std::to_wstring(i) + L" - mIRC", L"Static"}));
    const std::wstring caption =
        L"Tevanor - vigilando (" + std::to_wstring(i) + L" sitios bloqueados)";
    if (!WaitUntil([&] { return Caption(panel) == caption; }, kDeadline)) {
      std::printf("block %d did not happen\n", i);
      return 1;
    }
  }
  ::Sleep(6'000);  // the last notices close themselves
  PrintMemory(process.get(), "after 100 blocks");

  std::vector<std::unique_ptr<Program>> windows;
  for (int i = 0; i < 30; ++i)
    windows.push_back(
        std::make_unique<Program>(HelperCommand({L"window", L"Ventana " + std::to_wstring(i),
                                                 L"Edit", L"Un texto sin nada que bloquear"})));
  for (const auto& window : windows) window->Ready(kDeadline);
  ::Sleep(2'000);
  std::puts("idle: begin");
  std::fflush(stdout);
  ::Sleep(60'000);
  std::puts("idle: end");
  std::fflush(stdout);
  ::Sleep(1'000);
  return 0;
}
