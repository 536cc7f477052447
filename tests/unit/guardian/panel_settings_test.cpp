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
  void ShowInformation(std::string_view text) override { prompts.push_back(std::string(text)); }
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

TEST_F(PanelSettingsTest, AnEmptyProfileGivesTheDefaultsAndAsksForAPassword) {
  registry.keyExists = true;
  registry.values["UninstallTemp"] = "lsb_un20.exe";
  state.m_nProtLevel = 7;
  state.m_bMircChat = 0;
  Read();
  EXPECT_EQ((std::array{int{state.m_nProtLevel}, state.m_bBuiltInSites, state.m_bJavaChat,
                        state.m_bMircChat}),
            (std::array{255, 1, 0, 1}));
  ASSERT_EQ(prompts.size(), 2u) << "a notice that the password is missing, then the prompt";
  EXPECT_EQ(prompts[1], "new password");
  EXPECT_EQ(registry.values["UninstallString"], "lsb_un20.exe");
}

TEST_F(PanelSettingsTest, TheLevelKeepsItsLowEightBits) {
  for (const auto& [stored, level] : {std::pair{-1, 255}, {255, 255}, {256, 0}, {1, 1}, {0, 0}}) {
    profile.values[std::string(profile::kProtectionLevel)] = stored;
    Read();
    EXPECT_EQ(state.m_nProtLevel, level) << stored;
  }
}

TEST_F(PanelSettingsTest, AFirstRunWelcomesAndAsksOnceThenAStoredPasswordIsEnough) {
  profile.values["Pr"] = 1;
  profile.values["JavaChat"] = 5;
  Read();
  Read();
  EXPECT_EQ(prompts, (std::vector<std::string>{"welcome", "new password"}));
  EXPECT_EQ(state.m_bJavaChat, 5);  // any non-zero value counts as on, as read
}

// With a password for the whole computer nothing asks for one; an account that never ran the
// program and has none of its own is welcomed once, as is a first run.
TEST_F(PanelSettingsTest, AComputersPasswordIsNeverAskedForAndANewAccountIsWelcomed) {
  const struct {
    const char* what;
    std::optional<int> firstRun;
    bool ownPassword;
    std::vector<std::string> prompts;
  } cases[] = {
      {"new account", std::nullopt, false, {"welcome"}},
      {"first run", 1, false, {"welcome"}},
      {"account with its own password", std::nullopt, true, {}},
      {"account that ran before", 0, false, {}},
  };
  for (const auto& c : cases) {
    profile.values.clear();
    prompts.clear();
    if (c.firstRun) profile.values["Pr"] = *c.firstRun;
    if (c.ownPassword) profile.values[std::string(profile::kPassword)] = "x";
    Read(true);
    Read(true);
    EXPECT_EQ(prompts, c.prompts) << c.what;
  }
}

}  // namespace
}  // namespace tevanor
