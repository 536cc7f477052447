// Tevanor.exe itself on a Wine virtual desktop: the pieces joined. It starts hidden and guards,
// comes back behind the password, ends on Ctrl+S and Yes, runs one copy at a time, and starts
// the uninstaller after the password. Each test waits for what it checks, never for a cause.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <memory>

#include "platform/win32/cng_key_derivation.h"
#include "platform/win32/system_clock.h"
#include "rules/history_file.h"
#include "screen.h"
#include "tevanor_run.h"

namespace tevanor::e2e {
namespace {

constexpr wchar_t kWatching0[] = L"Tevanor - vigilando (0 sitios bloqueados)";

// Whether the notification area holds the panel's icon: only an icon that exists can be
// modified.
bool TrayHasIcon(HWND panel) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = panel;
  data.uID = 168;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The panel of a copy that has started, once it has hidden itself: it is shown only for the
// moment its first show takes to shrink it and hide it.
HWND StartedPanel() {
  HWND panel = nullptr;
  WaitUntil(
      [&] {
        panel = Panel();
        return panel != nullptr && Caption(panel) == kWatching0 && !::IsWindowVisible(panel);
      },
      kDeadline);
  return panel;
}

// A second start: the running copy shows its panel behind the password prompt.
HWND SecondStartPrompt() {
  const Program second(TevanorRun::Command());
  return WaitForVisible([] { return FindDialog(kPromptCaption, true); });
}

void Capture(HWND window, const std::string& name) {
  testing::BringForward(window);
  ::Sleep(500);  // Wine paints once the program's loop has run
  testing::Capture(window, name);
}

class ProgramE2E : public ::testing::Test {
 protected:
  void SetUp() override { ResetProfile(Profile::kPasswordStored); }
};

TEST_F(ProgramE2E, StartsHiddenAndGuardsWithACountAndANotice) {
  const TevanorRun run;
  HWND panel = StartedPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(::IsWindowVisible(panel));
  EXPECT_TRUE(TrayHasIcon(panel));
  EXPECT_TRUE(CtrlSIsFree());  // every other program keeps its Ctrl+S while the panel hides

  const Program notepad(NotepadCommand("This page is for adults only.\r\n"));
  EXPECT_TRUE(WaitUntil(
      [&] { return Caption(panel) == L"Tevanor - vigilando (1 sitios bloqueados)"; }, kDeadline));
  HWND notice = WaitForVisible(BlockNotice);
  EXPECT_NE(notice, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return run.History().size() == 3u; }, kDeadline));
  EXPECT_THAT(run.History(),
              ::testing::ElementsAre(::testing::HasSubstr(".txt - "), ::testing::_, "ADULTS ONLY"));
}

// A second start brings the panel up behind the password; only then is Ctrl+S held, and it
// ends the program on Yes.
TEST_F(ProgramE2E, ASecondStartShowsThePanelBehindThePasswordAndCtrlSEndsIt) {
  const TevanorRun run;
  HWND panel = StartedPanel();
  ASSERT_NE(panel, nullptr);
  HWND prompt = SecondStartPrompt();
  ASSERT_NE(prompt, nullptr);
  EXPECT_TRUE(::IsWindowVisible(panel));
  EnterPassword(prompt, kPassword);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }, kDeadline));
  EXPECT_FALSE(CtrlSIsFree());
  Capture(panel, "panel_guardian_on");

  PressCtrlS();
  HWND question = WaitForVisible([] { return MessageBoxWith(IDYES); });
  ASSERT_NE(question, nullptr);
  Click(question, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return !TrayHasIcon(panel); }, kDeadline));
  EXPECT_EQ(run.program().WaitForExit(kDeadline), 0u);
}

// Another program's private messages, which would empty the site list or leave an empty
// prohibited entry to save, change no file. The second start is handled after them: once its
// prompt is up, they have been dealt with.
TEST_F(ProgramE2E, PrivateMessagesFromAnotherProgramChangeNoFile) {
  const TevanorRun run;
  HWND panel = StartedPanel();
  ASSERT_NE(panel, nullptr);
  const std::wstring sites = ProgramDirectory() + L"Tevanor.asw";
  WriteBytes(sites, "http://malo.example\b");
  for (const LPARAM code : {0, 0, 0, 1, 0}) ::PostMessageW(panel, WM_USER + 3, 0, code);
  ASSERT_NE(SecondStartPrompt(), nullptr);
  EXPECT_EQ(ReadFields(sites, '\b'), std::vector<std::string>{"http://malo.example"});
}

TEST_F(ProgramE2E, TheUninstallPathStartsTheUninstallerAfterThePassword) {
  const std::wstring directory = ProgramDirectory() + L"desinstalar";
  ::CreateDirectoryW(directory.c_str(), nullptr);
  const std::wstring record = directory + L"\\uninstaller-ran.txt";
  ::DeleteFileW(record.c_str());
  ::CopyFileW((win32::Win32DataDirectory::ProgramDirectory() + L"uninstaller_stand_in.exe").c_str(),
              (directory + L"\\lsb_un20.exe").c_str(), FALSE);
  const TevanorRun running;  // removal works while a copy runs
  ASSERT_NE(StartedPanel(), nullptr);

  const Program uninstall(TevanorRun::Command() + L" /" + directory + L"/u");
  HWND prompt = WaitForVisible([] { return FindDialog(kPromptCaption, true); });
  ASSERT_NE(prompt, nullptr);
  EnterPassword(prompt, kPassword);
  ASSERT_EQ(uninstall.WaitForExit(kDeadline), 0u);
  ASSERT_TRUE(WaitUntil(
      [&] { return ::GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }, kDeadline));
  const std::vector<std::string> line = ReadFields(record, '\0');
  std::string joined;
  for (const std::string& part : line) joined += part;  // UTF-16 of ASCII: every other byte
  EXPECT_THAT(joined, ::testing::HasSubstr("lsb_un20.exe"));
  EXPECT_THAT(joined, ::testing::EndsWith("/C=UC /N=Tevanor"));
}

