#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/win32/registry_profile.h"
#include "platform/win32/uninstall_registry.h"
#include "platform/win32/unique_handle.h"
#include "rules/profile_values.h"

namespace tevanor::win32 {
namespace {

constexpr const wchar_t* kTestKey = L"Software\\Tevanor\\TevanorWinTest";

// Reads a value back with the raw API: its type and its bytes.
std::pair<DWORD, std::wstring> RawValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegGetValueW(root, key, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
    return {REG_NONE, L""};
  if (type != REG_DWORD) return {type, std::wstring(data)};
  DWORD number;
  std::memcpy(&number, data, sizeof number);
  return {type, std::to_wstring(number)};
}

class RegistryProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
  RegistryProfile profile{kTestKey};
};

TEST_F(RegistryProfileTest, IntegersAreDwordsAndTextsAreStringsUnderTheirOwnNames) {
  EXPECT_TRUE(profile.WriteInt("NivelProt", -1));
  EXPECT_TRUE(profile.WriteString(profile::kPassword, "\x1F\xF1\x81 a"));
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, L"NivelProt"),
            std::make_pair(DWORD{REG_DWORD}, std::wstring(L"4294967295")));
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kTestKey, L"contrase\u00F1a"),
            std::make_pair(DWORD{REG_SZ}, std::wstring(L"\x1F\u00F1\u0081 a")));

  EXPECT_EQ(profile.GetInt("NivelProt", 0), -1);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), "\x1F\xF1\x81 a");
}

TEST_F(RegistryProfileTest, AbsentOrMistypedValuesReadAsTheDefault) {
  EXPECT_EQ(profile.GetInt("MircChat", 1), 1);  // no key at all yet
  EXPECT_EQ(profile.GetString("contraseña"_ansi, "d"), "d");
  ASSERT_TRUE(profile.WriteString("SINST", "1"));
  ASSERT_TRUE(profile.WriteInt("Pr", 3));
  EXPECT_EQ(profile.GetInt("SINST", 0), 0);
  EXPECT_EQ(profile.GetString("Pr", "d"), "d");
  EXPECT_EQ(profile.GetString("absent", ""), "");
}

TEST(RegistryProfileKey, TheProductKeyIsTevanorTevanor) {
  RegistryProfile product;
  ASSERT_TRUE(product.WriteInt("SINST", 0));
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, L"Software\\Tevanor\\Tevanor", L"SINST").first,
            DWORD{REG_DWORD});
}

TEST(Win32UninstallRegistry, OpensTheMachineWideEntryForCopying) {
  constexpr const wchar_t* kKey =
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TevanorWinTest";
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
  Win32UninstallRegistry registry(kKey);
  EXPECT_EQ(registry.OpenEntry(), nullptr);

  HKEY created = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
            ERROR_SUCCESS);
  const UniqueKey key(created);
  const std::wstring temp = L"C:\\Archivos\\Tevanor\\lsb_un20.exe";
  ::RegSetValueExW(key.get(), L"UninstallTemp", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(temp.c_str()),
                   static_cast<DWORD>((temp.size() + 1) * sizeof(wchar_t)));
  RepairUninstallEntry(registry);
  EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, L"UninstallString"),
            std::make_pair(DWORD{REG_SZ}, temp));

  const std::wstring tooLong(300, L'x');
  ::RegSetValueExW(key.get(), L"UninstallTemp", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(tooLong.c_str()),
                   static_cast<DWORD>((tooLong.size() + 1) * sizeof(wchar_t)));
  RepairUninstallEntry(registry);
  EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, L"UninstallString").second, temp);
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
}

}  // namespace
}  // namespace tevanor::win32
