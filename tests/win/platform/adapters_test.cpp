// The Win32 adapters against the real system: data files, registry, windows, the version
// resource and the network.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "platform/win32/data_directory.h"
#include "platform/win32/data_file_rights.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/uninstall_registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/version_resource.h"
#include "platform/win32/winsock_network.h"
#include "rules/file_rewrite.h"
#include "rules/profile_values.h"
#include "tevanor_version.h"

namespace tevanor::win32 {
namespace {

// The bytes of a file from where it stands to its end.
std::string Rest(DataFile& file) {
  std::string bytes;
  for (int b; (b = file.ReadByte()) >= 0;) bytes += static_cast<char>(b);
  return bytes;
}

// One opener at a time, in the modes as named, writing where the reader stands despite the
// read-ahead; a save replaces the content in place, keeping the attributes its owner gave the
// file; the time of the last write; and the installer's step, which keeps a list it finds.
TEST(Win32DataDirectory, OpensSavesAndTimesTheDataFiles) {
  const std::wstring path = std::filesystem::temp_directory_path().wstring() + L"tevanor-test\\";
  std::filesystem::remove_all(path);
  std::filesystem::create_directory(path);
  Win32DataDirectory files(path);
  EXPECT_FALSE(files.Open("a", OpenMode::kRead) || files.Open("a", OpenMode::kReadWrite));
  ASSERT_TRUE(files.Open("a", OpenMode::kCreateWrite)->Write("casino\bXXX\t"));
  {
    auto file = files.Open("a", OpenMode::kReadWriteCreate);
    ASSERT_TRUE(file);
    EXPECT_FALSE(files.Open("a", OpenMode::kRead));
    const UniqueFile other(::CreateFileW((path + L"a").c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_SHARING_VIOLATION}) << "another program opened it";
    EXPECT_EQ(file->ReadByte(), 'c');
    EXPECT_TRUE(file->Write("K"));
    ASSERT_TRUE(file->SeekToEnd() && file->Write("z\btorn") && file->Truncate(13));
    EXPECT_EQ(file->Length(), 13u);
    ASSERT_TRUE(file->Flush() && file->SeekToStart());
    EXPECT_EQ(Rest(*file), "cKsino\bXXX\tz\b");
  }
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const FileTime nowTime = (FileTime{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  const FileTime time = files.LastWriteTime("a").value_or(0);
  EXPECT_TRUE(time <= nowTime && time > nowTime - 600'000'000ULL) << "within the last minute";

  ASSERT_TRUE(files.Open("a", OpenMode::kCreateWrite));
  EXPECT_EQ(Rest(*files.Open("a", OpenMode::kRead)), "") << "truncated";
  ASSERT_TRUE(::SetFileAttributesW((path + L"a").c_str(), FILE_ATTRIBUTE_HIDDEN));
  FileRewrite save(files, "a");
  ASSERT_TRUE(save.Write("new") && save.Commit());
  EXPECT_TRUE(::GetFileAttributesW((path + L"a").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(Rest(*files.Open("a", OpenMode::kRead)), "new");
  ASSERT_TRUE(::SetFileAttributesW((path + L"a").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(files.Remove("a") && !files.Exists("a"));

  ASSERT_TRUE(files.Open("Tevanor.fil", OpenMode::kCreateWrite)->Write("keep\b"));
  ASSERT_TRUE(PrepareDataFiles(path));
  EXPECT_EQ(files.Open("Tevanor.fil", OpenMode::kRead)->Length(), 5u) << "the list is kept";
  for (const char* name : {"Tevanor.fil.new", "Tevanor.asw", "Tevanor.asw.new", "Tevanor.his"})
    EXPECT_TRUE(files.Exists(name)) << name;
  std::filesystem::remove_all(path);
}

// A value read back with the raw API: its type and its data as UTF-16 units.
std::pair<DWORD, std::wstring> RawValue(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t), type = REG_NONE;
  if (::RegGetValueW(root, key, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return {};
  return {type, data};
}

TEST(RegistryProfile, IntegersAreDwordsTextsAreStringsAndTheOtherTypeReadsAsTheDefault) {
  constexpr const wchar_t* kKey = L"Software\\Tevanor\\TevanorWinTest";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
  RegistryProfile profile{kKey};
  EXPECT_EQ(profile.GetInt("MircChat", 1), 1) << "no key at all yet";
  ASSERT_TRUE(profile.WriteInt("NivelProt", -1) &&
              profile.WriteString(profile::kPassword, "\x1F\xF1\x81 a"));
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kKey, L"NivelProt"),
            std::make_pair(DWORD{REG_DWORD}, std::wstring(L"\xFFFF\xFFFF")));  // -1
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kKey, L"contrase\u00F1a"),
            std::make_pair(DWORD{REG_SZ}, std::wstring(L"\x1F\u00F1\u0081 a")));
  EXPECT_EQ(profile.GetInt("NivelProt", 0), -1);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), "\x1F\xF1\x81 a");
  EXPECT_EQ(profile.GetInt(profile::kPassword, 7), 7);
  EXPECT_EQ(profile.GetString("NivelProt", "d"), "d");
}

TEST(Win32UninstallRegistry, CopiesTheTemporaryValueWhenThereIsOneThatFits) {
  constexpr const wchar_t* kKey =
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TevanorWinTest";
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
  Win32UninstallRegistry registry(kKey);
  EXPECT_EQ(registry.OpenEntry(), nullptr);
  HKEY created = nullptr;
  ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                    nullptr);
  const UniqueKey key(created);
  RepairUninstallEntry(registry);
  EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, L"UninstallString").first, DWORD{REG_NONE});
  const std::wstring path = L"C:\\Archivos\\Tevanor\\lsb_un20.exe";
  for (const std::wstring& temp : {path, std::wstring(255, L'x')}) {  // 255 + 1 do not fit
    ::RegSetValueExW(key.get(), L"UninstallTemp", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(temp.c_str()),
                     static_cast<DWORD>((temp.size() + 1) * sizeof(wchar_t)));
    RepairUninstallEntry(registry);
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, L"UninstallString"),
              std::make_pair(DWORD{REG_SZ}, path));
  }
}

