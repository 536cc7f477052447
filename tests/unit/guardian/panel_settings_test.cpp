#include "guardian/panel_settings.h"

#include <gtest/gtest.h>

#include <array>

#include "fakes/fake_ports.h"
#include "fakes/fake_profile.h"
#include "rules/profile_values.h"

namespace tevanor {
namespace {

// Logs the prompts; the new-password prompt stores a password as the real one does.
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
  void Read() { ReadPanelSettings(state, profile, registry, prompts); }

  GuardState state;
  testing::FakeProfile profile;
  testing::FakeUninstallRegistry registry;
  RecordingPrompts prompts{profile};
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
  EXPECT_EQ(prompts.log, (std::vector<std::string>{
                             std::string("Por favor, configure nuevamente su contraseña."_ansi),
                             "new password"}));
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
  EXPECT_EQ(prompts.log, (std::vector<std::string>{"welcome", "new password"}));
  EXPECT_EQ(state.m_bJavaChat, 5);  // any non-zero value counts as on, as read
}

}  // namespace
}  // namespace tevanor
