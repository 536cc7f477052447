#pragma once

#include <windows.h>

#include "platform/win32/shell/panel_window.h"
#include "shell/exit_hot_key.h"

namespace tevanor::win32 {

// Ctrl+S through RegisterHotKey, identified by the global atom "XSalida".
class Win32ExitHotKey final : public ExitHotKey {
 public:
  explicit Win32ExitHotKey(const PanelWindow& window);
  ~Win32ExitHotKey() override;
  Win32ExitHotKey(const Win32ExitHotKey&) = delete;
  Win32ExitHotKey& operator=(const Win32ExitHotKey&) = delete;

  void Register() override;
  void Unregister() override;

 private:
  const PanelWindow& window_;
  ATOM atom_;
  HWND holder_ = nullptr;  // the window that holds the key, while one does
};

}  // namespace tevanor::win32
