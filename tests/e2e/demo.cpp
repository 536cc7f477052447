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

namespace {

void Say(const std::string& text) {
  std::printf("demo: %s\n", tevanor::Cp1252ToUtf8(text).c_str());
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace tevanor;
  const std::wstring directory = argc > 1 ? argv[1] : L".";
  ::CreateDirectoryW(directory.c_str(), nullptr);
  // Saves the window as NAME.png in `directory` and says where.
  const auto shoot = [&](HWND window, const std::string& name) {
    testing::BringForward(window);
    ::Sleep(500);
    const std::wstring path = directory + L"\\" + win32::Wide(name) + L".png";
    if (testing::CaptureWindow(window, path)) Say("screenshot " + win32::Narrow(path));
  };
  const std::string failed = e2e::WalkThrough(Say, shoot);
  Say(failed.empty() ? "done" : "failed at " + failed);
  return failed.empty() ? 0 : 1;
}
