#include "e2e_support.h"

#include <mutex>

#include "platform/win32/registry_profile.h"
#include "platform/win32/win32_text.h"
#include "rules/profile_values.h"

namespace tevanor::e2e {

std::wstring ProgramDirectory() {
  wchar_t self[MAX_PATH];
  const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring TempDirectory(const std::wstring& prefix) {
  static int serial = 0;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + prefix + std::to_wstring(::GetCurrentProcessId()) +
                            L"-" + std::to_wstring(++serial) + L"\\";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

std::unique_ptr<Program> Program::Start(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring command = commandLine;
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
    return nullptr;
  ::CloseHandle(info.hThread);
  return std::unique_ptr<Program>(
      new Program(win32::UniqueKernelHandle(info.hProcess), info.dwProcessId));
}

Program::~Program() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool Program::Running() const {
  return ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool Program::WaitForExit(Clock::duration deadline, DWORD* code) const {
  const bool ended = WaitUntil([this] { return !Running(); }, deadline);
  if (ended && code) ::GetExitCodeProcess(process_.get(), code);
  return ended;
}

HWND Program::WaitForWindow(const std::wstring& part, Clock::duration deadline) const {
  struct Search {
    DWORD process;
    const std::wstring& part;
    HWND found = nullptr;
  } search{id_, part};
  WaitUntil(
      [&] {
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
              auto& s = *reinterpret_cast<Search*>(context);
              DWORD process = 0;
              ::GetWindowThreadProcessId(window, &process);
              wchar_t title[512] = {};
              ::InternalGetWindowText(window, title, 512);
              if (process == s.process && ::IsWindowVisible(window) &&
                  std::wstring(title).find(s.part) != std::wstring::npos) {
                s.found = window;
                return FALSE;
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      deadline);
  return search.found;
}

std::unique_ptr<Program> StartHelper(const std::vector<std::wstring>& args) {
  std::wstring command = L"\"" + ProgramDirectory() + L"tevanor_helper.exe\"";
  for (const std::wstring& arg : args) command += L" \"" + arg + L"\"";
  return Program::Start(command);
}

std::unique_ptr<Program> StartNotepad(const std::wstring& directory, const std::string& text) {
  static int serial = 0;
  const std::wstring path = directory + L"nota" + std::to_wstring(++serial) + L".txt";
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return Program::Start(L"notepad.exe \"" + path + L"\"");
}

// One output stream of the guardian: a pipe read line by line on a thread of its own.
struct GuardRun::Stream {
  win32::UniqueKernelHandle read;
  win32::UniqueKernelHandle write;
  win32::UniqueKernelHandle thread;
  mutable std::mutex mutex;
  std::vector<Line> lines;
  std::string partial;
};

GuardRun::GuardRun(GuardProfile profile, const std::map<std::wstring, std::string>& dataFiles,
                   const std::wstring& options)
    : directory_(TempDirectory(L"tevanor-guard-")),
      out_(std::make_unique<Stream>()),
      err_(std::make_unique<Stream>()) {
  win32::RegistryProfile registry;
  registry.WriteInt(profile::kMircChat, profile.mircChat);
  registry.WriteInt(profile::kJavaChat, profile.javaChat);
  registry.WriteInt(profile::kProtectionLevel, profile.level);
  registry.WriteInt(profile::kBuiltInSites, profile.builtInSites);
  ::CopyFileW((ProgramDirectory() + L"tevanor-guard.exe").c_str(),
              (directory_ + L"tevanor-guard.exe").c_str(), FALSE);
  for (const auto& [name, bytes] : dataFiles) {
    const win32::UniqueFile file(::CreateFileW((directory_ + name).c_str(), GENERIC_WRITE, 0,
                                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  for (Stream* stream : {out_.get(), err_.get()}) {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ::CreatePipe(&read, &write, &inherit, 0);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    stream->read.reset(read);
    stream->write.reset(write);
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out_->write.get();
  startup.hStdError = err_->write.get();
  PROCESS_INFORMATION info{};
  std::wstring command = L"\"" + directory_ + L"tevanor-guard.exe\" " + options;
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       directory_.c_str(), &startup, &info)) {
    ::CloseHandle(info.hThread);
    guard_.reset(new Program(win32::UniqueKernelHandle(info.hProcess), info.dwProcessId));
  }
  for (Stream* stream : {out_.get(), err_.get()}) {
    stream->write.reset();  // the guardian holds the only writing end
    stream->thread.reset(::CreateThread(nullptr, 0, &GuardRun::ReadLines, stream, 0, nullptr));
  }
}

GuardRun::~GuardRun() {
  guard_.reset();
  for (Stream* stream : {out_.get(), err_.get()}) ::WaitForSingleObject(stream->thread.get(), 5000);
  WIN32_FIND_DATAW found;
  const win32::UniqueFind find(::FindFirstFileW((directory_ + L"*").c_str(), &found));
  for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.get(), &found))
    ::DeleteFileW((directory_ + found.cFileName).c_str());
  ::RemoveDirectoryW(directory_.c_str());
}

DWORD WINAPI GuardRun::ReadLines(void* context) {
  auto& stream = *static_cast<Stream*>(context);
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(stream.read.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    const auto now = Clock::now();
    const std::lock_guard lock(stream.mutex);
    for (DWORD i = 0; i < read; ++i) {
      if (buffer[i] == '\n') {
        if (!stream.partial.empty() && stream.partial.back() == '\r') stream.partial.pop_back();
        stream.lines.push_back({now, std::move(stream.partial)});
        stream.partial.clear();
      } else {
        stream.partial += buffer[i];
      }
    }
  }
  return 0;
}

std::vector<GuardRun::Line> GuardRun::Lines(bool errors) const {
  const Stream& stream = errors ? *err_ : *out_;
  const std::lock_guard lock(stream.mutex);
  return stream.lines;
}

std::vector<std::vector<std::string>> GuardRun::History() const {
  std::string bytes;
  // The guardian holds the file open only while it appends; try again for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    const win32::UniqueFile file(::CreateFileW((directory_ + L"Tevanor.his").c_str(), GENERIC_READ,
                                               0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                               nullptr));
    if (!file && ::GetLastError() == ERROR_FILE_NOT_FOUND) break;
    if (!file) {
      ::Sleep(20);
      continue;
    }
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
      bytes.append(buffer, read);
    break;
  }
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  for (const char c : bytes) {
    if (c != '\x08') {
      field += c;
      continue;
    }
    record.push_back(std::move(field));
    field.clear();
    if (record.size() == 3) records.push_back(std::move(record)), record.clear();
  }
  return records;
}

}  // namespace tevanor::e2e
