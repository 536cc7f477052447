#pragma once

#include <string>

#include "rules/uninstall_entry.h"

namespace tevanor::win32 {

// The program's uninstall entry under HKEY_LOCAL_MACHINE.
class Win32UninstallRegistry final : public UninstallRegistry {
 public:
  static constexpr const wchar_t* kEntryKey =
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevanor";

  explicit Win32UninstallRegistry(std::wstring keyPath = kEntryKey)
      : keyPath_(std::move(keyPath)) {}
  std::unique_ptr<UninstallKey> OpenEntry() override;

 private:
  std::wstring keyPath_;
};

}  // namespace tevanor::win32
