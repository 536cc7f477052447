#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

// What the end-to-end programs need to drive real programs on the Wine desktop they run in:
// programs they start and end, and headless guardians in fresh directories.
namespace tevanor::e2e {

using Clock = std::chrono::steady_clock;

// Checks `done` every 10 ms until it holds (true) or `deadline` has passed (false).
template <typename Done>
bool WaitUntil(Done done, Clock::duration deadline) {
  for (const auto end = Clock::now() + deadline; !done(); ::Sleep(10))
    if (Clock::now() > end) return false;
  return true;
}

// A program started by the test; ended, if it still runs, when the object goes. `output`, when
// given, is an inheritable handle that receives its standard output and error.
class Program {
 public:
  explicit Program(std::wstring commandLine, HANDLE output = nullptr);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const;
  // True once its windows are up and it waits for input, within `deadline`.
  bool Ready(Clock::duration deadline) const;
  // Its exit code once it has ended within `deadline`; nullopt while it runs (or never ran).
  std::optional<DWORD> WaitForExit(Clock::duration deadline) const;

 private:
  win32::UniqueKernelHandle process_;
};

// The command line of the test helper (tests/helpers) with these arguments.
std::wstring HelperCommand(const std::vector<std::wstring>& args);
inline constexpr DWORD kHelperClosed = 3;  // the helper's exit code after a close request

// The command line of Wine's notepad showing a new file in `directory` that holds `text`.
std::wstring NotepadCommand(const std::wstring& directory, const std::string& text);

// The chat switches of the profile; the other values the guardian reads keep their defaults.
struct GuardProfile {
  int mircChat = 1;
  int javaChat = 0;
};

// tevanor-guard.exe copied into the test directory, which holds no data files but `dataFiles`,
// and run there with `options`; its output goes to a file beside it. Ended when it goes.
class GuardRun {
 public:
  explicit GuardRun(GuardProfile profile = {},
                    const std::map<std::wstring, std::string>& dataFiles = {},
                    const std::wstring& options = L"");

  const std::wstring& directory() const { return directory_; }
  bool Running() const { return guard_.Running(); }
  // The history file's records, each as its three fields (Windows-1252).
  std::vector<std::vector<std::string>> History() const;
  // The lines the guardian has printed so far, standard output and error together.
  std::vector<std::string> Output() const;

 private:
  std::wstring directory_;  // with its final backslash
  win32::UniqueFile output_;
  Program guard_;
};

}  // namespace tevanor::e2e
