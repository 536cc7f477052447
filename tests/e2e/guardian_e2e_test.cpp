// The headless guardian against real programs on a Wine virtual desktop: Wine's notepad and the
// test helper's chat, applet and browser windows. Deadlines are generous and nothing asserts a
// time; "left alone" means still running after several passes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "e2e_support.h"
#include "platform/win32/win32_text.h"
#include "rules/builtin_sites.h"

namespace tevanor::e2e {
namespace {

using ::testing::ElementsAre;

constexpr DWORD kDeadline = 30'000;  // milliseconds for a block to happen
constexpr DWORD kPasses = 3'000;     // several passes of the guardian
const auto kBlockTime = ::testing::MatchesRegex(R"(\d\d:\d\d-\d\d/\d\d/\d\d\d\d)");

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
  const std::map<std::wstring, std::string> casino = {{L"Tevanor.fil", "casino\x08"}};
  const auto notepad = ::testing::HasSubstr(".txt - ");
  // clang-format off
  const Scenario scenarios[] = {
      {"built-in phrase", {}, {}, NotepadCommand("This page is for adults only.\r\n"),
       "ADULTS ONLY", 0, notepad},
      {"user word", {}, casino, NotepadCommand("Esta noche vamos al Casino."), "CASINO", 0,
       notepad},
      {"harmless text", {}, casino, NotepadCommand("La casa de mi abuela tiene un jard\xEDn."),
       nullptr},
      {"mirc", {}, {}, HelperCommand({L"window", L"#tevanor - mIRC", L"Static"}),
       "@Bloqueado Mirc@", 0, "#tevanor - mIRC"},
      {"mirc off", {.mircChat = 0}, {}, HelperCommand({L"window", L"#tevanor - mIRC", L"Static"}),
       nullptr},
      {"java", {.mircChat = 0, .javaChat = 1}, {},
       HelperCommand({L"window", L"Sala de chat", L"MSAWT_Comp_Class"}),
       "@Bloqueado por Componente de Java@", 0, "Sala de chat"},
      {"built-in site", {}, {}, Browser(L"IEFrame", ie, win32::Wide(prohibited)),
       "@Bloqueado por Administrador de Sitios@", kHelperClosed, prohibited},
      {"title", {}, {}, Browser(L"IEFrame", L"Adults only - IE", win32::Wide(news)),
       "ADULTS ONLY", kHelperClosed, news},
      {"title with the product's name", {}, {},
       Browser(L"IEFrame", L"Tevanor - Adults only - IE", win32::Wide(news)), "ADULTS ONLY",
       kHelperClosed, news},
      {"frame", {}, casino,
       Browser(L"IEFrame", ie, win32::Wide(news), {L"nada", L"loading:casino", L"Adults Only!"}),
       "ADULTS ONLY", kHelperClosed, news},
      {"mail reader", {}, {},
       Browser(L"Outlook Express Browser Class", L"Bandeja", win32::Wide(news), {L"adults only"}),
       "ADULTS ONLY", 0, "MAIL: MS Outlook Express"},
      {"chrome title", {}, {}, Frame(L"chrome", L"Videos porno gratis - Google Chrome", newsHttps),
       "PORNO GRATIS", kHelperClosed, newsHttps},
      {"chrome site over https", {}, {}, Frame(L"chrome", L"Inicio - Google Chrome", prohibitedHttps),
       "@Bloqueado por Administrador de Sitios@", kHelperClosed, prohibitedHttps},
      {"firefox page text", {}, {},
       Frame(L"firefox", L"Inicio \u2014 Mozilla Firefox", newsHttps, {L"Aqu\u00ed hay ", L"videos porno gratis"}),
       "PORNO GRATIS", kHelperClosed, newsHttps},
      {"ordinary frame", {}, {}, Frame(L"chrome", L"Noticias - Google Chrome", newsHttps, {L"El tiempo"}),
       nullptr},
      {"free access", {}, {{L"Tevanor.asw", "http://www.libre.example\x09"}},
       Browser(L"IEFrame", L"Adults only - IE", L"http://www.libre.example/", {L"adults only"}),
       nullptr},
      // Look-alike letters read as the letters they stand for.
      {"look-alike mirc", {}, {}, HelperCommand({L"window", L"#sala - \uFF4D\uFF29\uFF32\uFF23", L"Static"}),
       "@Bloqueado Mirc@", 0, "#sala - mIRC"},
      {"look-alike accent", {}, {}, HelperCommand({L"window", L"Editor", L"Edit", L"for \u0101dults only"}),
       "ADULTS ONLY", 0, "Editor"},
      {"look-alike full width", {}, {},
       HelperCommand({L"window", L"Editor", L"Edit", L"\uFF41\uFF44\uFF55\uFF4C\uFF54\uFF53 \uFF4F\uFF4E\uFF4C\uFF59"}),
       "ADULTS ONLY", 0, "Editor"},
      {"look-alike cyrillic", {}, {}, HelperCommand({L"window", L"Editor", L"Edit", L"\u0430dults \u043Enly"}),
       "ADULTS ONLY", 0, "Editor"},
      // Written so that only the text's normal form holds the phrase.
      {"dotted letters", {}, {}, HelperCommand({L"window", L"Editor", L"Edit", L"for a.d.u.l.t.s o.n.l.y"}),
       "ADULTS ONLY", 0, "Editor"},
      {"ordinary text close to a phrase", {}, {},
       HelperCommand({L"window", L"Editor", L"Edit", L"Essex, el canal sexto y un an\u00E1lisis de los E.E.U.U."}),
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
      EXPECT_TRUE(run.Running());
      continue;
    }
    EXPECT_EQ(program.WaitForExit(kDeadline), c.exitCode);
    ::Sleep(kPasses);  // later passes add nothing
    EXPECT_THAT(run.History(), ElementsAre(c.site, kBlockTime, c.cause));
    EXPECT_EQ(run.Output().size(), 1u);  // one line per block
  }
}

TEST(GuardianE2E, HungWindowsDoNotStopTheGuardian) {
  const GuardRun run;
  const HungPrograms hung(L"adults only");
  ASSERT_TRUE(hung.Ready(kDeadline));
  ::Sleep(kPasses);  // the guardian meets them before the programs it must still block come up
  const Program notepad(NotepadCommand("adults only"));
  const Program chat(HelperCommand({L"window", L"#hung - mIRC", L"Static"}));
  EXPECT_EQ(notepad.WaitForExit(kDeadline), 0u);
  EXPECT_EQ(chat.WaitForExit(kDeadline), 0u);
  // A program is ended before its block is recorded: wait for the two records themselves.
  EXPECT_TRUE(WaitUntil([&] { return run.History().size() == 2 * 3u; }, kDeadline));
  // The hung edit control's text could never be read.
  EXPECT_EQ((std::array{hung.edit.Running(), hung.browser.Running(), run.Running()}),
            (std::array{true, true, true}));
}

// A program on the desktop tries to stall the guardian, keep it busy or crash it; a chat window
// that comes up a while later must still be ended, and the guardian must go on running.
TEST(GuardianE2E, NoProgramCanStallOrCrashTheGuardian) {
  struct Hostile {
    const char* name;
    std::vector<std::wstring> args;  // the helper's, its window's title second
  };
  const Hostile hostiles[] = {
      {"silent address", {L"silent-page", L"Pagina muda", L"URL"}},
      {"silent ready state", {L"silent-page", L"Pagina muda", L"readyState"}},
      {"silent body", {L"silent-page", L"Pagina muda", L"body"}},
      {"silent text", {L"silent-page", L"Pagina muda", L"innerText"}},
      {"silent frames", {L"silent-page", L"Pagina muda", L"frames"}},
      {"silent frame", {L"silent-page", L"Pagina muda", L"item"}},
      {"frame of itself", {L"endless-frames", L"Marcos sin fin", L"1"}},
      {"2^31 frames", {L"endless-frames", L"Marcos sin fin", L"2147483647"}},
      {"slow edit controls", {L"slow-edits", L"Controles lentos", L"100", L"900"}},
      {"hung browser frame", {L"hung-frame", L"Marco colgado", L"https://www.hostil.example/"}},
  };
  for (const Hostile& h : hostiles) {
    SCOPED_TRACE(h.name);
    const GuardRun run;
    const Program hostile(HelperCommand(h.args));
    ASSERT_TRUE(WaitUntil([&] { return ::FindWindowW(nullptr, h.args[1].c_str()); }, kDeadline));
    ::Sleep(4'000);  // the guardian meets it before the chat window comes up
    const Program chat(HelperCommand({L"window", L"#sala - mIRC", L"Static"}));
    EXPECT_EQ(chat.WaitForExit(kDeadline), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
    EXPECT_THAT(run.History(), ElementsAre("#sala - mIRC", kBlockTime, "@Bloqueado Mirc@"));
    EXPECT_EQ((std::array{hostile.Running(), run.Running()}), (std::array{true, true}));
  }
}

// A browser frame whose tree hangs leaves the other frames guarded: one that shows a phrase
// later is still read, closed and recorded.
TEST(GuardianE2E, AHungBrowserFrameLeavesTheOtherFramesGuarded) {
  const GuardRun run;
  const Program hung(
      HelperCommand({L"hung-frame", L"Marco colgado", L"https://www.hostil.example/"}));
  ASSERT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, L"Marco colgado"); }, kDeadline));
  ::Sleep(4'000);  // the guardian meets it first
  const std::string news = "https://www.noticias.example/";
  const Program page(Frame(L"firefox", L"Inicio", news, {L"videos porno gratis"}));
  EXPECT_EQ(page.WaitForExit(kDeadline), kHelperClosed);
  EXPECT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
  EXPECT_THAT(run.History(), ElementsAre(news, kBlockTime, "PORNO GRATIS"));
  EXPECT_EQ((std::array{hung.Running(), run.Running()}), (std::array{true, true}));
}

