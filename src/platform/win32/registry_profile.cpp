#include "platform/win32/registry_profile.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

HKEY Root(RegistryProfile::Scope scope) {
  return scope == RegistryProfile::Scope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

UniqueKey OpenForReading(RegistryProfile::Scope scope, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(Root(scope), path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return {};
  return UniqueKey(key);
}

UniqueKey OpenForWriting(RegistryProfile::Scope scope, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(Root(scope), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return {};
  return UniqueKey(key);
}

}  // namespace

int RegistryProfile::GetInt(std::string_view name, int defaultValue) {
  const UniqueKey key = OpenForReading(scope_, keyPath_);
  if (!key) return defaultValue;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExW(key.get(), Wide(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return defaultValue;
  return static_cast<int>(value);
}

bool RegistryProfile::WriteInt(std::string_view name, int value) {
  const UniqueKey key = OpenForWriting(scope_, keyPath_);
  const auto data = static_cast<DWORD>(value);
  return key &&
         ::RegSetValueExW(key.get(), Wide(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

std::string RegistryProfile::GetString(std::string_view name, std::string_view defaultValue) {
  const UniqueKey key = OpenForReading(scope_, keyPath_);
  if (!key) return std::string(defaultValue);
  const std::wstring wideName = Wide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return std::string(defaultValue);
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return std::string(defaultValue);
  // The stored data may or may not end in its terminator; the text ends at the first one.
  return Narrow(std::wstring_view(buffer.data()));
}

bool RegistryProfile::WriteString(std::string_view name, std::string_view value) {
  const UniqueKey key = OpenForWriting(scope_, keyPath_);
  const std::wstring data = Wide(value);
  return key &&
         ::RegSetValueExW(key.get(), Wide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace tevanor::win32
