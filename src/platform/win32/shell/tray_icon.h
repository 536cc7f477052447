#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>
#include <type_traits>

#include "platform/win32/shell/panel_window.h"
#include "shell/tray_icon.h"

namespace tevanor::win32 {

// The tray icon through Shell_NotifyIcon, its two images cut from one 32x16 bitmap whose pure
// green is transparent. Each icon taken from the strip is released right after its call.
class Win32TrayIcon final : public TrayIcon {
 public:
  static constexpr UINT kIconId = 168;

  Win32TrayIcon(const PanelWindow& window, HINSTANCE resources, int bitmapId, UINT callbackMessage);

  void Add(Image image, std::string_view tip) override;
  void Modify(Image image, std::string_view tip) override;
  void Delete() override;
  bool IsButtonPress(std::intptr_t notification) const override;

 private:
  void Notify(DWORD action, Image image, std::string_view tip);

  const PanelWindow& window_;
  UINT callbackMessage_;
  std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, decltype(&::ImageList_Destroy)> images_;
};

}  // namespace tevanor::win32
