// tevanor-rules.exe run as a parent would run it: a command line in UTF-16, data files in a
// real directory, and the UTF-8 answer read from its stdout byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {
namespace {

struct Result {
  DWORD status = 0;
  std::string out;
  std::string err;
};

std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::string ReadAll(HANDLE pipe) {
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

class RulesToolExe : public ::testing::Test {
 protected:
  RulesToolExe() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"tevanor-rules-" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir_.c_str(), nullptr);
    Write(L"Tevanor.fil", "casino\x08");
    Write(L"Tevanor.asw", "http://www.example.org/free\x09");
    Write(L"Tevanor.his",
          "Canci\xF3n\x08"
          "21:07-05/12/2002\x08"
          "CASINO\x08");
  }
  ~RulesToolExe() override {
    for (const wchar_t* name : {L"Tevanor.fil", L"Tevanor.asw", L"Tevanor.his"})
      ::DeleteFileW((dir_ + L"\\" + name).c_str());
    ::RemoveDirectoryW(dir_.c_str());
  }
  void Write(const wchar_t* name, const std::string& bytes) {
    std::ofstream((dir_ + L"\\" + name).c_str(), std::ios::binary) << bytes;
  }

  Result Run(const std::vector<std::wstring>& args) {
    std::wstring command = L"\"" + Beside(L"tevanor-rules.exe") + L"\" --dir \"" + dir_ + L"\"";
    for (const std::wstring& arg : args) command += L" \"" + arg + L"\"";
    // Each pipe's read end stays here; its write end goes to the child.
    auto pipe = [](UniqueKernelHandle& read, UniqueKernelHandle& write) {
      SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
      HANDLE r = nullptr, w = nullptr;
      if (!::CreatePipe(&r, &w, &inherit, 0)) return false;
      read.reset(r);
      write.reset(w);
      return ::SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0) != 0;
    };
    UniqueKernelHandle outRead, outWrite, errRead, errWrite;
    if (!pipe(outRead, outWrite) || !pipe(errRead, errWrite)) {
      ADD_FAILURE() << "CreatePipe failed: " << ::GetLastError();
      return {};
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errWrite.get();
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &info)) {
      ADD_FAILURE() << "CreateProcess failed: " << ::GetLastError();
      return {};
    }
    const UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    outWrite.reset();  // the child holds the write ends now: reading ends when it does
    errWrite.reset();
    Result result;
    result.out = ReadAll(outRead.get());
    result.err = ReadAll(errRead.get());
    ::WaitForSingleObject(info.hProcess, 30'000);
    ::GetExitCodeProcess(info.hProcess, &result.status);
    return result;
  }

  std::wstring dir_;
};

TEST_F(RulesToolExe, AnswersInUtf8WithItsExitStatus) {
  struct Case {
    std::vector<std::wstring> args;
    DWORD status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{L"--level", L"1", L"phrases"}, 0, "1 U I casino\n", ""},
      {{L"text", L"Canci\u00F3n de PEL\u00CDCULAS porno"},
       0,
       "PEL\xC3\x8D"
       "CULAS PORNO\n",
       ""},
      {{L"--level", L"1", L"text", L"nada"}, 1, "no rule\n", ""},
      {{L"url", L"http://www.example.org/free/x", L"--ieframe", L"0"}, 0, "allowed 1198\n", ""},
      {{L"history"}, 0, "Canci\xC3\xB3n\t21:07-05/12/2002\tCASINO\n", ""},
      {{L"text", L"\u65E5\u672C"},
       2,
       "",
       "tevanor-rules: the text has a character that Windows-1252 cannot hold\n"},
  };
  for (const Case& c : cases) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

}  // namespace
}  // namespace tevanor::win32
