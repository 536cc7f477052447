#include "platform/win32/shell/shell_open.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

bool Win32ShellOpen::Open(std::string_view target, std::string_view parameters) {
  const std::wstring file = Wide(target);
  const std::wstring arguments = Wide(parameters);
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", file.c_str(),
                      arguments.empty() ? nullptr : arguments.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;  // 32 and below are the shell's error codes
}

}  // namespace tevanor::win32
