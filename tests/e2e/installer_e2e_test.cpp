// The installer and the uninstaller in a fresh Wine prefix: what a silent install puts in
// place, what a second install keeps, what the uninstaller removes and keeps, and the screens
// a parent meets, and removal through the program's password. The setup program is named by
// TEVANOR_SETUP.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
// clang-format on

#include <filesystem>
#include <optional>
#include <string>

#include "platform/win32/registry_profile.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "rules/profile_values.h"
#include "screen.h"

namespace tevanor::testing {
namespace {

using win32::UniqueKernelHandle;

constexpr DWORD kDeadlineMs = 240'000;  // the machine is shared and slow
constexpr wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tevanor";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kProfileKey[] = L"Software\\Tevanor\\Tevanor";
constexpr const wchar_t* kLists[] = {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.his"};

template <typename Done>
bool WaitUntil(Done done, DWORD ms = kDeadlineMs) {
  for (const ULONGLONG end = ::GetTickCount64() + ms; !done(); ::Sleep(50))
    if (::GetTickCount64() > end) return false;
  return true;
}

std::optional<std::wstring> ReadText(HKEY root, const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::optional<DWORD> ReadNumber(HKEY root, const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
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

// The first visible dialog window whose caption starts with `caption`; with `question`, only a
// message box with a Yes button.
HWND FindDialog(std::wstring_view caption, bool question = false) {
  for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
       w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
    wchar_t text[256] = {};
    ::GetWindowTextW(w, text, 256);
    if (::IsWindowVisible(w) && std::wstring_view(text).starts_with(caption) &&
        (!question || ::GetDlgItem(w, IDYES) != nullptr))
      return w;
  }
  return nullptr;
}

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory = path;
  return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

std::wstring InstallDirectory() {
  wchar_t programFiles[MAX_PATH] = {};
  ::ExpandEnvironmentStringsW(L"%ProgramW6432%", programFiles, MAX_PATH);
  return std::wstring(programFiles) + L"\\Tevanor";
}

std::wstring SetupProgram() {
  wchar_t path[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"TEVANOR_SETUP", path, MAX_PATH);
  return path;
}

// Starts a program we then own; its end is waited for only to keep two runs apart.
UniqueKernelHandle Start(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return {};
  ::CloseHandle(process.hThread);
  return UniqueKernelHandle(process.hProcess);
}

bool Ended(const UniqueKernelHandle& process, DWORD ms = kDeadlineMs) {
  return ::WaitForSingleObject(process.get(), ms) == WAIT_OBJECT_0;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(
      ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

void WriteLists(const std::wstring& dir) {
  for (const wchar_t* list : kLists) WriteFileBytes(dir + L"\\" + list, "lista\x08");
}

// A silent install, waited for by its last effect on an installation: the uninstall entry
// written after the files, then the first-run flag when it is a new one.
void InstallSilently(const std::wstring& options = L"") {
  ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion");
  const UniqueKernelHandle setup = Start(L"\"" + SetupProgram() + L"\" /S" + options);
  ASSERT_TRUE(setup) << "cannot start " << win32::Narrow(SetupProgram());
  ASSERT_TRUE(WaitUntil(
      [] { return ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion").has_value(); }));
  ASSERT_TRUE(Ended(setup));
}

// What the uninstall entry's command names, by the program's own rule: after the quotes are
// removed, the text between the first two "/" is the uninstaller's directory, and the command
// ends in "/u".
struct UninstallCommand {
  explicit UninstallCommand(std::wstring command) {
    std::erase(command, L'"');
    const std::size_t first = command.find(L'/');
    const std::size_t second = command.find(L'/', first + 1);
    endsInU = command.size() >= 2 && command.ends_with(L"/u");
    if (second != std::wstring::npos) directory = command.substr(first + 1, second - first - 1);
  }
  bool endsInU = false;
  std::wstring directory;
};

class Installation : public ::testing::Test {
 protected:
  const std::wstring dir = InstallDirectory();
};

TEST_F(Installation, SilentInstallPutsTheProgramItsEntriesAndTheFirstRunFlagInPlace) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the prefix is not fresh";
  const UniqueKernelHandle setup = Start(L"\"" + SetupProgram() + L"\" /S");
  ASSERT_TRUE(setup);
  ASSERT_TRUE(WaitUntil([] { return ReadNumber(HKEY_CURRENT_USER, kProfileKey, L"Pr") == 1u; }))
      << "no first-run flag";
  EXPECT_TRUE(FileExists(dir + L"\\Tevanor.exe"));
  EXPECT_TRUE(FileExists(dir + L"\\lsb_un20.exe"));
  const auto text = [](const wchar_t* name) {
    return ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, name).value_or(L"(none)");
  };
  EXPECT_EQ(text(L"DisplayName"), L"Tevanor");
  EXPECT_EQ(text(L"Publisher"), L"Orvelda");
  EXPECT_EQ(text(L"DisplayVersion"), L"" TEVANOR_VERSION_W);
  EXPECT_EQ(text(L"DisplayIcon"), dir + L"\\Tevanor.exe,0");
  const std::wstring expected = L"\"" + dir + L"\\Tevanor.exe\" /" + dir + L"/u";
  EXPECT_EQ(text(L"UninstallTemp"), expected);
  EXPECT_EQ(text(L"UninstallString"), expected);
  const UninstallCommand command(text(L"UninstallString"));
  EXPECT_TRUE(command.endsInU);
  EXPECT_TRUE(FileExists(command.directory + L"\\lsb_un20.exe"));
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunKey, L"Tevanor"), L"\"" + dir + L"\\Tevanor.exe\"");
  for (const wchar_t* list : kLists)
    EXPECT_TRUE(FileExists(dir + L"\\" + list))
        << "made for every account: " << win32::Narrow(list);
  EXPECT_TRUE(Ended(setup));
}

TEST_F(Installation, InstallingAgainKeepsListsPasswordAndTheFirstRunFlag) {
  win32::RegistryProfile profile;
  ASSERT_TRUE(profile.WriteInt(profile::kFirstRun, 0));  // as after the first start
  ASSERT_TRUE(profile.WriteString(profile::kPassword, "\xBE\xBD\xBC"));
  WriteLists(dir);
  InstallSilently();
  EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kProfileKey, L"Pr"), 0u);
  EXPECT_EQ(profile.GetString(profile::kPassword, ""), "\xBE\xBD\xBC");
  std::error_code error;
  for (const wchar_t* list : kLists)
    EXPECT_EQ(std::filesystem::file_size(dir + L"\\" + list, error), 6u) << win32::Narrow(list);
}

// Removal: the running copy ends, what the installer put in place goes, the lists stay.
void ExpectRemovedKeepingLists(const std::wstring& dir) {
  EXPECT_TRUE(WaitUntil([&] {
    return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !FileExists(dir + L"\\Tevanor.exe") &&
           !FileExists(dir + L"\\lsb_un20.exe") && !KeyExists(HKEY_CURRENT_USER, kProfileKey);
  })) << "not removed";
  EXPECT_FALSE(ReadText(HKEY_LOCAL_MACHINE, kRunKey, L"Tevanor"));
  for (const wchar_t* list : kLists) EXPECT_TRUE(FileExists(dir + L"\\" + list)) << list;
}

TEST_F(Installation, SilentRemovalEndsTheRunningCopyAndKeepsTheLists) {
  WriteLists(dir);
  // A stand-in for the running copy under the program's name: a window of its own.
  ASSERT_TRUE(::CopyFileW((ProgramDirectory() + L"tevanor_helper.exe").c_str(),
                          (dir + L"\\Tevanor.exe").c_str(), FALSE));
  const UniqueKernelHandle running =
      Start(L"\"" + dir + L"\\Tevanor.exe\" window \"Copia en marcha\"");
  ASSERT_TRUE(running);
  ASSERT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, L"Copia en marcha") != nullptr; }));
  const UniqueKernelHandle uninstaller =
      Start(L"\"" + dir + L"\\lsb_un20.exe\" /S /C=UC /N=Tevanor");
  ASSERT_TRUE(uninstaller);
  EXPECT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, L"Copia en marcha") == nullptr; }))
      << "the running copy was not ended";
  ExpectRemovedKeepingLists(dir);
  EXPECT_TRUE(Ended(running));
}

