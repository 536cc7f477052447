#include "platform/win32/shell/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

Win32TrayIcon::Win32TrayIcon(const PanelWindow& window, HINSTANCE resources, int bitmapId,
                             UINT callbackMessage)
    : window_(window),
      callbackMessage_(callbackMessage),
      images_(::ImageList_LoadImageW(resources, MAKEINTRESOURCEW(bitmapId), 16, 16, RGB(0, 255, 0),
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION),
              &::ImageList_Destroy) {}

void Win32TrayIcon::Add(Image image, std::string_view tip) {
  Notify(NIM_ADD, image, tip);
}

void Win32TrayIcon::Modify(Image image, std::string_view tip) {
  Notify(NIM_MODIFY, image, tip);
}

void Win32TrayIcon::Notify(DWORD action, Image image, std::string_view tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_.hwnd();
  data.uID = kIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  const std::wstring text = Wide(tip.substr(0, std::min(tip.size(), kMaxTipLength)));
  std::copy(text.begin(), text.end(), data.szTip);
  data.hIcon =
      images_ ? ::ImageList_GetIcon(images_.get(), static_cast<int>(image), ILD_NORMAL) : nullptr;
  ::Shell_NotifyIconW(action, &data);
  if (data.hIcon != nullptr) ::DestroyIcon(data.hIcon);
}

void Win32TrayIcon::Delete() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_.hwnd();
  data.uID = kIconId;
  ::Shell_NotifyIconW(NIM_DELETE, &data);
}

bool Win32TrayIcon::IsButtonPress(std::intptr_t notification) const {
  // The callback message's lParam is the mouse message over the icon.
  return notification == WM_LBUTTONDOWN || notification == WM_RBUTTONDOWN;
}

}  // namespace tevanor::win32
