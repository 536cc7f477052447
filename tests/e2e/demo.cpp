// A short scripted run of Tevanor.exe on a Wine virtual desktop, for a person without a screen
// (scripts/run.sh starts it when there is no X display): the program starts hidden, a notepad
// showing a forbidden phrase is ended, the notice and the history record appear, the panel is
// opened with the password, and Ctrl+S ends the program. It prints each step and saves
// screenshots into the directory given as its argument. The last line says whether
// the run went through: "demo: done" or "demo: failed at ...".
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_text.h"
#include "tevanor_run.h"
#include "text/cp1252.h"
#include "window_capture.h"

namespace tevanor::e2e {
namespace {

void Say(const std::string& text) {
  std::printf("demo: %s\n", text.c_str());
  std::fflush(stdout);
}

// Saves the window as NAME.png in `directory` and says where.
void Shoot(HWND window, const std::wstring& directory, const std::string& name) {
  testing::BringForward(window);
  ::Sleep(500);
  const std::wstring path = directory + L"\\" + win32::Wide(name) + L".png";
  if (testing::CaptureWindow(window, path)) Say("screenshot " + Cp1252ToUtf8(win32::Narrow(path)));
}

bool Run(const std::wstring& directory) {
  const auto fail = [](const char* step) {
    Say(std::string("failed at ") + step);
    return false;
  };
  ResetProfile(Profile::kPasswordStored);
  Say("a parent's profile with the password \"Secreto1\"");
  const TevanorRun run;
  HWND panel = nullptr;
  if (!WaitUntil([&] { return (panel = Panel()) != nullptr; }, kDeadline)) return fail("the start");
  Say("Tevanor runs hidden, as a tray icon; its panel's caption: " +
      Cp1252ToUtf8(win32::Narrow(Caption(panel))));

  const Program notepad(NotepadCommand("This page is for adults only.\r\n"));
  Say("a notepad shows \"This page is for adults only.\"");
  if (!WaitUntil([&] { return run.History().size() >= 3; }, kDeadline)) return fail("the block");
  const std::vector<std::string> record = run.History();
  Say("the history records: " + Cp1252ToUtf8(record[0]) + " | " + record[1] + " | " +
      Cp1252ToUtf8(record[2]));
  HWND notice = WaitForVisible(BlockNotice);
  if (notice == nullptr) return fail("the notice");
  Shoot(notice, directory, "notice");
  Say("the caption now: " + Cp1252ToUtf8(win32::Narrow(Caption(panel))));

  {
    const Program second(TevanorRun::Command());
    HWND prompt = WaitForVisible([] { return FindDialog(kPromptCaption, true); });
    if (prompt == nullptr) return fail("the password prompt");
    Say("a second start brings the panel up behind the password prompt");
    EnterPassword(prompt, kPassword);
    if (!WaitUntil([&] { return !::IsWindow(prompt); }, kDeadline)) return fail("the password");
  }
  Shoot(panel, directory, "panel");

  PressCtrlS();
  HWND question = WaitForVisible([] { return MessageBoxWith(IDYES); });
  if (question == nullptr) return fail("Ctrl+S");
  Shoot(question, directory, "exit_question");
  Click(question, IDYES);
  if (!run.program().WaitForExit(kDeadline)) return fail("the end");
  Say("Ctrl+S and \"Yes\": Tevanor has ended");
  return true;
}

}  // namespace
}  // namespace tevanor::e2e

int wmain(int argc, wchar_t** argv) {
  const std::wstring directory = argc > 1 ? argv[1] : L".";
  ::CreateDirectoryW(directory.c_str(), nullptr);
  const bool done = tevanor::e2e::Run(directory);
  if (done) tevanor::e2e::Say("done");
  return done ? 0 : 1;
}
