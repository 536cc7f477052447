// The headless guardian against real programs on a Wine virtual desktop: Wine's notepad and the
// test helper's chat, applet and browser windows. Deadlines are generous and nothing asserts a
// time; "left alone" means still running after several passes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "e2e_support.h"
#include "platform/win32/win32_text.h"
#include "rules/builtin_sites.h"

namespace tevanor::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

constexpr auto kDeadline = std::chrono::seconds(30);  // for a block to happen
constexpr auto kPasses = std::chrono::seconds(3);     // several passes of the guardian
constexpr const char* kBlockTime = R"(\d\d:\d\d-\d\d/\d\d/\d\d\d\d)";

struct Scenario {
  const char* name;
  GuardProfile profile;
  std::map<std::wstring, std::string> files;
  std::vector<std::wstring> helper;  // the helper's arguments; none: notepad showing `text`
  std::string text;
  const char* cause;  // the recorded cause; nullptr: left alone
  DWORD exitCode;     // 0: ended; kHelperClosed: asked to close
  ::testing::Matcher<const std::string&> site = "";
};

TEST(GuardianE2E, EndsOrClosesWhatShowsARuleAndLeavesTheRestAlone) {
  const std::wstring prohibited = win32::Wide(std::string(kBuiltInSiteTable[0])) + L"/index.html";
  const std::wstring news = L"http://www.noticias.example/";
  const std::map<std::wstring, std::string> casino = {{L"Tevanor.fil", "casino\x08"}};
  const Scenario scenarios[] = {
      {"built-in phrase",
       {},
       {},
       {},
       "This page is for adults only.\r\n",
       "ADULTS ONLY",
       0,
       HasSubstr(".txt - ")},
      {"user word",
       {},
       casino,
       {},
       "Esta noche vamos al Casino.",
       "CASINO",
       0,
       HasSubstr(".txt - ")},
      {"exact-case word",
       {},
       {{L"Tevanor.fil", "poker\x09Poker\x09"}},
       {},
       "Una partida de Poker.",
       "Poker",
       0,
       HasSubstr(".txt - ")},
      {"harmless text", {}, casino, {}, "La casa de mi abuela tiene un jard\xEDn.", nullptr, 0},
      {"mirc",
       {},
       {},
       {L"window", L"#tevanor - mIRC", L"Static"},
       "",
       "@Bloqueado Mirc@",
       0,
       "#tevanor - mIRC"},
      {"mirc off", {.mircChat = 0}, {}, {L"window", L"#tevanor - mIRC", L"Static"}, "", nullptr, 0},
      {"java",
       {.mircChat = 0, .javaChat = 1},
       {},
       {L"window", L"Sala de chat", L"MSAWT_Comp_Class"},
       "",
       "@Bloqueado por Componente de Java@",
       0,
       "Sala de chat"},
      {"built-in site",
       {},
       {},
       {L"browser", L"IEFrame", L"Inicio", prohibited, L"Noticias"},
       "",
       "@Bloqueado por Administrador de Sitios@",
       kHelperClosed,
       win32::Narrow(prohibited)},
      {"title",
       {},
       {},
       {L"browser", L"IEFrame", L"Adults only - IE", news, L"Noticias"},
       "",
       "ADULTS ONLY",
       kHelperClosed,
       win32::Narrow(news)},
      {"frame",
       {},
       {},
       {L"browser", L"IEFrame", L"Inicio", news, L"Noticias", L"nada", L"loading:adults only",
        L"Adults Only!"},
       "",
       "ADULTS ONLY",
       kHelperClosed,
       win32::Narrow(news)},
      {"mail reader",
       {},
       {},
       {L"browser", L"Outlook Express Browser Class", L"Bandeja de entrada", news, L"adults only"},
       "",
       "ADULTS ONLY",
       0,
       "MAIL: MS Outlook Express"},
      {"free access",
       {},
       {{L"Tevanor.asw", "http://www.libre.example\x09"}},
       {L"browser", L"IEFrame", L"Adults only - IE", L"http://www.libre.example/", L"adults only",
        L"adults only"},
       "",
       nullptr,
       0},
  };
  for (const Scenario& c : scenarios) {
    SCOPED_TRACE(c.name);
    GuardRun run(c.profile, c.files);
    const Program program(c.helper.empty() ? NotepadCommand(run.directory(), c.text)
                                           : HelperCommand(c.helper));
    if (!c.cause) {
      ASSERT_TRUE(program.Ready(kDeadline));
      EXPECT_EQ(program.WaitForExit(kPasses), std::nullopt);
      EXPECT_TRUE(run.History().empty());
      EXPECT_TRUE(run.Running());
      continue;
    }
    EXPECT_EQ(program.WaitForExit(kDeadline), c.exitCode);
    std::this_thread::sleep_for(kPasses);  // later passes add nothing
    EXPECT_THAT(run.History(), ElementsAre(ElementsAre(c.site, MatchesRegex(kBlockTime), c.cause)));
    EXPECT_EQ(run.Output().size(), 1u);  // one line per block
  }
}

// A hung program never waits for input: its windows are looked for instead.
bool HungWindowsShown() {
  return ::FindWindowW(nullptr, L"Editor colgado") && ::FindWindowW(nullptr, L"Navegador colgado");
}

TEST(GuardianE2E, HungWindowsDoNotStopTheGuardian) {
  GuardRun run;
  const Program hungEdit(HelperCommand({L"hung-edit", L"Editor colgado", L"adults only"}));
  const Program hungBrowser(HelperCommand({L"hung-browser", L"Navegador colgado"}));
  ASSERT_TRUE(WaitUntil(HungWindowsShown, kDeadline));

  const Program notepad(NotepadCommand(run.directory(), "adults only"));
  const Program chat(HelperCommand({L"window", L"#hung - mIRC", L"Static"}));
  EXPECT_EQ(notepad.WaitForExit(kDeadline), 0u);
  EXPECT_EQ(chat.WaitForExit(kDeadline), 0u);
  // The hung edit control's text could never be read.
  EXPECT_EQ((std::array{hungEdit.Running(), hungBrowser.Running(), run.Running()}),
            (std::array{true, true, true}));
  EXPECT_EQ(run.History().size(), 2u);
}

TEST(GuardianE2E, VanishingWindowsAndProcessesThatCannotBeOpened) {
  GuardRun run;
  const Program vanishing(HelperCommand({L"vanishing", L"Ventana fugaz", L"texto sin nada"}));
  const Program lockedEdit(
      HelperCommand({L"--locked", L"window", L"Editor cerrado", L"Edit", L"adults only"}));
  const Program lockedChat(HelperCommand({L"--locked", L"window", L"#cerrado - mIRC", L"Static"}));
  ASSERT_TRUE(lockedEdit.Ready(kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
  std::this_thread::sleep_for(kPasses);

  // A chat window is recorded even when its program cannot be ended (at every pass, since it
  // stays); an edit control whose program cannot be opened is neither ended nor recorded.
  EXPECT_THAT(run.History(),
              ::testing::Each(ElementsAre("#cerrado - mIRC", ::testing::_, ::testing::_)));
  EXPECT_EQ(
      (std::array{lockedChat.Running(), lockedEdit.Running(), vanishing.Running(), run.Running()}),
      (std::array{true, true, true, true}));
  const Program notepad(NotepadCommand(run.directory(), "adults only"));
  EXPECT_EQ(notepad.WaitForExit(kDeadline), 0u);
}

}  // namespace
}  // namespace tevanor::e2e
