// The headless guardian against real programs on a Wine virtual desktop: Wine's notepad and the
// test helper's chat, applet and browser windows, one case per kind of block (the rules
// themselves are tested natively). Deadlines are generous and nothing asserts a time; "left
// alone" means still running after several passes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "e2e_support.h"
#include "platform/win32/win32_text.h"
#include "rules/builtin_sites.h"

namespace tevanor::e2e {
namespace {

using ::testing::ElementsAre;

constexpr DWORD kPasses = 3'000;  // several passes of the guardian
const auto kBlockTime = ::testing::MatchesRegex(R"(\d\d:\d\d-\d\d/\d\d/\d\d\d\d)");
const auto kNotepad = ::testing::HasSubstr(".txt - ");

struct Scenario {
  const char* name;
  GuardProfile profile;
  std::map<std::wstring, std::string> files;
  std::wstring program;  // its command line
  const char* cause;     // the recorded cause; nullptr: left alone
  DWORD exitCode = 0;    // 0: ended; kHelperClosed: asked to close
  ::testing::Matcher<const std::string&> site = "";
};

std::wstring Browser(const wchar_t* topClass, const wchar_t* title, const std::wstring& address,
                     std::vector<std::wstring> frames = {}) {
  frames.insert(frames.begin(), {L"browser", topClass, title, address, L"Noticias"});
  return HelperCommand(frames);
}

// A frame of today's browsers: KIND "chrome" or "firefox", its title, address and page texts.
std::wstring Frame(const wchar_t* kind, const wchar_t* title, const std::string& address,
                   std::vector<std::wstring> texts = {}) {
  texts.insert(texts.begin(), {std::wstring(kind) + L"-frame", title, win32::Wide(address)});
  return HelperCommand(texts);
}

TEST(GuardianE2E, EndsOrClosesWhatShowsARuleAndLeavesTheRestAlone) {
  const std::string prohibited = std::string(kBuiltInSiteTable[0]) + "/index.html";
  // The same built-in site over https, through a language subdomain.
  const std::string prohibitedHttps =
      "https://es." + std::string(kBuiltInSiteTable[0]).substr(11) + "/videos";
  const std::string newsHttps = "https://www.noticias.example/";
  const std::string news = "http://www.noticias.example/";
  const wchar_t* ie = L"Inicio - Microsoft Internet Explorer";
  // clang-format off
  const Scenario scenarios[] = {
      {"built-in phrase", {}, {}, NotepadCommand("This page is for adults only.\r\n"),
       "ADULTS ONLY", 0, kNotepad},
      {"user word", {}, {{L"Tevanor.fil", "casino\x08"}}, NotepadCommand("Esta noche vamos al Casino."),
       "CASINO", 0, kNotepad},
      // Look-alike letters in a title read as the letters they stand for.
      {"mirc", {}, {}, HelperCommand({L"window", L"#sala - \uFF4D\uFF29\uFF32\uFF23", L"Static"}),
       "@Bloqueado Mirc@", 0, "#sala - mIRC"},
      {"java", {.javaChat = 1}, {}, HelperCommand({L"window", L"Sala de chat", L"MSAWT_Comp_Class"}),
       "@Bloqueado por Componente de Java@", 0, "Sala de chat"},
      {"built-in site", {}, {}, Browser(L"IEFrame", ie, win32::Wide(prohibited)),
       "@Bloqueado por Administrador de Sitios@", kHelperClosed, prohibited},
      {"frame", {}, {},
       Browser(L"IEFrame", ie, win32::Wide(news), {L"nada", L"Adults Only!"}),
       "ADULTS ONLY", kHelperClosed, news},
      {"mail reader", {}, {},
       Browser(L"Outlook Express Browser Class", L"Bandeja", win32::Wide(news), {L"adults only"}),
       "ADULTS ONLY", 0, "MAIL: MS Outlook Express"},
      {"chrome address", {}, {}, Frame(L"chrome", L"Inicio - Google Chrome", prohibitedHttps),
       "@Bloqueado por Administrador de Sitios@", kHelperClosed, prohibitedHttps},
      {"firefox page text", {}, {},
       Frame(L"firefox", L"Inicio \u2014 Mozilla Firefox", newsHttps, {L"Aqu\u00ed hay ", L"videos porno gratis"}),
       "PORNO GRATIS", kHelperClosed, newsHttps},
      {"free access", {}, {{L"Tevanor.asw", "http://www.libre.example\x09"}},
       Browser(L"IEFrame", L"Adults only - IE", L"http://www.libre.example/", {L"adults only"}),
       nullptr},
  };
  // clang-format on
  for (const Scenario& c : scenarios) {
    SCOPED_TRACE(c.name);
    const GuardRun run(c.profile, c.files);
    const Program program(c.program);
    if (!c.cause) {
      ASSERT_TRUE(program.Ready(kDeadline));
      EXPECT_EQ(program.WaitForExit(kPasses), std::nullopt);
      EXPECT_TRUE(run.History().empty());
      continue;
    }
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
      {"silent address", {L"silent-page", L"Pagina muda", L"URL"}},
      {"silent frame", {L"silent-page", L"Pagina muda", L"item"}},
      {"frame of itself", {L"endless-frames", L"Marcos sin fin", L"1"}},
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
