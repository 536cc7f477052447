#include "tools/rules_tool/rules_tool.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "text/cp1252.h"

namespace tevanor {
namespace {

class RulesToolTest : public ::testing::Test {
 protected:
  RulesToolTest() {
    files.Put(kWordFileName, "casino\bXXX\t");
    files.Put(kSiteFileName, "http://www.pornhub.com/free\thttp://bad.example\b");
    files.Put(kHistoryFileName,
              std::string("http://bad/\b09:05\bSitio\bCanción\b21:07\bCASINO\b"_ansi));
  }
  // Status, stdout and what stderr says before the usage, in one line.
  std::tuple<int, std::string, std::string> Run(const std::vector<std::string>& args) {
    std::string out, err;
    const int status = RunRulesTool(
        args,
        [this](const std::string& dir) { return dir == "." || dir == "data" ? &files : nullptr; },
        [this] { return input; }, out, err);
    EXPECT_TRUE(err.empty() ||
                (err.starts_with("tevanor-rules: ") && err.find('\n') == err.size() - 1))
        << err;
    return {status, out, err.substr(std::min<std::size_t>(err.size(), 15), err.find(';') - 15)};
  }

  testing::FakeDataDirectory files;
  std::string input = "Vídeos  pórno\tgrátis\n";  // standard input
};

TEST_F(RulesToolTest, AnswersEachQuestionAndRefusesWhatItCannotAnswer) {
  const std::pair<std::vector<std::string>, std::tuple<int, std::string, std::string>> cases[] = {
      {{"--level", "1", "phrases"}, {0, "1 U I casino\n2 U C XXX\n", ""}},
      {{"--dir", "data", "--level", "1", "text", "un Casino"}, {0, "CASINO\n", ""}},
      {{"text", "--level", "1", "XXX"}, {0, "XXX\n", ""}},
      {{"text", "Sólo para adultos"}, {0, "SÓLO PARA ADULTOS\n", ""}},  // a row after the 30th
      {{"--level", "256", "text", "Sólo para adultos"}, {1, "no rule\n", ""}},  // 256 is level 0
      {{"--builtin-sites", "0", "sites"},
       {0, "1 A U http://www.pornhub.com/free\n2 P U http://bad.example\n", ""}},
      {{"url", "http://www.pornhub.com/free/1"}, {0, "prohibited 2\n", ""}},
      {{"--builtin-sites", "0", "url", "http://www.pornhub.com/free/1"}, {0, "allowed 1\n", ""}},
      {{"url", "http://www.pornhub.com/free/1", "--ieframe", "0"}, {0, "allowed 1198\n", ""}},
      {{"url", "http://bad.example/", "--ieframe", "0"}, {1, "no rule\n", ""}},
      {{"url", "http://bad.example/", "--ieframe", "1"}, {0, "prohibited 1199\n", ""}},
      {{"history"}, {0, "Canción\t21:07\tCASINO\nhttp://bad/\t09:05\tSitio\n", ""}},
      {{}, {2, "", "no command"}},
      {{"rules"}, {2, "", "unknown command rules"}},
      {{"text"}, {2, "", "wrong number of arguments for text"}},
      {{"--level", "high", "phrases"}, {2, "", "bad option --level high"}},
      {{"phrases", "--ieframe", "1"}, {2, "", "--ieframe goes with url only"}},
      {{"phrases", "--dir"}, {2, "", "--dir needs a value"}},
      {{"text", "\xFF"}, {2, "", "the text is not UTF-8\n"}},
      // The second look, said after a tab, for a text from standard input.
      {{"text", "-"}, {0, "PORNO GRATIS\tnormal form\n", ""}},
      {{"text", "аdults оnly"}, {0, "ADULTS ONLY\n", ""}},  // look-alikes read as letters
      {{"--dir", "missing", "sites"}, {2, "", "cannot read directory missing\n"}},
  };
  for (const auto& [args, result] : cases)
    EXPECT_EQ(Run(args), result) << ::testing::PrintToString(args);
}

TEST_F(RulesToolTest, AFileTheRunningProgramHoldsIsAnError) {
  const std::pair<std::string_view, std::string> held[] = {
      {kWordFileName, "phrases"}, {kSiteFileName, "sites"}, {kHistoryFileName, "history"}};
  for (const auto& [name, command] : held) {
    files.HoldOpen(name);
    EXPECT_EQ(Run({command}), std::make_tuple(2, "", "cannot read ./" + std::string(name) + "\n"));
    files.Release(name);
  }
}

}  // namespace
}  // namespace tevanor
