#include "e2e_support.h"

#include "platform/win32/data_directory.h"
#include "platform/win32/registry_profile.h"
#include "rules/profile_values.h"

namespace tevanor::e2e {

namespace {

DWORD Milliseconds(Clock::duration duration) {
  return static_cast<DWORD>(
      std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The whole file; empty when it does not exist. A file the guardian holds open only while it
// writes (the history) is tried again for a moment.
std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  WaitUntil(
      [&] {
        const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
          bytes.append(buffer, read);
        return true;
      },
      std::chrono::seconds(1));
  return bytes;
}

// The fields of `bytes`, each ended by `separator`.
std::vector<std::string> Split(const std::string& bytes, char separator) {
  std::vector<std::string> fields(1);
  for (const char c : bytes) {
    if (c == separator)
      fields.emplace_back();
    else
      fields.back() += c;
  }
  fields.pop_back();
  return fields;
}

}  // namespace

Program::Program(std::wstring commandLine, HANDLE output) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                       nullptr, &startup, &info)) {
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
  }
}

Program::~Program() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool Program::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool Program::Ready(Clock::duration deadline) const {
  return process_ && ::WaitForInputIdle(process_.get(), Milliseconds(deadline)) == 0;
}

std::optional<DWORD> Program::WaitForExit(Clock::duration deadline) const {
  DWORD code = 0;
  if (!process_ || ::WaitForSingleObject(process_.get(), Milliseconds(deadline)) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process_.get(), &code))
    return std::nullopt;
  return code;
}

std::wstring HelperCommand(const std::vector<std::wstring>& args) {
  std::wstring command =
      L"\"" + win32::Win32DataDirectory::ProgramDirectory() + L"tevanor_helper.exe\"";
  for (const std::wstring& arg : args) command += L" \"" + arg + L"\"";
  return command;
}

std::wstring NotepadCommand(const std::wstring& directory, const std::string& text) {
  static int serial = 0;
  const std::wstring path = directory + L"nota" + std::to_wstring(++serial) + L".txt";
  WriteBytes(path, text);
  return L"notepad.exe \"" + path + L"\"";
}

namespace {

// The directory the guardian runs in, beside the test: the same for every run, one at a time.
std::wstring GuardDirectory() {
  const std::wstring path = win32::Win32DataDirectory::ProgramDirectory() + L"e2e-guard\\";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

// Writes the profile and the guardian's files into `directory`; the output file, open.
HANDLE PrepareGuard(const std::wstring& directory, GuardProfile profile,
                    const std::map<std::wstring, std::string>& dataFiles) {
  win32::RegistryProfile registry;
  registry.WriteInt(profile::kMircChat, profile.mircChat);
  registry.WriteInt(profile::kJavaChat, profile.javaChat);
  registry.WriteInt(profile::kProtectionLevel, -1);
  registry.WriteInt(profile::kBuiltInSites, 1);
  ::CopyFileW((win32::Win32DataDirectory::ProgramDirectory() + L"tevanor-guard.exe").c_str(),
              (directory + L"tevanor-guard.exe").c_str(), FALSE);
  for (const wchar_t* name : {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.his"})
    ::DeleteFileW((directory + name).c_str());
  for (const auto& [name, bytes] : dataFiles) WriteBytes(directory + name, bytes);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW((directory + L"output.txt").c_str(), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

GuardRun::GuardRun(GuardProfile profile, const std::map<std::wstring, std::string>& dataFiles,
                   const std::wstring& options)
    : directory_(GuardDirectory()),
      output_(PrepareGuard(directory_, profile, dataFiles)),
      guard_(L"\"" + directory_ + L"tevanor-guard.exe\" " + options, output_.get()) {}

std::vector<std::vector<std::string>> GuardRun::History() const {
  std::vector<std::vector<std::string>> records;
  const std::vector<std::string> fields = Split(ReadBytes(directory_ + L"Tevanor.his"), '\x08');
  for (std::size_t i = 0; i + 3 <= fields.size(); i += 3)
    records.push_back({fields[i], fields[i + 1], fields[i + 2]});
  return records;
}

std::vector<std::string> GuardRun::Output() const {
  return Split(ReadBytes(directory_ + L"output.txt"), '\n');
}

}  // namespace tevanor::e2e