TEST(GuardianE2E, VanishingWindowsAndProcessesThatCannotBeOpened) {
  const GuardRun run;
  const Program vanishing(HelperCommand({L"vanishing", L"Ventana fugaz", L"texto sin nada"}));
  const Program lockedEdit(
      HelperCommand({L"--locked", L"window", L"Editor cerrado", L"Edit", L"adults only"}));
  const Program lockedChat(HelperCommand({L"--locked", L"window", L"#cerrado - mIRC", L"Static"}));
  ASSERT_TRUE(lockedEdit.Ready(kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
  ::Sleep(kPasses);

  // A chat window is recorded even when its program cannot be ended (at every pass, since it
  // stays); an edit control whose program cannot be opened is neither ended nor recorded.
  EXPECT_THAT(run.History(),
              ::testing::Each(::testing::AnyOf("#cerrado - mIRC", kBlockTime, "@Bloqueado Mirc@")));
  EXPECT_EQ(
      (std::array{lockedChat.Running(), lockedEdit.Running(), vanishing.Running(), run.Running()}),
      (std::array{true, true, true, true}));
  const Program notepad(NotepadCommand("adults only"));
  EXPECT_EQ(notepad.WaitForExit(kDeadline), 0u);
}

}  // namespace
}  // namespace tevanor::e2e
