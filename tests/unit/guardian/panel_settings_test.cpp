#include "guardian/panel_settings.h"

#include <gtest/gtest.h>

#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "rules/profile_values.h"

namespace tevanor {
namespace {

class RecordingPrompts final : public FirstRunPrompts {
 public:
  explicit RecordingPrompts(testing::FakeProfile& profile) : profile_(profile) {}
  void ShowWelcome() override { log.push_back("welcome"); }
  void ShowMessage(std::string_view text) override { log.push_back(std::string(text)); }
  void RunNewPasswordPrompt() override {
    log.push_back("new password");
    profile_.WriteString(profile::kPassword, "\x01\x02\x03\x04");
  }
  std::vector<std::string> log;

 private:
  testing::FakeProfile& profile_;
};

class PanelSettingsTest : public ::testing::Test {
 protected:
  GuardState state;
  testing::FakeProfile profile;
  testing::FakeUninstallRegistry registry;
  RecordingPrompts prompts{profile};
};

TEST_F(PanelSettingsTest, AnEmptyProfileGivesTheDefaultsAndAsksForAPassword) {
  state.m_nProtLevel = 7;
  state.m_bMircChat = 0;
  ReadPanelSettings(state, profile, registry, prompts);
  EXPECT_EQ(state.m_nProtLevel, 255);
  EXPECT_EQ(state.m_bBuiltInSites, 1);
  EXPECT_EQ(state.m_bJavaChat, 0);
  EXPECT_EQ(state.m_bMircChat, 1);
  EXPECT_EQ(prompts.log, (std::vector<std::string>{
                             std::string("Por favor, configure nuevamente su contraseña."_ansi),
                             "new password"}));
}

TEST_F(PanelSettingsTest, TheLevelKeepsItsLowEightBits) {
  for (const auto& [stored, level] : {std::pair{-1, 255}, {255, 255}, {256, 0}, {1, 1}, {0, 0}}) {
    profile.values[std::string(profile::kProtectionLevel)] = stored;
    ReadPanelSettings(state, profile, registry, prompts);
    EXPECT_EQ(state.m_nProtLevel, level) << stored;
  }
}

TEST_F(PanelSettingsTest, AFirstRunWelcomesAsksOnceAndClearsTheFlag) {
  profile.values["Pr"] = 1;
  profile.values["JavaChat"] = 5;
  ReadPanelSettings(state, profile, registry, prompts);
  EXPECT_EQ(prompts.log, (std::vector<std::string>{"welcome", "new password"}));
  EXPECT_EQ(profile.GetInt("Pr", -1), 0);
  EXPECT_EQ(state.m_bJavaChat, 5);  // any non-zero value counts as on, as read
}

TEST_F(PanelSettingsTest, AStoredPasswordMeansNoPrompt) {
  profile.values[std::string(profile::kPassword)] = std::string("\x10\x11\x12\x13");
  ReadPanelSettings(state, profile, registry, prompts);
  EXPECT_TRUE(prompts.log.empty());
}

TEST_F(PanelSettingsTest, RepairsTheUninstallEntry) {
  registry.keyExists = true;
  registry.values["UninstallTemp"] = "lsb_un20.exe";
  ReadPanelSettings(state, profile, registry, prompts);
  EXPECT_EQ(registry.values["UninstallString"], "lsb_un20.exe");
}

}  // namespace
}  // namespace tevanor
