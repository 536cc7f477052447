#pragma once

namespace tevanor {

// Ctrl+S held system-wide for the panel, which ends the program with it. While it is held no
// other program receives Ctrl+S, so the panel holds it only while it is on screen. Failures
// are not reported.
class ExitHotKey {
 public:
  static constexpr unsigned kModifiers = 2;  // Control alone
  static constexpr unsigned kKey = 0x53;     // 'S'

  virtual ~ExitHotKey() = default;
  virtual void Register() = 0;
  virtual void Unregister() = 0;
};

}  // namespace tevanor
