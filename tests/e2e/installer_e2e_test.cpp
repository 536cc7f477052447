// The installer and the uninstaller in a fresh Wine prefix, one case per path: a silent
// install and one over it, a silent removal, the system's uninstall command behind the password
// with the answer that removes the lists too, and the install's password for an account without
// one; with pictures of the screens a parent meets. The setup program is named by TEVANOR_SETUP.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "screen.h"
#include "tevanor_run.h"

namespace tevanor::e2e {
namespace {

using testing::BringForward;
using testing::Capture;

constexpr DWORD kSlow = 240'000;  // milliseconds: the machine is shared and slow
constexpr wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevanor";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kProfileKey = win32::RegistryProfile::kDefaultKey;
constexpr const wchar_t* kLists[] = {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.his"};

std::optional<std::wstring> ReadText(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

bool KeyExists(HKEY root, const wchar_t* key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, key, 0, KEY_READ | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(opened);
  return true;
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The uninstaller's question about the lists: a visible dialog with a Yes button.
HWND Question() {
  for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
       w = ::FindWindowExW(nullptr, w, L"#32770", nullptr))
    if (::IsWindowVisible(w) && ::GetDlgItem(w, IDYES) != nullptr) return w;
  return nullptr;
}

std::wstring InstallDirectory() {
  wchar_t programFiles[MAX_PATH] = {};
  ::ExpandEnvironmentStringsW(L"%ProgramW6432%", programFiles, MAX_PATH);
  return std::wstring(programFiles) + L"\\Tevanor";
}

std::wstring SetupCommand(const std::wstring& options) {
  wchar_t path[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"TEVANOR_SETUP", path, MAX_PATH);
  return L"\"" + std::wstring(path) + L"\"" + options;
}

// A silent install, waited for by its last effect on an installation: the uninstall entry
// written after the files.
void InstallSilently(const std::wstring& options = L"") {
  ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion");
  const Program setup(SetupCommand(L" /S" + options));
  ASSERT_TRUE(WaitUntil(
      [] { return ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion").has_value(); },
      kSlow));
  ASSERT_TRUE(setup.WaitForExit(kSlow));
}

class Installation : public ::testing::Test {
 protected:
  void WriteLists() {
    for (const wchar_t* list : kLists) WriteBytes(dir + L"\\" + list, "lista\x08");
  }
  // A profile as after the first start, with the password "abc".
  void SetPassword() {
    ASSERT_TRUE(profile.WriteInt(profile::kFirstRun, 0));
    ASSERT_TRUE(profile.WriteString(profile::kPassword, "\xBE\xBD\xBC"));
  }
  const std::wstring dir = InstallDirectory();
  win32::RegistryProfile profile;
};

TEST_F(Installation, ASilentInstallPutsEverythingInPlaceAndAnotherKeepsTheParentsData) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the prefix is not fresh";
  InstallSilently();
  EXPECT_EQ(profile.GetInt(profile::kFirstRun, 0), 1);
  const std::wstring program = L"\"" + dir + L"\\Tevanor.exe\"";
  for (const wchar_t* name : {L"UninstallTemp", L"UninstallString"})
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, name), program + L" /" + dir + L"/u");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunKey, L"Tevanor"), program);
  for (const wchar_t* list : kLists)
    EXPECT_TRUE(FileExists(dir + L"\\" + list)) << "made for every account: " << list;

  SetPassword();
  WriteLists();
  InstallSilently();
  EXPECT_EQ(profile.GetInt(profile::kFirstRun, 1), 0);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), "\xBE\xBD\xBC");
  std::error_code error;
  for (const wchar_t* list : kLists)
    EXPECT_EQ(std::filesystem::file_size(dir + L"\\" + list, error), 6u) << list;
}