TEST_F(Installation, TheSystemsUninstallCommandAsksForThePasswordFirst) {
  InstallSilently();
  WriteLists(dir);
  win32::RegistryProfile profile;
  ASSERT_TRUE(profile.WriteInt(profile::kFirstRun, 0));
  ASSERT_TRUE(profile.WriteString(profile::kPassword, "\xBE\xBD\xBC"));  // "abc"
  const std::wstring command =
      ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString").value_or(L"");
  const auto prompt = [] {
    return ::FindWindowW(L"#32770", L"Ingrese su contrase\u00F1a, por favor...");
  };
  const auto answer = [&](const wchar_t* password) {
    const UniqueKernelHandle program = Start(command);
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = prompt()) != nullptr && ::IsWindowVisible(window); }))
      return false;
    ::SetDlgItemTextW(window, 1015, password);
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    return true;
  };
  ASSERT_TRUE(answer(L"equivocada"));
  // A wrong password leaves the prompt up until its time is over; nothing is removed.
  EXPECT_TRUE(WaitUntil([&] { return prompt() == nullptr; }));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_TRUE(FileExists(dir + L"\\lsb_un20.exe"));
  ASSERT_TRUE(answer(L"abc"));
  // The uninstaller asks about the lists: the default answer keeps them.
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = FindDialog(L"", true)) != nullptr; }));
  ::PostMessageW(question, WM_COMMAND, IDYES, 0);
  ExpectRemovedKeepingLists(dir);
}

