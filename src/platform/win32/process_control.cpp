#include "platform/win32/process_control.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {

namespace {

class Win32Process final : public Process {
 public:
  explicit Win32Process(UniqueKernelHandle handle) : handle_(std::move(handle)) {}
  bool Terminate() override { return ::TerminateProcess(handle_.get(), 0) != 0; }

 private:
  UniqueKernelHandle handle_;
};

}  // namespace

std::unique_ptr<Process> Win32ProcessControl::Open(std::uint32_t processId) {
  UniqueKernelHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  if (!handle) return nullptr;
  return std::make_unique<Win32Process>(std::move(handle));
}

}  // namespace tevanor::win32
