#include "platform/win32/uninstall_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace tevanor::win32 {

namespace {

class Win32UninstallKey final : public UninstallKey {
 public:
  explicit Win32UninstallKey(UniqueKey key) : key_(std::move(key)) {}

  // The data is copied as UTF-16 through our Windows-1252 text; a path with characters beyond
  // the code page is not copied rather than mangled.
  std::optional<std::string> ReadText(std::string_view name, std::size_t capacity) override {
    std::vector<wchar_t> buffer(capacity + 1, L'\0');
    DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
    DWORD type = 0;
    if (::RegQueryValueExW(key_.get(), Wide(name).c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return std::nullopt;
    const std::wstring text(buffer.data());
    if (Wide(Narrow(text)) != text) return std::nullopt;
    return Narrow(text);
  }

  bool WriteText(std::string_view name, std::string_view data) override {
    const std::wstring text = Wide(data);
    return ::RegSetValueExW(key_.get(), Wide(name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }

 private:
  UniqueKey key_;
};

}  // namespace

std::unique_ptr<UninstallKey> Win32UninstallRegistry::OpenEntry() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &key) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32UninstallKey>(UniqueKey(key));
}

}  // namespace tevanor::win32
