#include "guardian/panel_settings.h"

#include <cstdint>

#include "rules/profile_values.h"

namespace tevanor {

void ReadGuardSettings(GuardState& state, ProfileStore& profile) {
  state.m_nProtLevel = static_cast<std::uint8_t>(
      profile.GetInt(profile::kProtectionLevel, profile::kProtectionLevelDefault) & 0xFF);
  state.m_bBuiltInSites = profile.GetInt(profile::kBuiltInSites, profile::kBuiltInSitesDefault);
  state.m_bJavaChat = profile.GetInt(profile::kJavaChat, profile::kJavaChatDefault);
  state.m_bMircChat = profile.GetInt(profile::kMircChat, profile::kMircChatDefault);
}

void ReadPanelSettings(GuardState& state, ProfileStore& profile, UninstallRegistry& registry,
                       FirstRunPrompts& prompts, bool machinePassword) {
  RepairUninstallEntry(registry);
  ReadGuardSettings(state, profile);
  constexpr int kNeverRun = -1;  // no flag at all: the account has never run the program
  const int firstRun = profile.GetInt(profile::kFirstRun, kNeverRun);
  const bool ownPassword = !profile.GetString(profile::kPassword, "").empty();
  if (firstRun != 0 && (firstRun != kNeverRun || (machinePassword && !ownPassword))) {
    profile.WriteInt(profile::kFirstRun, 0);
    prompts.ShowWelcome();
    if (!machinePassword) prompts.RunNewPasswordPrompt();
  }
  if (!machinePassword && profile.GetString(profile::kPassword, "").empty()) {
    prompts.ShowInformation("Por favor, configure nuevamente su contraseña."_ansi);
    prompts.RunNewPasswordPrompt();
  }
}

}  // namespace tevanor
