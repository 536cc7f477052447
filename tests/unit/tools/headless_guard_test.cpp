#include "tools/guard/headless_guard.h"

#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"

namespace tevanor {
namespace {

// The headless guardian over a fake desktop that holds a taskbar, a notepad, a chat window and
// a browser, with the data files and profile values each case sets.
class HeadlessGuardTest : public ::testing::Test {
 protected:
  HeadlessGuardTest() {
    desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 5), "Button");
    desktop.AddChild(desktop.AddTopLevel("Notepad", "nota.txt - Notepad"), "Edit",
                     "Esta noche, Casino.");
    desktop.AddChild(desktop.AddTopLevel("Chat", "#canal - mIRC"), "Static");
    const WindowHandle browser = desktop.AddTopLevel("IEFrame", "Inicio");
    pages.pages[desktop.AddChild(browser, "Internet Explorer_Server")].address =
        "http://www.juegos.example/";
    desktop.closeRequestsObeyed = true;
  }
  std::vector<std::string> Run() {
    guard.Start();
    timers.Advance(1000, [this](unsigned id) { EXPECT_TRUE(guard.OnTimer(id)); });
    return lines;
  }

  testing::FakeProfile profile;
  testing::FakeDataDirectory files;
  testing::FakeTimers timers;
  testing::FakeDesktop desktop;
  testing::FakePageSource pages;
  testing::FakeNetwork network;
  testing::FakeClock clock;
  std::vector<std::string> lines;
  HeadlessGuard guard{{profile, files, timers, desktop, desktop, desktop, pages, network, clock},
                      [this](const std::string& line) { lines.push_back(line); }};
};

TEST_F(HeadlessGuardTest, BlocksWithTheProfilesSwitchesAndTheDataFilesAndPrintsEachBlock) {
  files.Put("Tevanor.fil", "casino\x08");
  files.Put("Tevanor.asw", "juegos\x08");
  profile.values["MircChat"] = 0;
  profile.values["NivelProt"] = 1;  // no built-in phrases
  EXPECT_EQ(Run(), (std::vector<std::string>{"nota.txt - Notepad\t21:07-05/12/2002\tCASINO\tend",
                                             "http://www.juegos.example/\t21:07-05/12/2002\t"
                                             "@Bloqueado por Administrador de Sitios@\tclose"}));
  EXPECT_TRUE(timers.IsArmed(TIMER_SCAN));
  EXPECT_FALSE(timers.IsArmed(TIMER_VERSION));  // no panel: no version notice
}

}  // namespace
}  // namespace tevanor
