#pragma once

#include <string>
#include <string_view>

namespace tevanor {

// What the guardian asks of the window that hosts it (the control panel, or the headless
// guardian). Messages are posted: they run after the current handler returns.
class GuardHost {
 public:
  virtual ~GuardHost() = default;
  virtual void PostShowPanel() = 0;   // a second start asked to see the panel
  virtual void PostClosePanel() = 0;  // hide the panel
  virtual bool IsPasswordPromptShowing() = 0;
  // Creates a modeless version notice that loads `address` and compares it with `version`.
  virtual void CreateVersionNotice(const std::string& version, std::string_view address) = 0;
};

}  // namespace tevanor
