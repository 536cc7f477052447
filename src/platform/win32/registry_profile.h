#pragma once

#include <string>

#include "rules/profile_store.h"

namespace tevanor::win32 {

// The profile in the registry: HKEY_CURRENT_USER\Software\Tevanor\Tevanor for the account, or
// the same key under HKEY_LOCAL_MACHINE for the whole computer (which only administrators may
// write). Integers are REG_DWORD values, texts REG_SZ; the key is created at the first write.
class RegistryProfile final : public ProfileStore {
 public:
  static constexpr const wchar_t* kDefaultKey = L"Software\\Tevanor\\Tevanor";
  enum class Scope { kAccount, kMachine };

  explicit RegistryProfile(std::wstring keyPath = kDefaultKey, Scope scope = Scope::kAccount)
      : keyPath_(std::move(keyPath)), scope_(scope) {}

  int GetInt(std::string_view name, int defaultValue) override;
  bool WriteInt(std::string_view name, int value) override;
  std::string GetString(std::string_view name, std::string_view defaultValue) override;
  bool WriteString(std::string_view name, std::string_view value) override;

 private:
  std::wstring keyPath_;
  Scope scope_;
};

}  // namespace tevanor::win32
