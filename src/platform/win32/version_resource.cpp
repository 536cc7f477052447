#include "platform/win32/version_resource.h"

#include <windows.h>

#include <vector>

namespace tevanor::win32 {

std::optional<ProductVersion> VersionResource::ReadProductVersion() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> data(size);
  if (!::GetFileVersionInfoW(path, 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
      infoSize < sizeof *info)
    return std::nullopt;
  return ProductVersion{info->dwProductVersionMS, info->dwProductVersionLS};
}

}  // namespace tevanor::win32