TEST_F(Installation, AnsweringNoToTheQuestionRemovesTheListsToo) {
  InstallSilently();
  WriteLists(dir);
  const UniqueKernelHandle uninstaller = Start(L"\"" + dir + L"\\lsb_un20.exe\" /C=UC /N=Tevanor");
  ASSERT_TRUE(uninstaller);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = FindDialog(L"", true)) != nullptr; }));
  ::PostMessageW(question, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitUntil([&] {
    return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !FileExists(dir + L"\\Tevanor.exe") &&
           !FileExists(dir + L"\\Tevanor.fil") && !FileExists(dir + L"\\Tevanor.asw") &&
           !FileExists(dir + L"\\Tevanor.his");
  }));
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(dir); })) << "the empty directory stays";
}

// The installer's first page and the uninstaller's question, as PNG files for a person.
TEST_F(Installation, ScreensOfTheInstallerAndTheUninstallersQuestion) {
  const UniqueKernelHandle setup = Start(L"\"" + SetupProgram() + L"\"");
  ASSERT_TRUE(setup);
  HWND page = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (page = FindDialog(L"Instalaci\u00F3n de Tevanor")) != nullptr; }));
  BringForward(page);
  ::Sleep(1000);
  Capture(page, "installer_first_page");
  ::TerminateProcess(setup.get(), 0);
  Ended(setup);

  InstallSilently();
  WriteLists(dir);
  const UniqueKernelHandle uninstaller =
      Start(L"\"" + InstallDirectory() + L"\\lsb_un20.exe\" /C=UC /N=Tevanor");
  ASSERT_TRUE(uninstaller);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = FindDialog(L"", true)) != nullptr; }));
  BringForward(question);
  ::Sleep(1000);
  Capture(question, "uninstaller_question");
  ::PostMessageW(question, WM_COMMAND, IDYES, 0);
  ExpectRemovedKeepingLists(InstallDirectory());
}

// A silent install with the parent's password serves an account that has no profile of its
// own: it is welcomed but never asked for a new password, and the install's password opens its
// panel. The computer keeps only the derived form.
TEST_F(Installation, TheInstallsPasswordOpensThePanelOfAnAccountWithoutOne) {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProfileKey);
  InstallSilently(L" /PASSWORD=Equipo12");
  const auto stored = [] { return ReadText(HKEY_LOCAL_MACHINE, kProfileKey, L"contrase\u00F1a"); };
  ASSERT_TRUE(WaitUntil([&] { return stored().has_value(); })) << "no password for the computer";
  EXPECT_TRUE(stored()->starts_with(L"pbkdf2-sha256:")) << win32::Narrow(*stored());
  EXPECT_EQ(stored()->find(L"Equipo12"), std::wstring::npos);

  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tevanor");
  const UniqueKernelHandle program = Start(L"\"" + dir + L"\\Tevanor.exe\"");
  HWND welcome = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    welcome = ::FindWindowW(L"#32770", L"\u00A1\u00A1Bienvenido!!");
    return welcome != nullptr && ::IsWindowVisible(welcome);
  }));
  ::PostMessageW(welcome, WM_COMMAND, IDOK, 0);
  // A second start brings the panel up behind the password prompt.
  const UniqueKernelHandle second = Start(L"\"" + dir + L"\\Tevanor.exe\"");
  HWND prompt = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    prompt = ::FindWindowW(L"#32770", L"Ingrese su contrase\u00F1a, por favor...");
    return prompt != nullptr && ::IsWindowVisible(prompt);
  }));
  EXPECT_EQ(::FindWindowW(L"#32770", L"Ingrese la nueva contrase\u00F1a"), nullptr);
  ::SetDlgItemTextW(prompt, 1015, L"Equipo12");
  ::PostMessageW(prompt, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([] {
    const HWND panel = FindDialog(L"Tevanor - ");
    return panel != nullptr && ::IsWindowVisible(panel);
  })) << "the install's password did not open the panel";
  EXPECT_FALSE(ReadText(HKEY_CURRENT_USER, kProfileKey, L"contrase\u00F1a").has_value());
  ::TerminateProcess(program.get(), 0);
  Ended(program);
  Ended(second);
}

}  // namespace
}  // namespace tevanor::testing
