// A window as the screen shows it: brought forward, and saved as a PNG picture.
#pragma once

// clang-format off
#include <windows.h>
#include <objidl.h>  // for gdiplus.h, which the lean windows.h leaves without it
#include <gdiplus.h>
// clang-format on

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/win32/framework/gdi_handles.h"

namespace tevanor::testing {

// Puts the window above every other and repaints it. Wine shows what was painted only once
// the message loop has run for a moment, so capture it later.
inline void BringForward(HWND window) {
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(window);
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Copies the window's screen area and, when `path` is not empty, writes it there as PNG.
// Returns the number of distinct colours in the picture (a window on screen has many), or
// nullopt when there is no window or the picture could not be made or written.
inline std::optional<std::size_t> CaptureWindow(HWND window, const std::wstring& path) {
  RECT frame{};
  if (!::GetWindowRect(window, &frame)) return std::nullopt;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win32::UniqueBitmap picture(
      ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture) return std::nullopt;
  const auto release = [](HDC dc) { ::ReleaseDC(nullptr, dc); };
  std::unique_ptr<HDC__, decltype(release)> screen(::GetDC(nullptr), release);
  std::unique_ptr<HDC__, decltype(&::DeleteDC)> memory(::CreateCompatibleDC(screen.get()),
                                                       ::DeleteDC);
  HGDIOBJ before = ::SelectObject(memory.get(), picture.get());
  ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
  ::SelectObject(memory.get(), before);
  ::GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const std::size_t colours = std::set<std::uint32_t>(pixels, pixels + width * height).size();
  if (path.empty()) return colours;

  const CLSID kPngEncoder = {
      0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0, 0, 0xf8, 0x1e, 0xf3, 0x2e}};
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return std::nullopt;
  const bool saved =
      Gdiplus::Bitmap(picture.get(), nullptr).Save(path.c_str(), &kPngEncoder, nullptr) ==
      Gdiplus::Ok;
  Gdiplus::GdiplusShutdown(token);
  return saved ? std::optional(colours) : std::nullopt;
}

}  // namespace tevanor::testing