TEST_F(ProgramE2E, FiftyStartsAtOnceLeaveOneRunningCopy) {
  std::vector<std::unique_ptr<Program>> starts;
  for (int i = 0; i < 50; ++i) starts.push_back(std::make_unique<Program>(TevanorRun::Command()));
  const auto running = [&] {
    int count = 0;
    for (const auto& start : starts) count += start->Running() ? 1 : 0;
    return count;
  };
  EXPECT_TRUE(WaitUntil([&] { return running() == 1; }, 120'000));
  ::Sleep(2'000);
  EXPECT_EQ(running(), 1);
  EXPECT_NE(Panel(), nullptr);
}

TEST_F(ProgramE2E, AFirstRunWelcomesTheParentAndAsksForAPassword) {
  ResetProfile(Profile::kFirstRun);
  const TevanorRun run;
  HWND welcome = WaitForVisible([] { return FindDialog(L"¡¡Bienvenido!!", true); });
  ASSERT_NE(welcome, nullptr);
  Capture(welcome, "first_run_welcome");
  Click(welcome, IDOK);
  HWND prompt = WaitForVisible([] { return FindDialog(kNewPasswordCaption, true); });
  ASSERT_NE(prompt, nullptr);
  ::SetDlgItemTextW(prompt, 1015, kPassword);
  ::SetDlgItemTextW(prompt, 1018, kPassword);
  Capture(prompt, "first_run_new_password");
  Click(prompt, IDOK);
  HWND panel = StartedPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(::IsWindowVisible(panel));
  win32::RegistryProfile profile;
  EXPECT_EQ(profile.GetInt(profile::kFirstRun, -1), 0);
  win32::CngKeyDerivation keys;
  EXPECT_TRUE(
      PasswordMatches(keys, win32::Narrow(kPassword), profile.GetString(profile::kPassword, "")));
}

// The program ended from outside leaves a gap that the next start finds and records, with the
// time the ended run was last seen.
TEST_F(ProgramE2E, AnEndFromOutsideIsRecordedAtTheNextStart) {
  const auto now = [] { return FormatBlockTime(win32::SystemClock().Now()); };
  std::string started, ended;
  {
    const TevanorRun first;
    started = now();
    ASSERT_NE(StartedPanel(), nullptr);
    ended = now();
  }  // ended from outside (TerminateProcess)
  ASSERT_TRUE(WaitUntil([] { return Panel() == nullptr; }, kDeadline));
  const Program second(TevanorRun::Command());
  ASSERT_TRUE(WaitUntil([] { return Panel() != nullptr; }, kDeadline));

  std::vector<std::string> record;
  ASSERT_TRUE(
      WaitUntil([&] { return (record = HistoryIn(ProgramDirectory())).size() == 3; }, kDeadline));
  EXPECT_EQ(record[0], "Tevanor");
  EXPECT_TRUE(record[1] == started || record[1] == ended) << record[1];
  EXPECT_THAT(record[2], ::testing::StartsWith("Tevanor no estuvo activo hasta "));
}

// The parent's edits reach the guardian and the files through the real program's windows: a
// word added in the filter dialog blocks a notepad that shows it, and a prohibited site lands
// in the site file.
TEST_F(ProgramE2E, ThePanelsEditingDialogsChangeWhatIsGuarded) {
  const TevanorRun run;
  HWND panel = StartedPanel();
  ASSERT_NE(panel, nullptr);
  ::Sleep(10'500);  // past the start's one auto-hide, which would close the dialogs opened here
  HWND prompt = SecondStartPrompt();
  ASSERT_NE(prompt, nullptr);
  EnterPassword(prompt, kPassword);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }, kDeadline));

  Click(panel, 1002);  // "Filtro"
  HWND filter = WaitForVisible([] { return FindDialog(L"Configuración filtro", true); });
  ASSERT_NE(filter, nullptr);
  Click(filter, 1011);  // "Agregar"
  HWND word =
      WaitForVisible([] { return FindDialog(L"Escriba la palabra que desea filtrar", true); });
  ASSERT_NE(word, nullptr);
  ::SetDlgItemTextW(word, 1015, L"zafarrancho");
  Click(word, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(word); }, kDeadline));
  Click(filter, 1010);  // "Aceptar"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(filter); }, kDeadline));
  const Program notepad(NotepadCommand("Un zafarrancho de combate."));
  EXPECT_TRUE(WaitUntil([&] { return run.History().size() == 3u; }, kDeadline));
  EXPECT_THAT(run.History(), ::testing::Contains("ZAFARRANCHO"));  // the cause, upper-cased

  Click(panel, 1003);  // "Adm. Sitios"
  HWND sites = WaitForVisible([] { return FindDialog(L"Administración de sitios Web", true); });
  ASSERT_NE(sites, nullptr);
  Click(sites, 1035);  // add a site
  HWND site = WaitForVisible([] { return FindDialog(L"Ingrese sitio Web....", true); });
  ASSERT_NE(site, nullptr);
  ::SetDlgItemTextW(site, 1015, L"http://prohibido.example");
  Click(site, 1020);  // "Bloquea"
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(site); }, kDeadline));
  Click(sites, 1010);  // "Acepta"
  EXPECT_TRUE(WaitUntil(
      [] {
        return ReadFields(ProgramDirectory() + L"Tevanor.asw", '\x08') ==
               std::vector<std::string>{"http://prohibido.example"};
      },
      kDeadline));
}

}  // namespace
}  // namespace tevanor::e2e
