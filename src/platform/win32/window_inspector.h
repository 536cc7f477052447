#pragma once

#include "guardian/window_inspector.h"

namespace tevanor::win32 {

// Other programs' windows through the window functions. Only ControlText sends a message to
// the window (with SendMessageTimeout and SMTO_ABORTIFHUNG); every other query reads what the
// system keeps about the window, so a hung program can never hang the guardian.
class Win32WindowInspector final : public WindowInspector {
 public:
  std::optional<std::string> ClassName(WindowHandle window) override;
  std::string Title(WindowHandle window) override;
  WindowOwner Owner(WindowHandle window) override;
  bool Exists(WindowHandle window) override;
  std::unique_ptr<InputAttachment> AttachInput(WindowHandle window) override;
  std::optional<std::string> ControlText(WindowHandle control) override;
  std::uint32_t OwnProcessId() override;
  void PostCloseCommand(WindowHandle window) override;
};

}  // namespace tevanor::win32
