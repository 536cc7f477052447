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
                       FirstRunPrompts& prompts) {
  RepairUninstallEntry(registry);
  ReadGuardSettings(state, profile);
  if (profile.GetInt(profile::kFirstRun, 0) != 0) {
    profile.WriteInt(profile::kFirstRun, 0);
    prompts.ShowWelcome();
    prompts.RunNewPasswordPrompt();
  }
  if (profile.GetString(profile::kPassword, "").empty()) {
    prompts.ShowInformation("Por favor, configure nuevamente su contraseña."_ansi);
    prompts.RunNewPasswordPrompt();
  }
}

}  // namespace tevanor
