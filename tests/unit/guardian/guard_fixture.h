#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_timers.h"
#include "guardian/window_guard.h"

namespace tevanor {

// A guardian over a fake desktop whose shell is already known, with a few phrases: built-in
// "ADULTS ONLY" and "18 YEARS OR OLDER", and the user words "casino" (any case) and "Poker"
// (exact case).
class GuardFixture : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kShell = 50;

  GuardFixture() {
    const WindowHandle taskbar = desktop.AddTopLevel("Shell_TrayWnd", "", kShell);
    desktop.AddChild(taskbar, "TrayNotifyWnd");
    state.m_dwShellPid = kShell;
    state.phrases.ReplaceLibrary({{"ADULTS ONLY", true, true}, {"18 YEARS OR OLDER", true, true}});
    state.phrases.ReplaceUser({{"casino", false, true}, {"Poker", false, false}});
  }

  // The history file's records, each as its three fields.
  std::vector<std::vector<std::string>> History() const {
    std::vector<std::vector<std::string>> records;
    std::string field;
    std::vector<std::string> record;
    for (const char c : files.Content(kHistoryFileName).value_or("")) {
      if (c != '\x08') {
        field += c;
        continue;
      }
      record.push_back(std::exchange(field, {}));
      if (record.size() == 3) records.push_back(std::exchange(record, {}));
    }
    return records;
  }

  // Nothing an inspection obtained is left open, and the busy flag is down.
  void ExpectEverythingReleased() const {
    EXPECT_EQ(state.m_bScanBusy, 0);
    EXPECT_EQ(desktop.attachedInputs, 0);
    EXPECT_EQ(desktop.openProcesses, 0);
    EXPECT_EQ(pages.openSessions, 0);
    EXPECT_EQ(pages.openDocuments, 0);
  }

  GuardState state;
  testing::FakeDesktop desktop;
  testing::FakePageSource pages;
  testing::FakeGuardHost host;
  testing::FakeDataDirectory files;
  testing::FakeProfile profile;
  testing::FakeClock clock;
  WindowGuard guard{state, {desktop, desktop, pages, host, files, profile, clock}};
};

}  // namespace tevanor
