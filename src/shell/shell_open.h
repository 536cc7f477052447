#pragma once

#include <string_view>

namespace tevanor {

// Opens a web address in the default browser, or starts a program, as the shell's "open"
// verb does, with the normal show state.
class ShellOpen {
 public:
  virtual ~ShellOpen() = default;
  // False when the shell reports a failure.
  virtual bool Open(std::string_view target, std::string_view parameters = {}) = 0;
};

}  // namespace tevanor
