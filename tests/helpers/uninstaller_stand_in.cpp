// Stands in for the installer's uninstaller in the end-to-end tests: it writes the command line
// it was started with to "uninstaller-ran.txt" beside itself, in UTF-16, and ends.
#include <windows.h>

#include <string>

int wmain() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring record(path);
  record.erase(record.find_last_of(L'\\') + 1);
  record += L"uninstaller-ran.txt";
  HANDLE file = ::CreateFileW(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::wstring line = ::GetCommandLineW();
  DWORD written = 0;
  ::WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written,
              nullptr);
  ::CloseHandle(file);
  return 0;
}
