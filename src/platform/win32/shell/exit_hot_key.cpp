#include "platform/win32/shell/exit_hot_key.h"

namespace tevanor::win32 {

Win32ExitHotKey::Win32ExitHotKey(const PanelWindow& window)
    : window_(window), atom_(::GlobalAddAtomW(L"XSalida")) {}

Win32ExitHotKey::~Win32ExitHotKey() {
  Unregister();
  if (atom_ != 0) ::GlobalDeleteAtom(atom_);
}

void Win32ExitHotKey::Register() {
  HWND window = window_.hwnd();
  if (holder_ != nullptr || window == nullptr) return;
  if (::RegisterHotKey(window, atom_, MOD_CONTROL, kKey)) holder_ = window;
}

void Win32ExitHotKey::Unregister() {
  if (holder_ == nullptr) return;
  ::UnregisterHotKey(holder_, atom_);
  holder_ = nullptr;
}

}  // namespace tevanor::win32
