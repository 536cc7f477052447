// tevanor-rules.exe run as a parent would run it: a command line in UTF-16, data files in a
// real directory, and the UTF-8 answer read from its stdout and stderr byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "platform/win32/unique_handle.h"

namespace tevanor::win32 {
namespace {

namespace fs = std::filesystem;
using Result = std::tuple<DWORD, std::string, std::string>;  // status, stdout, stderr

// tevanor-rules.exe, found beside this program (where CreateProcess looks first), over the data
// files of `dir`: its exit status and what it wrote to stdout and stderr, through pipes.
Result RunTool(const fs::path& dir, const std::wstring& args) {
  std::wstring command = L"tevanor-rules.exe --dir \"" + dir.wstring() + L"\" " + args;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE ends[4] = {};  // stdout's read and write ends, then stderr's
  ::CreatePipe(&ends[0], &ends[1], &inherit, 0);
  ::CreatePipe(&ends[2], &ends[3], &inherit, 0);
  UniqueKernelHandle outRead(ends[0]), outWrite(ends[1]), errRead(ends[2]), errWrite(ends[3]);
  ::SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(errRead.get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite.get();
  startup.hStdError = errWrite.get();
  PROCESS_INFORMATION info{};
  DWORD status = 0;
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &info)) {
    const UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process.get(), 30'000);
    ::GetExitCodeProcess(process.get(), &status);
  }
  outWrite.reset();  // reading ends once every writer has closed its end
  errWrite.reset();
  const auto read = [](const UniqueKernelHandle& pipe) {
    std::string bytes;
    char buffer[4096];
    for (DWORD got = 0; ::ReadFile(pipe.get(), buffer, sizeof buffer, &got, nullptr) && got > 0;)
      bytes.append(buffer, got);
    return bytes;
  };
  return {status, read(outRead), read(errRead)};
}

TEST(RulesToolExe, AnswersInUtf8WithItsExitStatus) {
  const fs::path dir = fs::temp_directory_path() / "tevanor-rules";
  fs::create_directory(dir);
  std::ofstream(dir / "Tevanor.his", std::ios::binary) << "Canci\xF3n\b21:07\bCASINO\b";
  const std::pair<std::wstring, Result> cases[] = {
      {L"text \"Canci\u00F3n de PEL\u00CDCULAS porno\"", {0, "PEL\303\215CULAS PORNO\n", ""}},
      {L"history", {0, "Canci\303\263n\t21:07\tCASINO\n", ""}},
      {L"text \"\u0430dults \u043En\u200Bly\"",
       {0, "ADULTS ONLY\tnormal form\n", ""}},  // а о, ZWSP
      {L"text \u65E5\u672C", {1, "no rule\n", ""}},
  };
  for (const auto& [args, result] : cases) EXPECT_EQ(RunTool(dir, args), result);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tevanor::win32