// Removal: the running copy, the program, its uninstaller and its entries go, the lists stay.
TEST_F(Installation, SilentRemovalEndsTheRunningCopyAndKeepsTheLists) {
  WriteLists();
  // A stand-in for the running copy under the program's name: a window of its own.
  ASSERT_TRUE(
      ::CopyFileW((win32::Win32DataDirectory::ProgramDirectory() + L"tevanor_helper.exe").c_str(),
                  (dir + L"\\Tevanor.exe").c_str(), FALSE));
  const Program running(L"\"" + dir + L"\\Tevanor.exe\" window \"Copia en marcha\"");
  ASSERT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, L"Copia en marcha"); }, kSlow));
  const Program uninstaller(L"\"" + dir + L"\\lsb_un20.exe\" /S /C=UC /N=Tevanor");
  EXPECT_TRUE(running.WaitForExit(kSlow)) << "the running copy was not ended";
  EXPECT_TRUE(WaitUntil(
      [&] {
        return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) &&
               !FileExists(dir + L"\\Tevanor.exe") && !FileExists(dir + L"\\lsb_un20.exe") &&
               !KeyExists(HKEY_CURRENT_USER, kProfileKey);
      },
      kSlow))
      << "not removed";
  EXPECT_FALSE(ReadText(HKEY_LOCAL_MACHINE, kRunKey, L"Tevanor"));
  for (const wchar_t* list : kLists) EXPECT_TRUE(FileExists(dir + L"\\" + list)) << list;
}

// The uninstall entry's command goes through the password; answering No to the question about
// the lists removes them too, and the emptied directory with them.
TEST_F(Installation, TheSystemsUninstallCommandAsksForThePasswordAndNoRemovesTheLists) {
  InstallSilently();
  WriteLists();
  SetPassword();
  const Program program(
      ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString").value_or(L""));
  const HWND prompt = WaitForVisible([] { return FindDialog(kPromptCaption, true); }, kSlow);
  ASSERT_TRUE(prompt);
  EnterPassword(prompt, L"abc");
  const HWND question = WaitForVisible(Question, kSlow);
  ASSERT_TRUE(question);
  BringForward(question);
  ::Sleep(1000);  // painted
  Capture(question, "uninstaller_question");
  ::PostMessageW(question, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitUntil(
      [&] { return !FileExists(dir) && !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, kSlow))
      << "the entry, the program, the lists or the emptied directory stay";
}

TEST_F(Installation, TheInstallersFirstPage) {
  const Program setup(SetupCommand(L""));
  const HWND page =
      WaitForVisible([] { return FindDialog(L"Instalaci\u00F3n de Tevanor"); }, kSlow);
  ASSERT_TRUE(page);
  BringForward(page);
  ::Sleep(1000);  // painted
  Capture(page, "installer_first_page");
}

// A silent install with the parent's password serves an account that has no profile of its
// own: it is welcomed but never asked for a new password, and the install's password opens its
// panel. The computer keeps only the derived form.
TEST_F(Installation, TheInstallsPasswordOpensThePanelOfAnAccountWithoutOne) {
  win32::RegistryProfile computer(win32::RegistryProfile::kDefaultKey,
                                  win32::RegistryProfile::Scope::kMachine);
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProfileKey);
  InstallSilently(L" /PASSWORD=Equipo12");
  std::string stored;
  ASSERT_TRUE(WaitUntil(
      [&] { return !(stored = computer.GetString(profile::kPassword, "")).empty(); }, kSlow))
      << "no password for the computer";
  EXPECT_TRUE(stored.starts_with("pbkdf2-sha256:")) << stored;
  EXPECT_EQ(stored.find("Equipo12"), std::string::npos);

  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tevanor");
  const Program program(L"\"" + dir + L"\\Tevanor.exe\"");
  const HWND welcome =
      WaitForVisible([] { return FindDialog(L"\u00A1\u00A1Bienvenido!!", true); }, kSlow);
  ASSERT_TRUE(welcome);
  Click(welcome, IDOK);
  // A second start brings the panel up behind the password prompt.
  const Program second(L"\"" + dir + L"\\Tevanor.exe\"");
  const HWND prompt = WaitForVisible([] { return FindDialog(kPromptCaption, true); }, kSlow);
  ASSERT_TRUE(prompt);
  EXPECT_EQ(FindDialog(kNewPasswordCaption, true), nullptr);
  EnterPassword(prompt, L"Equipo12");
  EXPECT_TRUE(WaitForVisible(Panel, kSlow)) << "the install's password did not open the panel";
  EXPECT_EQ(profile.GetString(profile::kPassword, "(none)"), "(none)");
}

}  // namespace
}  // namespace tevanor::e2e
