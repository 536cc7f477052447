// The headless guardian against real programs on a Wine virtual desktop: Wine's notepad and the
// test helper's chat, applet and browser windows. Deadlines are generous and nothing asserts a
// time; "left alone" means still running after several passes.
#include <gtest/gtest.h>

#include <regex>

#include "e2e_support.h"
#include "platform/win32/win32_text.h"
#include "rules/builtin_sites.h"

namespace tevanor::e2e {
namespace {

using namespace std::chrono_literals;
using Record = std::vector<std::string>;

constexpr auto kDeadline = 30s;  // for a block to happen
constexpr auto kPasses = 3s;     // several passes of the guardian

bool IsBlockTime(const std::string& text) {
  return std::regex_match(text, std::regex(R"(\d\d:\d\d-\d\d/\d\d/\d{4})"));
}

std::wstring Wide(const std::string& text) {
  return win32::Wide(text);
}

// Waits for `program` to end, then a few passes more, and returns the history.
std::vector<Record> HistoryAfterExit(const GuardRun& run, const Program& program, DWORD* code) {
  EXPECT_TRUE(program.WaitForExit(kDeadline, code)) << "the program was not blocked";
  ::Sleep(std::chrono::milliseconds(kPasses).count());
  return run.History();
}

// Runs a few passes and checks that `program` is still there and nothing was recorded.
void ExpectLeftAlone(const GuardRun& run, const Program& program) {
  ::Sleep(std::chrono::milliseconds(kPasses).count());
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(run.History().empty());
  EXPECT_TRUE(run.Running());
}

TEST(NotepadE2E, APhraseInNotepadEndsItWithOneRecord) {
  struct Case {
    const char* text;
    std::string wordFile;
    const char* cause;
  };
  for (const Case& c : {Case{"This page is for adults only.\r\n", "", "ADULTS ONLY"},
                        Case{"Esta noche vamos al Casino.", "casino\x08", "CASINO"},
                        Case{"Una partida de Poker.", "poker\x09Poker\x09", "Poker"}}) {
    SCOPED_TRACE(c.text);
    GuardRun run({}, {{L"Tevanor.fil", c.wordFile}});
    const auto notepad = StartNotepad(run.directory(), c.text);
    ASSERT_TRUE(notepad);
    DWORD code = 1;
    const std::vector<Record> history = HistoryAfterExit(run, *notepad, &code);
    EXPECT_EQ(code, 0u);  // ended, not closed
    ASSERT_EQ(history.size(), 1u);
    EXPECT_NE(history[0][0].find(".txt - "), std::string::npos) << history[0][0];
    EXPECT_TRUE(IsBlockTime(history[0][1])) << history[0][1];
    EXPECT_EQ(history[0][2], c.cause);
    EXPECT_EQ(run.Lines().size(), 1u);
  }
}

TEST(NotepadE2E, HarmlessTextIsLeftAlone) {
  GuardRun run({}, {{L"Tevanor.fil", "casino\x08"}});
  const auto notepad = StartNotepad(run.directory(), "La casa de mi abuela tiene un jard\xEDn.");
  ASSERT_TRUE(notepad && notepad->WaitForWindow(L".txt", kDeadline));
  ExpectLeftAlone(run, *notepad);
}

TEST(ChatE2E, ChatProgramsAreEndedWhileTheirSwitchIsOn) {
  struct Case {
    GuardProfile profile;
    std::vector<std::wstring> helper;
    const char* cause;  // nullptr: left alone
  };
  const Case cases[] = {
      {{.mircChat = 1}, {L"window", L"#tevanor - mIRC", L"Static"}, "@Bloqueado Mirc@"},
      {{.mircChat = 0}, {L"window", L"#tevanor - mIRC", L"Static"}, nullptr},
      {{.mircChat = 0, .javaChat = 1},
       {L"window", L"Sala de chat", L"MSAWT_Comp_Class"},
       "@Bloqueado por Componente de Java@"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(win32::Narrow(c.helper[1]));
    GuardRun run(c.profile);
    const auto helper = StartHelper(c.helper);
    ASSERT_TRUE(helper && helper->WaitForWindow(c.helper[1], kDeadline));
    if (!c.cause) {
      ExpectLeftAlone(run, *helper);
      continue;
    }
    DWORD code = 1;
    const std::vector<Record> history = HistoryAfterExit(run, *helper, &code);
    EXPECT_EQ(code, 0u);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0][0], win32::Narrow(c.helper[1]));
    EXPECT_EQ(history[0][2], c.cause);
  }
}

// The helper's browser window: class, title, address, body text and frames.
struct Browser {
  const wchar_t* topClass = L"IEFrame";
  std::wstring title = L"Inicio - Microsoft Internet Explorer";
  std::wstring address = L"http://www.noticias.example/";
  std::wstring body = L"Noticias del d\u00EDa";
  std::vector<std::wstring> frames = {};
};

TEST(BrowserE2E, PagesAreClosedByAddressTitleAndTextAndMailReadersEnded) {
  const std::wstring prohibited = Wide(std::string(kBuiltInSiteTable[0])) + L"/index.html";
  struct Case {
    const char* name;
    Browser browser;
    DWORD exitCode;
    Record record;  // time left out
  };
  const Case cases[] = {
      {"built-in site",
       {.address = prohibited},
       kHelperClosed,
       {win32::Narrow(prohibited), "@Bloqueado por Administrador de Sitios@"}},
      {"title",
       {.title = L"Adults only - Microsoft Internet Explorer"},
       kHelperClosed,
       {"http://www.noticias.example/", "ADULTS ONLY"}},
      {"frame",
       {.frames = {L"nada", L"portada", L"loading:adults only", L"Adults Only!"}},
       kHelperClosed,
       {"http://www.noticias.example/", "ADULTS ONLY"}},
      {"mail reader",
       {.topClass = L"Outlook Express Browser Class",
        .title = L"Bandeja de entrada",
        .body = L"adults only"},
       0,
       {"MAIL: MS Outlook Express", "ADULTS ONLY"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GuardRun run;
    std::vector<std::wstring> args = {L"browser", c.browser.topClass, c.browser.title,
                                      c.browser.address, c.browser.body};
    args.insert(args.end(), c.browser.frames.begin(), c.browser.frames.end());
    const auto helper = StartHelper(args);
    ASSERT_TRUE(helper);
    DWORD code = 1;
    const std::vector<Record> history = HistoryAfterExit(run, *helper, &code);
    EXPECT_EQ(code, c.exitCode) << (code == 0 ? "ended" : "closed");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ((Record{history[0][0], history[0][2]}), c.record);
  }
}

TEST(BrowserE2E, AFreeAccessAddressIsLeftOpenWhateverItShows) {
  GuardRun run({}, {{L"Tevanor.asw", "http://www.libre.example\x09"}});
  const auto helper = StartHelper({L"browser", L"IEFrame", L"Adults only - IE",
                                   L"http://www.libre.example/", L"adults only", L"adults only"});
  ASSERT_TRUE(helper && helper->WaitForWindow(L"Adults only", kDeadline));
  ExpectLeftAlone(run, *helper);
}

TEST(RobustnessE2E, HungWindowsDoNotStopTheGuardian) {
  GuardRun run;
  const auto hungEdit = StartHelper({L"hung-edit", L"Editor colgado", L"adults only"});
  const auto hungBrowser = StartHelper({L"hung-browser", L"Navegador colgado"});
  ASSERT_TRUE(hungEdit && hungEdit->WaitForWindow(L"Editor colgado", kDeadline));
  ASSERT_TRUE(hungBrowser && hungBrowser->WaitForWindow(L"Navegador colgado", kDeadline));

  const auto notepad = StartNotepad(run.directory(), "adults only");
  const auto chat = StartHelper({L"window", L"#hung - mIRC", L"Static"});
  ASSERT_TRUE(notepad && chat);
  EXPECT_TRUE(notepad->WaitForExit(kDeadline));
  EXPECT_TRUE(chat->WaitForExit(kDeadline));
  EXPECT_TRUE(run.Running());
  EXPECT_TRUE(hungEdit->Running());  // its text could never be read
  EXPECT_TRUE(hungBrowser->Running());
  EXPECT_EQ(run.History().size(), 2u);
}

TEST(RobustnessE2E, VanishingWindowsAndProcessesThatCannotBeOpened) {
  GuardRun run;
  const auto vanishing = StartHelper({L"vanishing", L"Ventana fugaz", L"texto sin nada"});
  const auto lockedEdit =
      StartHelper({L"--locked", L"window", L"Editor cerrado", L"Edit", L"adults only"});
  const auto lockedChat = StartHelper({L"--locked", L"window", L"#cerrado - mIRC", L"Static"});
  ASSERT_TRUE(vanishing && lockedEdit && lockedChat);
  ASSERT_TRUE(lockedEdit->WaitForWindow(L"Editor cerrado", kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return !run.History().empty(); }, kDeadline));
  ::Sleep(std::chrono::milliseconds(kPasses).count());

  // A chat window is recorded even when its program cannot be ended (at every pass, since it
  // stays); an edit control whose program cannot be opened is neither ended nor recorded.
  const std::vector<Record> history = run.History();
  for (const Record& record : history) EXPECT_EQ(record[0], "#cerrado - mIRC");
  EXPECT_TRUE(lockedChat->Running());
  EXPECT_TRUE(lockedEdit->Running());
  EXPECT_TRUE(vanishing->Running());
  EXPECT_TRUE(run.Running());

  const auto notepad = StartNotepad(run.directory(), "adults only");
  ASSERT_TRUE(notepad);
  EXPECT_TRUE(notepad->WaitForExit(kDeadline));
}

}  // namespace
}  // namespace tevanor::e2e