HWND Create(HWND parent) {
  return ::CreateWindowExW(0, L"STATIC", L"tevanor test", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0,
                           10, 10, parent, nullptr, nullptr, nullptr);
}

TEST(DesktopWindows, ListsTopLevelWindowsAndEveryDescendantDepthFirstUntilTold) {
  const UniqueWindow top(Create(nullptr));  // destroys its descendants with it
  const HWND first = Create(top.get()), firstChild = Create(first), grandchild = Create(firstChild);
  const HWND second = Create(top.get());
  const auto handle = [](HWND w) { return WindowHandle(reinterpret_cast<std::uintptr_t>(w)); };
  std::vector<WindowHandle> found;
  DesktopWindows desktop;
  desktop.ForEachTopLevel([&](WindowHandle w) { found.push_back(w); });
  EXPECT_EQ(std::count(found.begin(), found.end(), handle(top.get())), 1);
  EXPECT_EQ(std::count(found.begin(), found.end(), handle(first)), 0);
  const auto descendants = [&](HWND stopAt) {
    found.clear();
    desktop.ForEachDescendant(handle(top.get()), [&](WindowHandle w) {
      found.push_back(w);
      return w != handle(stopAt);
    });
    return found;
  };
  EXPECT_EQ(descendants(nullptr),
            (std::vector{handle(first), handle(firstChild), handle(grandchild), handle(second)}));
  EXPECT_EQ(descendants(firstChild), (std::vector{handle(first), handle(firstChild)}));
}

TEST(SystemAdapters, GiveTheProgramsVersionAndTheHostsAddresses) {
  EXPECT_EQ(VersionText(VersionResource().ReadProductVersion()), TEVANOR_VERSION_TEXT);
  WinsockNetwork network;
  const auto addresses = network.LocalHostAddresses();
  ASSERT_FALSE(addresses.value_or(std::vector<std::string>{}).empty());
  for (const std::string& a : *addresses)
    EXPECT_TRUE(std::regex_match(a, std::regex(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})"))) << a;
  EXPECT_EQ(network.LocalHostAddresses(), addresses) << "the sockets were not released";
}

}  // namespace
}  // namespace tevanor::win32
