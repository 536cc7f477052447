// tevanor-rules.exe run as a parent would run it: a command line in UTF-16, data files in a
// real directory, and the UTF-8 answer read from its output byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "e2e_support.h"

namespace tevanor::e2e {
namespace {

namespace fs = std::filesystem;

TEST(RulesToolExe, AnswersInUtf8WithItsExitStatus) {
  const fs::path dir = fs::temp_directory_path() / "tevanor-rules";
  fs::create_directory(dir);
  std::ofstream(dir / "Tevanor.his", std::ios::binary) << "Canci\xF3n\b21:07\bCASINO\b";
  const std::wstring output = (dir / "output.txt").wstring();
  const std::pair<std::wstring, std::pair<DWORD, std::string>> cases[] = {
      {L"text \"Canci\u00F3n de PEL\u00CDCULAS porno\"", {0, "PEL\303\215CULAS PORNO\n"}},
      {L"history", {0, "Canci\303\263n\t21:07\tCASINO\n"}},
      {L"text \"\u0430dults \u043En\u200Bly\"", {0, "ADULTS ONLY\tnormal form\n"}},  // а о, ZWSP
      {L"text \u65E5\u672C", {1, "no rule\n"}},
  };
  for (const auto& [args, result] : cases) {
    std::optional<DWORD> status;
    {
      SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
      const win32::UniqueFile file(::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                 &inherit, CREATE_ALWAYS, 0, nullptr));
      // Found beside this program, where CreateProcess looks first.
      const Program tool(L"tevanor-rules.exe --dir \"" + dir.wstring() + L"\" " + args, file.get());
      status = tool.WaitForExit(30'000);
    }
    std::string text;
    for (const std::string& line : ReadFields(output, '\n')) text += line + "\n";
    EXPECT_EQ(std::make_pair(status.value_or(99), text), result);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tevanor::e2e
