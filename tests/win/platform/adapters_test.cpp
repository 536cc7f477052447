// The Win32 adapters against the real system: data files, registry, windows, the version
// resource, the network and the clock.
#include <gtest/gtest.h>
#include <windows.h>
// After the Windows headers: the access list functions need their declarations.
#include <aclapi.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "platform/win32/data_directory.h"
#include "platform/win32/data_file_rights.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/uninstall_registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/version_resource.h"
#include "platform/win32/winsock_network.h"
#include "rules/file_rewrite.h"
#include "rules/profile_values.h"
#include "tevanor_version.h"

namespace tevanor::win32 {
namespace {

// An empty directory of its own in the temporary one, with its final backslash.
std::wstring FreshDirectory(const wchar_t* name) {
  const std::wstring path = std::filesystem::temp_directory_path().wstring() + name + L"\\";
  std::filesystem::remove_all(path);
  std::filesystem::create_directory(path);
  return path;
}

// The bytes of a file from where it stands to its end.
template <typename File>
std::string Rest(File& file) {
  std::string bytes;
  for (int b; (b = file.ReadByte()) >= 0;) bytes += static_cast<char>(b);
  return bytes;
}

TEST(Win32DataDirectory, OneOpenerAtATimeInTheModesAsNamedWithTheFilesTime) {
  const std::wstring path = FreshDirectory(L"tevanor-test");
  Win32DataDirectory files(path);
  const auto readAll = [&files](std::string_view name) {
    return Rest(*files.Open(name, OpenMode::kRead));
  };
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
    EXPECT_EQ(file->Length(), 11u);
    EXPECT_EQ(file->ReadByte(), 'c');
    EXPECT_TRUE(file->Write("K"));  // where the reader stands, despite the read-ahead
    ASSERT_TRUE(file->SeekToEnd() && file->Write("z\b") && file->Flush() && file->SeekToStart());
    EXPECT_EQ(file->ReadByte(), 'c');
    EXPECT_EQ(file->ReadByte(), 'K');
  }
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  const FileTime nowTime = (FileTime{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  const FileTime time = files.LastWriteTime("a").value_or(0);
  EXPECT_TRUE(time <= nowTime && time > nowTime - 600'000'000ULL) << "within the last minute";
  EXPECT_EQ(readAll("a"), "cKsino\bXXX\tz\b");
  ASSERT_TRUE(files.Open("a", OpenMode::kCreateWrite));
  EXPECT_EQ(readAll("a"), "") << "truncated";
  EXPECT_TRUE(files.Remove("a") && !files.Exists("a"));
  std::filesystem::remove_all(path);
}

// A save replaces a file's content, never the attributes its owner gave it; a file cut back
// after a failed append holds its old bytes only.
TEST(Win32DataDirectory, ASaveKeepsTheAttributesAndTruncateCutsBack) {
  const std::wstring path = FreshDirectory(L"tevanor-keep");
  Win32DataDirectory files(path);
  ASSERT_TRUE(files.Open("data", OpenMode::kCreateWrite)->Write("old"));
  ASSERT_TRUE(::SetFileAttributesW((path + L"data").c_str(), FILE_ATTRIBUTE_HIDDEN));
  FileRewrite save(files, "data");
  ASSERT_TRUE(save.Write("new") && save.Commit());
  EXPECT_TRUE(::GetFileAttributesW((path + L"data").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  {
    auto file = files.Open("data", OpenMode::kReadWrite);
    ASSERT_TRUE(file && file->SeekToEnd() && file->Write("torn") && file->Truncate(3));
    EXPECT_EQ(file->Length(), 3u);
    ASSERT_TRUE(file->Write("+") && file->SeekToStart());
    EXPECT_EQ(Rest(*file), "new+");
  }
  ASSERT_TRUE(::SetFileAttributesW((path + L"data").c_str(), FILE_ATTRIBUTE_NORMAL));
  std::filesystem::remove_all(path);
}

// The rights the local Users group has on a file by its access list.
ACCESS_MASK UsersRights(const std::wstring& path) {
  PACL access = nullptr;
  PSECURITY_DESCRIPTOR security = nullptr;
  if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &access, nullptr, &security) != ERROR_SUCCESS)
    return 0;
  const UniqueLocal<void> securityOwner(security);
  BYTE users[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof users;
  ::CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &size);
  ACCESS_MASK rights = 0;
  for (DWORD i = 0; access && i < access->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (::GetAce(access, i, reinterpret_cast<void**>(&ace)) &&
        ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ::EqualSid(&ace->SidStart, users))
      rights |= ace->Mask;
  }
  return rights;
}

// The installer's step: every data file and side file there, the lists kept, and each one
// writable by the Users group, the directory not.
TEST(PrepareDataFiles, MakesEachDataFileAndGivesTheUsersGroupModifyRightsOnIt) {
  const std::wstring path = FreshDirectory(L"tevanor-rights");
  Win32DataDirectory files(path);
  ASSERT_TRUE(files.Open("Tevanor.fil", OpenMode::kCreateWrite)->Write("keep\b"));
  ASSERT_TRUE(PrepareDataFiles(path));
  EXPECT_EQ(files.Open("Tevanor.fil", OpenMode::kRead)->Length(), 5u) << "the list is kept";
  const wchar_t* const names[] = {L"Tevanor.fil", L"Tevanor.fil.new", L"Tevanor.asw",
                                  L"Tevanor.asw.new", L"Tevanor.his"};
  for (const wchar_t* name : names)
    EXPECT_NE(::GetFileAttributesW((path + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  EXPECT_EQ(UsersRights(path) & FILE_ADD_FILE, 0u) << "nothing can be added beside them";
  // Wine accepts access lists on files but keeps only the owner's, group's and others' modes.
  const bool keepsAccessLists =
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
  constexpr ACCESS_MASK kModify =
      FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
  std::vector<ACCESS_MASK> rights;
  for (const wchar_t* name : names) rights.push_back(UsersRights(path + name) & kModify);
  std::filesystem::remove_all(path);
  if (!keepsAccessLists) GTEST_SKIP() << "the rights themselves: this system keeps no access lists";
  EXPECT_EQ(rights, std::vector<ACCESS_MASK>(std::size(names), kModify));
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

TEST(SystemAdapters, GiveTheProgramsVersionTheHostsAddressesAndTheLocalTime) {
  EXPECT_EQ(VersionText(VersionResource().ReadProductVersion()), TEVANOR_VERSION_TEXT);

  WinsockNetwork network;
  const auto addresses = network.LocalHostAddresses();
  ASSERT_FALSE(addresses.value_or(std::vector<std::string>{}).empty());
  for (const std::string& a : *addresses)
    EXPECT_TRUE(std::regex_match(a, std::regex(R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})"))) << a;
  EXPECT_EQ(network.LocalHostAddresses(), addresses) << "the sockets were not released";

  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const LocalTime now = SystemClock().Now();
  EXPECT_EQ(std::make_tuple(now.year, now.month, now.day),
            std::make_tuple(before.wYear, before.wMonth, before.wDay));
  EXPECT_GE(now.hour * 60 + now.minute, before.wHour * 60 + before.wMinute);
}

}  // namespace
}  // namespace tevanor::win32
