#include "tools/rules_tool/rules_tool.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "rules/builtin_phrases.h"
#include "rules/builtin_sites.h"
#include "text/cp1252.h"

namespace tevanor {
namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

class RulesToolTest : public ::testing::Test {
 protected:
  RulesToolTest() {
    files.Put(kWordFileName, "casino\x08XXX\x09");
    files.Put(kSiteFileName, "http://www.pornhub.com/free\x09http://bad.example\x08");
    files.Put(kHistoryFileName,
              "http://bad.example/\x08"
              "09:05-01/02/2003\x08"
              "@Bloqueado por Administrador de Sitios@\x08" +
                  std::string("Canción\x08"
                              "21:07-05/12/2002\x08"
                              "CASINO\x08"_ansi));
  }
  Result Run(std::vector<std::string> args) {
    Result r;
    r.status = RunRulesTool(
        args,
        [this](const std::string& dir) { return dir == "." || dir == "data" ? &files : nullptr; },
        r.out, r.err);
    return r;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }

  testing::FakeDataDirectory files;
};

TEST_F(RulesToolTest, AnswersEachQuestion) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {{"--level", "1", "phrases"}, 0, "1 U I casino\n2 U C XXX\n"},
      {{"--dir", "data", "--level", "1", "text", "un Casino"}, 0, "CASINO\n"},
      {{"--level", "1", "text", "xxx"}, 1, "no rule\n"},
      {{"text", "--level", "1", "XXX"}, 0, "XXX\n"},
      {{"text", "Ver PORNO gratis, niño"}, 0, "PORNO GRATIS\n"},
      {{"text", "Las películas porno"}, 0, "PELÍCULAS PORNO\n"},
      {{"--builtin-sites", "0", "sites"},
       0,
       "1 A U http://www.pornhub.com/free\n2 P U http://bad.example\n"},
      {{"url", "http://www.pornhub.com/free/1"}, 0, "prohibited 2\n"},
      {{"--builtin-sites", "0", "url", "http://www.pornhub.com/free/1"}, 0, "allowed 1\n"},
      {{"url", "http://www.pornhub.com/free/1", "--ieframe", "0"}, 0, "allowed 1198\n"},
      {{"url", "http://bad.example/", "--ieframe", "0"}, 1, "no rule\n"},
      {{"url", "http://bad.example/", "--ieframe", "1"}, 0, "prohibited 1199\n"},
      {{"url", "http://www.example.org/"}, 1, "no rule\n"},
      {{"history"},
       0,
       "Canción\t21:07-05/12/2002\tCASINO\n"
       "http://bad.example/\t09:05-01/02/2003\t@Bloqueado por Administrador de Sitios@\n"},
  };
  for (const Case& c : cases) {
    const Result r = Run(c.args);
    std::string command;
    for (const std::string& a : c.args) command += a + " ";
    EXPECT_EQ(r.status, c.status) << command;
    EXPECT_EQ(r.out, c.out) << command;
    EXPECT_EQ(r.err, "") << command;
  }
}

TEST_F(RulesToolTest, ListsTheWholeLibraryAndTheBuiltInSitesByDefault) {
  const std::vector<std::string> phrases = Lines(Run({"phrases"}).out);
  ASSERT_EQ(phrases.size(), kBuiltInPhraseRows + 2);
  EXPECT_EQ(phrases[0], "1 B I " + Cp1252ToUtf8(kBuiltInPhraseTable[0]));
  EXPECT_EQ(phrases[539], "540 U C XXX");
  EXPECT_EQ(Lines(Run({"--level", "256", "phrases"}).out).size(), kMediumPhraseRows + 2);

  const std::vector<std::string> sites = Lines(Run({"sites"}).out);
  ASSERT_EQ(sites.size(), kBuiltInSiteRows + 2);
  EXPECT_EQ(sites[0], "1 P B " + std::string(kBuiltInSiteTable[0]));
  EXPECT_EQ(sites[1197], "1198 A U http://www.pornhub.com/free");
}

TEST_F(RulesToolTest, RefusesBadCommandLinesAndUnreadableFiles) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{}, "tevanor-rules: no command; usage: "},
      {{"rules"}, "tevanor-rules: unknown command rules; usage: "},
      {{"text"}, "tevanor-rules: wrong number of arguments for text; usage: "},
      {{"sites", "extra"}, "tevanor-rules: wrong number of arguments for sites; usage: "},
      {{"--level", "high", "phrases"}, "tevanor-rules: bad option --level high; usage: "},
      {{"--builtin-sites", "2", "sites"}, "tevanor-rules: bad option --builtin-sites 2; usage: "},
      {{"phrases", "--ieframe", "1"}, "tevanor-rules: --ieframe goes with url only; usage: "},
      {{"phrases", "--dir"}, "tevanor-rules: --dir needs a value; usage: "},
      {{"text", "日本"}, "tevanor-rules: the text has a character that Windows-1252 cannot hold\n"},
      {{"--dir", "missing", "sites"}, "tevanor-rules: cannot read directory missing\n"},
  };
  for (const Case& c : cases) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.status, 2) << c.err;
    EXPECT_EQ(r.out, "") << c.err;
    EXPECT_TRUE(r.err.starts_with(c.err)) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line: " << r.err;
  }
  for (const std::string_view name : {kWordFileName, kSiteFileName, kHistoryFileName}) {
    files.HoldOpen(name);  // the running program has it open
    const Result r = Run({name == kWordFileName   ? "phrases"
                          : name == kSiteFileName ? "sites"
                                                  : "history"});
    EXPECT_EQ(r.status, 2) << name;
    EXPECT_EQ(r.err, "tevanor-rules: cannot read ./" + std::string(name) + "\n");
    files.Release(name);
  }
}

}  // namespace
}  // namespace tevanor
