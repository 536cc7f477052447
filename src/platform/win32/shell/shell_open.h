#pragma once

#include "shell/shell_open.h"

namespace tevanor::win32 {

// The shell's "open" verb (ShellExecute), with the normal show state.
class Win32ShellOpen final : public ShellOpen {
 public:
  bool Open(std::string_view target, std::string_view parameters) override;
};

}  // namespace tevanor::win32
