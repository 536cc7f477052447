#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/data_directory.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/unique_handle.h"

// What the end-to-end programs need to drive real programs on the Wine desktop they run in:
// programs they start and end, and a headless guardian with its data files.
namespace tevanor::e2e {

// Checks `done` every 10 ms until it holds (true) or `ms` milliseconds have passed (false).
template <typename Done>
bool WaitUntil(Done done, DWORD ms) {
  for (const ULONGLONG end = ::GetTickCount64() + ms; !done(); ::Sleep(10))
    if (::GetTickCount64() > end) return false;
  return true;
}

inline constexpr DWORD kDeadline = 30'000;  // milliseconds for an effect to show

// A directory of its own beside the test program, made by the first call: one run at a time
// uses it.
inline std::wstring RunDirectory(const wchar_t* name) {
  const std::wstring path = win32::Win32DataDirectory::ProgramDirectory() + name + L"\\";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}
// The directory the guardian runs in.
inline std::wstring GuardDirectory() {
  return RunDirectory(L"e2e-guard");
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The fields of a file, each ended by `separator`; none when the file does not exist. A file
// that the program holds only while it writes is tried again a while.
inline std::vector<std::string> ReadFields(const std::wstring& path, char separator) {
  std::vector<std::string> fields(1);
  WaitUntil(
      [&] {
        const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        char buffer[4096];
        DWORD read = 0;
        while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
          for (const char c : std::string_view(buffer, read))
            c == separator ? fields.emplace_back() : fields.back() += c;
        return file || ::GetLastError() == ERROR_FILE_NOT_FOUND;
      },
      1000);
  fields.pop_back();  // the unfinished one
  return fields;
}

// The history file's fields in `directory`, three to a record (Windows-1252).
inline std::vector<std::string> HistoryIn(const std::wstring& directory) {
  return ReadFields(directory + L"Tevanor.his", '\x08');
}

// `program` copied from beside the test program into `directory`, with none of its data files
// left there; returns the copy's quoted path.
inline std::wstring FreshCopy(const wchar_t* program, const std::wstring& directory) {
  ::CopyFileW((win32::Win32DataDirectory::ProgramDirectory() + program).c_str(),
              (directory + program).c_str(), FALSE);
  for (const wchar_t* name : {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.his"})
    ::DeleteFileW((directory + name).c_str());
  return L"\"" + directory + program + L"\"";
}

// A program started by the test; ended, if it still runs, when the object goes. `output`, when
// given, is an inheritable handle that receives its standard output and error.
class Program {
 public:
  explicit Program(std::wstring commandLine, HANDLE output = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = output ? STARTF_USESTDHANDLES : 0;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                         nullptr, nullptr, &startup, &info)) {
      ::CloseHandle(info.hThread);
      process_.reset(info.hProcess);
    }
  }
  ~Program() {
    if (Running()) ::TerminateProcess(process_.get(), 1);
    if (process_) ::WaitForSingleObject(process_.get(), 5000);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }
  // True once its windows are up and it waits for input, within `ms` milliseconds.
  bool Ready(DWORD ms) const { return process_ && ::WaitForInputIdle(process_.get(), ms) == 0; }
  // Its exit code once it has ended within `ms` milliseconds; nullopt while it runs.
  std::optional<DWORD> WaitForExit(DWORD ms) const {
    DWORD code = 0;
    if (!process_ || ::WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process_.get(), &code))
      return std::nullopt;
    return code;
  }

 private:
  win32::UniqueKernelHandle process_;
};

// The command line of the test helper (tests/helpers) with these arguments.
inline std::wstring HelperCommand(const std::vector<std::wstring>& args) {
  std::wstring command =
      L"\"" + win32::Win32DataDirectory::ProgramDirectory() + L"tevanor_helper.exe\"";
  for (const std::wstring& arg : args) command += L" \"" + arg + L"\"";
  return command;
}
inline constexpr DWORD kHelperClosed = 3;  // the helper's exit code after a close request

// The command line of Wine's notepad showing a new file that holds `text` (Windows-1252).
inline std::wstring NotepadCommand(const std::string& text) {
  static int serial = 0;
  const std::wstring path = GuardDirectory() + L"nota" + std::to_wstring(++serial) + L".txt";
  WriteBytes(path, text);
  return L"notepad.exe \"" + path + L"\"";
}

// tevanor-guard.exe copied into GuardDirectory(), with no data files there but `dataFiles` and
// no profile (every value its default), and run with `options`; its output goes to a file
// beside it. Ended when the object goes.
class GuardRun {
 public:
  explicit GuardRun(const std::map<std::wstring, std::string>& dataFiles = {},
                    const std::wstring& options = L"")
      : output_(Prepare(dataFiles)),
        guard_(L"\"" + GuardDirectory() + L"tevanor-guard.exe\" " + options, output_.get()) {}

  bool Running() const { return guard_.Running(); }
  std::vector<std::string> History() const { return HistoryIn(GuardDirectory()); }
  // The lines the guardian has printed so far, standard output and error together.
  std::vector<std::string> Output() const {
    return ReadFields(GuardDirectory() + L"output.txt", '\n');
  }

 private:
  // Writes the profile and the files; returns the output file, open for the guardian.
  static HANDLE Prepare(const std::map<std::wstring, std::string>& dataFiles) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, win32::RegistryProfile::kDefaultKey);
    const std::wstring directory = GuardDirectory();
    FreshCopy(L"tevanor-guard.exe", directory);
    for (const auto& [name, bytes] : dataFiles) WriteBytes(directory + name, bytes);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW((directory + L"output.txt").c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  win32::UniqueFile output_;
  Program guard_;
};

}  // namespace tevanor::e2e
