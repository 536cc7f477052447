#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

// What the end-to-end programs need to drive real programs on the Wine desktop they run in:
// programs they start and end, and headless guardians in fresh directories.
namespace tevanor::e2e {

using Clock = std::chrono::steady_clock;

// The directory of the running program, with its final backslash.
std::wstring ProgramDirectory();
std::wstring TempDirectory(const std::wstring& prefix);

// A program started by the test; ended (if it still runs) when the object goes.
class Program {
 public:
  // nullptr when it cannot be started.
  static std::unique_ptr<Program> Start(const std::wstring& commandLine);
  ~Program();

  DWORD id() const { return id_; }
  HANDLE handle() const { return process_.get(); }
  bool Running() const;
  // True once the program has ended, within `deadline`; its exit code in `code`.
  bool WaitForExit(Clock::duration deadline, DWORD* code = nullptr) const;
  // The program's visible top-level window whose title contains `part`, within `deadline`.
  HWND WaitForWindow(const std::wstring& part, Clock::duration deadline) const;

 private:
  friend class GuardRun;
  Program(win32::UniqueKernelHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
  win32::UniqueKernelHandle process_;
  DWORD id_;
};

// The test helper program (tests/helpers) with these arguments.
std::unique_ptr<Program> StartHelper(const std::vector<std::wstring>& args);
inline constexpr DWORD kHelperClosed = 3;  // the helper's exit code after a close request

// Wine's notepad showing a new file in `directory` that holds `text` (Windows-1252).
std::unique_ptr<Program> StartNotepad(const std::wstring& directory, const std::string& text);

// The profile values the headless guardian reads.
struct GuardProfile {
  int mircChat = 1;
  int javaChat = 0;
  int level = -1;
  int builtInSites = 1;
};

// tevanor-guard.exe copied into a fresh directory with the given data files, running with the
// given profile. Its output lines are collected as they come. Ended and removed when it goes.
class GuardRun {
 public:
  explicit GuardRun(GuardProfile profile = {},
                    const std::map<std::wstring, std::string>& dataFiles = {},
                    const std::wstring& options = L"");
  ~GuardRun();
  GuardRun(const GuardRun&) = delete;
  GuardRun& operator=(const GuardRun&) = delete;

  bool Running() const { return guard_ && guard_->Running(); }
  const std::wstring& directory() const { return directory_; }
  // The history file's records, each as its three fields (Windows-1252).
  std::vector<std::vector<std::string>> History() const;
  struct Line {
    Clock::time_point at;
    std::string text;
  };
  std::vector<Line> Lines(bool errors = false) const;

 private:
  static DWORD WINAPI ReadLines(void* context);
  struct Stream;
  std::wstring directory_;
  std::unique_ptr<Stream> out_;
  std::unique_ptr<Stream> err_;
  std::unique_ptr<Program> guard_;
};

// Handles this thread's messages until `done` or the deadline.
template <typename Done>
bool WaitUntil(Done done, Clock::duration deadline) {
  const auto end = Clock::now() + deadline;
  MSG msg;
  while (!done()) {
    if (Clock::now() > end) return false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::Sleep(10);
  }
  return true;
}

}  // namespace tevanor::e2e
