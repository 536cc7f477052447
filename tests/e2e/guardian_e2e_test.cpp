// The headless guardian against real programs on a Wine virtual desktop: Wine's notepad and the
// test helper's chat and browser windows, one case per way another program's window is read and
// acted on (the rules themselves are tested natively). Deadlines are generous and nothing
// asserts a time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "e2e_support.h"
#include "rules/builtin_sites.h"

namespace tevanor::e2e {
namespace {

using ::testing::ElementsAre;

constexpr DWORD kPasses = 3'000;  // several passes of the guardian
const auto kBlockTime = ::testing::MatchesRegex(R"(\d\d:\d\d-\d\d/\d\d/\d\d\d\d)");
const auto kNotepad = ::testing::HasSubstr(".txt - ");

// An edit control, a chat window's title, a document object and an accessibility tree, each in
// a program of its own: the program is ended, or asked to close, and the block recorded once.
TEST(GuardianE2E, EndsOrClosesWhatShowsARule) {
  const std::string prohibited = std::string(kBuiltInSiteTable[0]) + "/index.html";
  const std::string news = "https://www.noticias.example/";
  struct Scenario {
    const char* name;
    std::map<std::wstring, std::string> files;
    std::wstring program;  // its command line
    const char* cause;
    DWORD exitCode;  // 0: ended; kHelperClosed: asked to close
    ::testing::Matcher<const std::string&> site;
  };
  // clang-format off
  const Scenario scenarios[] = {
      {"user word", {{L"Tevanor.fil", "casino\x08"}}, NotepadCommand("Esta noche vamos al Casino."),
       "CASINO", 0, kNotepad},
      // Look-alike letters in a title read as the letters they stand for.
      {"mirc", {}, HelperCommand({L"window", L"#sala - \uFF4D\uFF29\uFF32\uFF23", L"Static"}),
       "@Bloqueado Mirc@", 0, "#sala - mIRC"},
      {"document", {}, HelperCommand({L"browser", L"IEFrame", L"Inicio - Microsoft Internet Explorer",
                                      std::wstring(prohibited.begin(), prohibited.end()), L"Noticias"}),
       "@Bloqueado por Administrador de Sitios@", kHelperClosed, prohibited},
      {"accessibility tree", {},
       HelperCommand({L"chrome-frame", L"Inicio - Google Chrome", L"https://www.noticias.example/",
                      L"Aqu\u00ed hay ", L"videos porno gratis"}),
       "PORNO GRATIS", kHelperClosed, news},
  };
  // clang-format on
  for (const Scenario& c : scenarios) {
    SCOPED_TRACE(c.name);
    const GuardRun run(c.files);
    const Program program(c.program);
    EXPECT_EQ(program.WaitForExit(kDeadline), c.exitCode);
    ::Sleep(kPasses);  // later passes add nothing
    EXPECT_THAT(run.History(), ElementsAre(c.site, kBlockTime, c.cause));
    EXPECT_EQ(run.Output().size(), 1u);  // one line per block
  }
}

// A program on the desktop hangs, stalls the guardian's calls, keeps it busy or cannot be
// opened; a notepad with a phrase that comes up a while later must still be ended and recorded
// alone, and neither the guardian nor that program may have ended.
TEST(GuardianE2E, NoProgramCanStallOrCrashTheGuardian) {
  struct Hostile {
    const char* name;
    std::vector<std::wstring> args;  // the helper's, its window's title second
  };
  const Hostile hostiles[] = {
      {"hung edit control", {L"hung-edit", L"Editor colgado", L"adults only"}},
      {"hung browser", {L"hung-browser", L"Navegador colgado"}},
      {"silent address", {L"silent-page", L"Pagina muda"}},
      {"hung browser frame", {L"hung-frame", L"Marco colgado", L"https://www.hostil.example/"}},
      {"slow edit controls", {L"slow-edits", L"Controles lentos", L"100", L"900"}},
      {"locked process", {L"--locked", L"window", L"Editor cerrado", L"Edit", L"adults only"}},
  };
  for (const Hostile& h : hostiles) {
    SCOPED_TRACE(h.name);
    const GuardRun run;
    const Program hostile(HelperCommand(h.args));
    const std::wstring& title = h.args[h.args[0] == L"--locked" ? 2 : 1];
    ASSERT_TRUE(WaitUntil([&] { return ::FindWindowW(nullptr, title.c_str()); }, kDeadline));
    ::Sleep(4'000);  // the guardian meets it before the notepad comes up
    const Program notepad(NotepadCommand("adults only"));
    EXPECT_EQ(notepad.WaitForExit(kDeadline), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
    EXPECT_THAT(run.History(), ElementsAre(kNotepad, kBlockTime, "ADULTS ONLY"));
    EXPECT_EQ((std::array{hostile.Running(), run.Running()}), (std::array{true, true}));
  }
}

}  // namespace
}  // namespace tevanor::e2e
