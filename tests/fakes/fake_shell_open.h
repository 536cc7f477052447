#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/shell_open.h"

namespace tevanor::testing {

// The shell's "open" verb: a log of what was opened, and failure on demand.
class FakeShellOpen final : public ShellOpen {
 public:
  bool Open(std::string_view target, std::string_view) override {
    opened.emplace_back(target);
    return !fail;
  }

  std::vector<std::string> opened;
  bool fail = false;
};

}  // namespace tevanor::testing
