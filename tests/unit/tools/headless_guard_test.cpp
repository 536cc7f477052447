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

// A fake desktop with a taskbar, a notepad, a chat window and a browser; the profile turns the
// chat rule off, and the data files add a word and a site.
TEST(HeadlessGuard, BlocksWithTheProfilesSwitchesAndTheDataFilesAndPrintsEachBlock) {
  testing::FakeProfile profile;
  testing::FakeDataDirectory files;
  testing::FakeTimers timers;
  testing::FakeDesktop desktop;
  testing::FakePageSource pages;
  testing::FakeFrameTrees frames{desktop.nowMs};
  testing::FakeNetwork network;
  testing::FakeClock clock;
  std::vector<std::string> lines;
  HeadlessGuard guard{{profile, files, desktop, desktop, desktop, pages, frames, network, clock},
                      timers,
                      [&lines](const std::string& line) { lines.push_back(line); }};
  desktop.AddChild(desktop.AddTopLevel("Shell_TrayWnd", "", 5), "Button");
  desktop.AddChild(desktop.AddTopLevel("Notepad", "nota - Notepad"), "Edit", "un Casino");
  desktop.AddChild(desktop.AddTopLevel("Chat", "#canal - mIRC"), "Static");
  const WindowHandle browser = desktop.AddTopLevel("IEFrame", "Inicio");
  pages.pages[desktop.AddChild(browser, "Internet Explorer_Server")].address = "http://juegos.es/";
  desktop.closeRequestsObeyed = true;
  files.Put("Tevanor.fil", "casino\b");
  files.Put("Tevanor.asw", "juegos\b");
  profile.values["MircChat"] = 0;
  guard.Start();
  timers.Advance(1000, [&guard](unsigned id) { EXPECT_TRUE(guard.OnTimer(id)); });
  EXPECT_EQ(
      lines,
      (std::vector<std::string>{
          "nota - Notepad\t21:07-05/12/2002\tCASINO\tend",
          "http://juegos.es/\t21:07-05/12/2002\t@Bloqueado por Administrador de Sitios@\tclose"}));
  EXPECT_TRUE(timers.IsArmed(TIMER_SCAN));
  EXPECT_FALSE(timers.IsArmed(TIMER_VERSION));  // no panel: no version notice
}

}  // namespace
}  // namespace tevanor
