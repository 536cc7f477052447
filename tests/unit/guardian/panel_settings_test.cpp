#include "guardian/panel_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "rules/profile_values.h"

namespace tevanor {
namespace {

// The panel's settings read from a profile in memory; the test plays the prompts, logs them,
// and stores a password when asked for a new one, as the real prompt does.
class PanelSettingsTest : public ::testing::Test, public FirstRunPrompts {
 protected:
  void ShowWelcome() override { prompts.push_back("welcome"); }
  void ShowInformation(std::string_view) override { prompts.push_back("information"); }
  void RunNewPasswordPrompt() override {
    prompts.push_back("new password");
    profile.WriteString(profile::kPassword, "\x01\x02\x03\x04");
  }
  void Read(bool machinePassword = false) {
    ReadPanelSettings(state, profile, registry, *this, machinePassword);
  }

  GuardState state;
  testing::FakeProfile profile;
  testing::FakeUninstallRegistry registry;
  std::vector<std::string> prompts;
};

TEST_F(PanelSettingsTest, ReadsTheGuardSettingsAndRepairsTheUninstallEntry) {
  registry.keyExists = true;
  registry.values["UninstallTemp"] = "lsb_un20.exe";
  state.m_nProtLevel = 7;
  state.m_bMircChat = 0;
  Read();
  EXPECT_EQ((std::array{int{state.m_nProtLevel}, state.m_bBuiltInSites, state.m_bJavaChat,
                        state.m_bMircChat}),
            (std::array{255, 1, 0, 1}));
  EXPECT_EQ(registry.values["UninstallString"], "lsb_un20.exe");
  // The level keeps its low eight bits.
  for (const auto& [stored, level] : {std::pair{-1, 255}, {256, 0}, {1, 1}}) {
    profile.values[std::string(profile::kProtectionLevel)] = stored;
    Read();
    EXPECT_EQ(state.m_nProtLevel, level) << stored;
  }
}

// A first run is welcomed and asks for a password once; an account without a password is told
// so and asked for one. With a password for the whole computer nothing asks for one, and an
// account that never ran the program and has none of its own is welcomed once.
TEST_F(PanelSettingsTest, WelcomesAFirstRunAndAsksForAMissingPasswordOnce) {
  const struct {
    const char* what;
    bool machinePassword;
    std::optional<int> firstRun;
    bool ownPassword;
    std::vector<std::string> prompts;
  } cases[] = {
      {"no password", false, std::nullopt, false, {"information", "new password"}},
      {"first run", false, 1, false, {"welcome", "new password"}},
      {"computer's, new account", true, std::nullopt, false, {"welcome"}},
      {"computer's, first run", true, 1, false, {"welcome"}},
      {"computer's, account with its own password", true, std::nullopt, true, {}},
      {"computer's, account that ran before", true, 0, false, {}},
  };
  for (const auto& c : cases) {
    profile.values.clear();
    prompts.clear();
    if (c.firstRun) profile.values["Pr"] = *c.firstRun;
    if (c.ownPassword) profile.values[std::string(profile::kPassword)] = "x";
    Read(c.machinePassword);
    Read(c.machinePassword);
    EXPECT_EQ(prompts, c.prompts) << c.what;
  }
}

}  // namespace
}  // namespace tevanor
