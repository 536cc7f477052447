#pragma once

#include <cstdint>
#include <string_view>

namespace tevanor {

// The panel's one icon in the taskbar's notification area. Its mouse messages reach the panel
// as WM_TRAYNOTIFY, whose value the icon itself decodes. Failures are not reported: the program
// goes on without the icon.
class TrayIcon {
 public:
  enum class Image { kGuardOn = 0, kGuardOff = 1 };
  static constexpr std::size_t kMaxTipLength = 63;  // a longer tip is cut

  virtual ~TrayIcon() = default;
  virtual void Add(Image image, std::string_view tip) = 0;
  virtual void Modify(Image image, std::string_view tip) = 0;
  virtual void Delete() = 0;
  // Whether a WM_TRAYNOTIFY value is a press of the left or the right mouse button.
  virtual bool IsButtonPress(std::intptr_t notification) const = 0;
};

}  // namespace tevanor
