#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "platform/win32/unique_handle.h"
#include "window_thread.h"

namespace tevanor::win32 {

// tevanor_helper.exe (beside the running test) started with `args`, ended when the object goes.
class HelperProcess {
 public:
  HelperProcess(std::initializer_list<std::wstring> args) {
    wchar_t self[MAX_PATH];
    const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring command =
        L"\"" + path.substr(0, path.find_last_of(L'\\') + 1) + L"tevanor_helper.exe\"";
    for (const std::wstring& arg : args) command += L" \"" + arg + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info)) {
      process_.reset(info.hProcess);
      ::CloseHandle(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  ~HelperProcess() {
    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.get(), 1);
      ::WaitForSingleObject(process_.get(), 5000);
    }
  }
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  DWORD id() const { return id_; }
  // The helper's top-level window with this title, once it exists (nullptr after 10 s).
  HWND WaitForWindow(const std::wstring& title) const {
    HWND found = nullptr;
    PumpUntil(
        [&] {
          found = ::FindWindowW(nullptr, title.c_str());
          return found != nullptr;
        },
        10000);
    return found;
  }
  // The exit code, once the process has ended (STILL_ACTIVE if it runs on after 10 s).
  DWORD WaitForExit() const {
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(process_.get(), 10000) == WAIT_OBJECT_0)
      ::GetExitCodeProcess(process_.get(), &code);
    return code;
  }

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

}  // namespace tevanor::win32
